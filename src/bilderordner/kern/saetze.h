#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kbb {

// A picture set shipped with the program: a UTF-8 text file in "saetze/" whose
// first line is "Name: <title>" and whose other lines name picture files of the
// "bilder" folder beside "saetze/"; a line "*" stands for every picture there.
struct Bildersatz {
    QString name;       // the title, e.g. "Kurze Wörter"
    QString datei;      // the set file
    QStringList bilder; // full paths of its pictures, in the file's order, no repeats
};

// The folder with the shipped "bilder" and "saetze": "<program folder>/../../share/kieselblick"
// (installed) or else "<program folder>/share/kieselblick" (the build tree). Empty if neither.
QString shareOrdner(const QString& programmOrdner);

// The sets of a share folder, sorted by title; unreadable set files are left out.
QList<Bildersatz> saetze(const QString& shareOrdner);

// Fills the folder from a set and gives one German line per thing done.
// Adding: copies the set's pictures whose word the folder does not have yet.
// Replacing: first moves every file the game lists to "aussortiert", then copies
// the set. Copies go through a temporary file; nothing is deleted or overwritten.
QStringList fuelleAusSatz(const QString& ordner, const Bildersatz& satz, bool ersetzen);

} // namespace kbb
