#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// The record of one finished round, and its line in a results file.
namespace kb::erg {

struct Datensatz {
    QDateTime zeit;       // local time when the result screen opened
    QString rechner;      // the computer's name
    QString benutzer;     // the login that played
    QString name;         // the name as the child typed it
    int stufe = 0;        // 1 to 5
    QStringList gezeigt;  // the words of the shown pictures, in their order
    QStringList gewaehlt; // the words picked on the board, in the order of the picks
    int richtige = 0;
    int falsche = 0;

    bool operator==(const Datensatz&) const = default;
};

// A results file is UTF-8 text, one record per line, its fields separated by
// tabs, starting with the header line below. The date is written as
// 2026-12-06, the time as 09:15:02. Word lists are separated by "/", which no
// file name, and so no word, can hold. In the texts a backslash, a tab, a line
// break and any other control character are written as "\\", "\t", "\n",
// "\r" or "\xHH", so that a record is always one line.
QByteArray kopfzeile();
QByteArray alsZeile(const Datensatz& d);
// The record of a line; nothing for the header, a torn or a foreign line.
// With a `vorrat` its texts share memory with those of the records read before.
class Textvorrat;
std::optional<Datensatz> ausZeile(QByteArrayView zeile, Textvorrat* vorrat = nullptr);

// The name of the file a writer appends to: one per day, computer and login,
// so that writers never share a file and old days can go as a whole.
// "2026-12-06_raum3-pc07_anna.tsv"; characters other than letters, digits,
// "-" and "." in the computer's and the login's name become "_".
QString dateiname(const QDate& tag, const QString& rechner, const QString& benutzer);
// The day of a file of that form, or an invalid date for any other file.
QDate tagDerDatei(const QString& dateiname);

} // namespace kb::erg
