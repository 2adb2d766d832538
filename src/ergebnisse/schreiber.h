#pragma once

#include "ergebnisse/datensatz.h"

// Writing records into the results folder without ever holding up the game.
namespace kb::erg {

// The permissions of a results file: its writer and the teachers' group may
// read and change it, nobody else may read it.
inline constexpr int Dateirechte = 0660;

// Hands a record to the writer and returns at once. A thread of its own
// appends it to this writer's file of the day in `ordner`. A folder that is
// missing, read-only, full or on a share that hangs or dropped costs the
// record, never a message or a wait.
void halteFest(const QString& ordner, const Datensatz& datensatz);

// Waits until every record handed over is written or has failed, at most
// `ms` milliseconds; gives whether the writer is idle. The game calls it
// once when it ends, so that the last round is not lost by leaving at once.
bool warteAufSchreiber(int ms);

} // namespace kb::erg
