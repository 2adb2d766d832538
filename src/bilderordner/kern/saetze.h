#pragma once

#include "bilderordner/kern/aenderung.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kbb {

// A picture set shipped with the program: a UTF-8 text file in "saetze/" whose
// first line is "Name: <title>" and whose other lines name picture files of the
// "bilder" folder beside "saetze/" by their plain names (no paths, no links,
// no hidden files); a line "*" stands for every picture there.
struct Bildersatz {
    QString name;       // the title, e.g. "Kurze Wörter"
    QString datei;      // the set file
    QStringList bilder; // full paths of its pictures, in the file's order, no repeats
};

// The folders the shipped "bilder" and "saetze" may come from: the installed
// data folder, and for a build that is not packaged, the source tree's assets.
// Both are fixed when the program is built: a folder found relative to the
// program could be one that any user may create (a program below /tmp).
QStringList datenOrdner();

// The first of them that holds sets and that only its owner (root or the user
// running the program) may change; empty if none does.
QString shareOrdner();

// The sets of a share folder, sorted by title; unreadable set files are left out.
QList<Bildersatz> saetze(const QString& shareOrdner);

// Fills the folder from a set and gives one German line per thing done, the
// number of pictures copied first. Only pictures are copied. A set without
// pictures changes nothing.
// Adding: copies the set's pictures whose word the folder does not have yet.
// Replacing: first moves every file the game lists to "aussortiert", then copies
// the set. Copies go through a temporary file; nothing is deleted or overwritten.
// With `aenderung`, its steps are recorded there, so that it can be undone.
QStringList fuelleAusSatz(const QString& ordner, const Bildersatz& satz, bool ersetzen,
                          Aenderung* aenderung = nullptr);

} // namespace kbb
