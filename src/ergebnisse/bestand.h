#pragma once

#include "ergebnisse/datensatz.h"

#include <QList>
#include <functional>

// Reading, exporting and deleting the records of a results folder.
namespace kb::erg {

struct Bestand {
    bool gefunden = false;   // the folder could be opened and listed
    QList<Datensatz> saetze; // oldest first
    int dateien = 0;         // results files read
    int unlesbareZeilen = 0; // torn or foreign lines, left out
};

// Every record of every results file in the folder. Files of other names,
// links and anything that is no plain file are left alone.
Bestand lies(const QString& ordner);

// Deletes the records of days older than `tage` days before `heute`. A file of
// such a day is removed; where the folder does not allow that (another user's
// file in a drop box) it is emptied. Gives the number of records deleted.
int loescheAlte(const QString& ordner, int tage, const QDate& heute);

// Deletes the records for which `weg` holds, file by file, keeping the rest in
// place. Gives the number of records deleted.
int loesche(const QString& ordner, const std::function<bool(const Datensatz&)>& weg);

// The records as a table for a spreadsheet: semicolons, German dates, the
// first line "Datum;Uhrzeit;Rechner;Name;Stufe;Richtige;Falsche" followed by
// "Gezeigt;Gewählt;Benutzer"; with `bom` it starts with the UTF-8 mark that
// tells a spreadsheet the encoding. A text that a spreadsheet would take for
// a formula is prefixed with an apostrophe.
QByteArray alsCsv(const QList<Datensatz>& saetze, bool bom);

} // namespace kb::erg
