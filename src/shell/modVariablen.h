#pragma once

#include "toolkit/numbers.h"

#include <QString>
#include <QStringList>

// The program-wide variables through which the screens hand data to each other.
// They live for the whole run and are never cleared as a whole; each is set up
// by the screen that starts its use.
namespace kb::modVariablen {

inline QString Benutzername;               // the player's name, exactly as typed
inline tk::DynArray<QString> Bildnamen;    // the round's words, shown ones first
inline tk::DynArray<double> Zufallszahlen; // picture list positions drawn in the round
inline bool Doppelt = false;               // the position just drawn repeats an earlier one
inline double Bildzaehler = 0;             // slots drawn so far in the round (whole number)
inline tk::Integer Richtige;               // right picks on the last board
inline tk::Integer Falsche;                // wrong picks on the last board
inline int Spielstufe = 0;                 // the level of the round being played
inline QStringList Gewaehlt;               // the words picked on the last board, in order

// Back to the values at program start (for tests that play many runs in one process).
void zuruecksetzen();

} // namespace kb::modVariablen
