#pragma once

#include "ergebnisse/datensatz.h"
#include "ergebnisse/namen.h"

#include <QList>

// What the teachers' class overview shows of a results folder: the records of
// a period and a computer, one line per child, a suggested level, and the words
// the class misses most.
namespace kb::erg {

enum class Zeitraum {
    Woche, // since Monday of this week
    Monat, // since the first of this month
    Alle,
};

// The first day of the period that holds `heute`; an invalid date for Alle.
QDate ersterTag(Zeitraum zeitraum, const QDate& heute);

// The records of the period up to the end of `heute`, of one computer or, with
// an empty `rechner`, of all; in the order given.
QList<Datensatz> gefiltert(const QList<Datensatz>& saetze, Zeitraum zeitraum, const QDate& heute,
                           const QString& rechner);

// The computers the records came from, sorted.
QStringList rechnerListe(const QList<Datensatz>& saetze);

// One round as the suggestion weighs it.
struct Runde {
    int stufe = 1;
    int richtige = 0;
    int falsche = 0;
    int gezeigt = 0; // words of shown pictures
    bool fehlerfrei() const { return falsche == 0 && gezeigt > 0 && richtige >= gezeigt; }
    bool mehrFalscheAlsRichtige() const { return falsche > richtige; }
};
Runde alsRunde(const Datensatz& d);

// The level to play next, from a child's rounds, oldest first:
// - the last two rounds on the same level, each without a wrong pick and with
//   every shown word found: the level above that one (at most the highest);
// - otherwise the last two rounds on the child's highest level, each with more
//   wrong than right picks: the level below that one (at least 1);
// - otherwise the highest level played, and level 1 without any round.
int vorgeschlageneStufe(const QList<Runde>& runden);

// The rule above in German, for the view's help.
QString vorschlagsRegel();

// A child's rounds on one level.
struct StufenStand {
    int runden = 0;
    int letzte = 0;   // right picks in the last round
    int beste = 0;    // right picks in the best round
    int gezeigt = 0;  // words shown in the last round: 4 or 7
    int besteVon = 0; // words shown in the best round
    QDateTime letzteZeit;
};

// One line of the overview.
struct Kind {
    QString schluessel;        // the key of the child's group of spellings
    QString name;              // the spelling used most often
    QStringList schreibweisen; // every spelling, most used first
    QList<StufenStand> stufen; // one per level of the game, level 1 first
    QList<qsizetype> saetze;   // the child's records, as positions in the list given, oldest first
    int runden = 0;
    int hoechste = 0;  // the highest level played
    int vorschlag = 1; // vorgeschlageneStufe() of its rounds
};

// The children of the records, sorted by name as a German reader expects. The
// records are expected oldest first (as lies() gives them).
QList<Kind> kinder(const QList<Datensatz>& saetze, const Namen& namen);

// Whether a record belongs to the child of the key `gruppe`.
bool gehoertZu(const Datensatz& d, const QString& gruppe, const Namen& namen);

// A word and how often it was shown but not picked.
struct Fehlwort {
    QString wort;
    int anzahl = 0;
    bool operator==(const Fehlwort&) const = default;
};

// The words of shown pictures that were not picked, most often missed first,
// equal counts alphabetically.
QList<Fehlwort> oftUebersehen(const QList<Datensatz>& saetze);

// What the overview shows of the records of a period and a computer.
struct Ansicht {
    QList<Datensatz> saetze; // gefiltert()
    QList<Kind> kinder;      // kinder() of those
    QList<Fehlwort> fehlwoerter;
};
Ansicht werteAus(const QList<Datensatz>& saetze, const Namen& namen, Zeitraum zeitraum, const QDate& heute,
                 const QString& rechner);

} // namespace kb::erg
