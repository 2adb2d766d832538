#include "ergebnisse/auswertung.h"

#include "regeln/stufen.h"

#include <QCollator>
#include <QSet>
#include <algorithm>

namespace kb::erg {

namespace {

int hoechsteStufe()
{
    return int(kb::stufen().size());
}

QCollator& deutsch()
{
    thread_local QCollator c{QLocale(QLocale::German, QLocale::Germany)};
    return c;
}

// The spellings of a child, most used first; of equal use the one seen last first.
QStringList ordneSchreibweisen(const QHash<QString, std::pair<int, qsizetype>>& gezaehlt)
{
    QStringList s = gezaehlt.keys();
    std::sort(s.begin(), s.end(), [&](const QString& a, const QString& b) {
        const auto& x = gezaehlt[a];
        const auto& y = gezaehlt[b];
        return x.first != y.first ? x.first > y.first : x.second > y.second;
    });
    return s;
}

void zaehleRunde(StufenStand& s, const Datensatz& d)
{
    ++s.runden;
    s.letzte = d.richtige;
    s.gezeigt = int(d.gezeigt.size());
    s.letzteZeit = d.zeit;
    if (s.runden == 1 || d.richtige >= s.beste) {
        s.beste = d.richtige;
        s.besteVon = int(d.gezeigt.size());
    }
}

void schliesseAb(Kind& k, const QList<Datensatz>& saetze,
                 const QHash<QString, std::pair<int, qsizetype>>& schreibweisen)
{
    k.schreibweisen = ordneSchreibweisen(schreibweisen);
    k.name = k.schreibweisen.value(0);
    QList<Runde> runden;
    runden.reserve(k.saetze.size());
    for (const qsizetype i : std::as_const(k.saetze)) {
        const Datensatz& d = saetze[i];
        runden.append(alsRunde(d));
        k.hoechste = std::max(k.hoechste, d.stufe);
        if (d.stufe <= k.stufen.size())
            zaehleRunde(k.stufen[d.stufe - 1], d);
    }
    k.runden = int(k.saetze.size());
    k.vorschlag = vorgeschlageneStufe(runden);
}

} // namespace

QDate ersterTag(Zeitraum zeitraum, const QDate& heute)
{
    switch (zeitraum) {
    case Zeitraum::Woche:
        return heute.addDays(1 - heute.dayOfWeek());
    case Zeitraum::Monat:
        return QDate(heute.year(), heute.month(), 1);
    case Zeitraum::Alle:
        break;
    }
    return {};
}

QList<Datensatz> gefiltert(const QList<Datensatz>& saetze, Zeitraum zeitraum, const QDate& heute,
                           const QString& rechner)
{
    const QDate von = ersterTag(zeitraum, heute);
    if (!von.isValid() && rechner.isEmpty())
        return saetze; // shares the list, a school year's worth of memory
    QList<Datensatz> aus;
    for (const Datensatz& d : saetze) {
        const QDate tag = d.zeit.date();
        if (von.isValid() && (tag < von || tag > heute))
            continue;
        if (!rechner.isEmpty() && d.rechner != rechner)
            continue;
        aus.append(d);
    }
    return aus;
}

QStringList rechnerListe(const QList<Datensatz>& saetze)
{
    QSet<QString> gesehen;
    for (const Datensatz& d : saetze)
        gesehen.insert(d.rechner);
    QStringList liste(gesehen.begin(), gesehen.end());
    std::sort(liste.begin(), liste.end(), [](const QString& a, const QString& b) { return deutsch()(a, b); });
    return liste;
}

Runde alsRunde(const Datensatz& d)
{
    return {d.stufe, d.richtige, d.falsche, int(d.gezeigt.size())};
}

int vorgeschlageneStufe(const QList<Runde>& runden)
{
    if (runden.isEmpty())
        return 1;
    const qsizetype n = runden.size();
    if (n >= 2 && runden[n - 2].stufe == runden[n - 1].stufe && runden[n - 2].fehlerfrei() &&
        runden[n - 1].fehlerfrei())
        return std::clamp(runden[n - 1].stufe + 1, 1, hoechsteStufe());
    int hoechste = 1;
    for (const Runde& r : runden)
        hoechste = std::max(hoechste, r.stufe);
    hoechste = std::min(hoechste, hoechsteStufe());
    int schwach = 0, dort = 0;
    for (qsizetype i = n - 1; i >= 0 && dort < 2; --i)
        if (std::min(runden[i].stufe, hoechsteStufe()) == hoechste)
            ++dort, schwach += runden[i].mehrFalscheAlsRichtige() ? 1 : 0;
    return schwach == 2 ? std::max(hoechste - 1, 1) : hoechste;
}

QString vorschlagsRegel()
{
    return QStringLiteral(
        "So entsteht der Vorschlag: Hat ein Kind seine letzten beiden Runden auf derselben Stufe gespielt, "
        "jedes Mal ohne falsches Wort und mit allen gezeigten Wörtern, wird die nächste Stufe "
        "vorgeschlagen. Hat es in seinen letzten beiden Runden auf seiner höchsten Stufe jeweils mehr "
        "falsche als richtige Wörter gewählt, wird die Stufe darunter vorgeschlagen. Sonst bleibt es bei "
        "der höchsten Stufe, die es gespielt hat; ein Kind ohne Runde beginnt mit Stufe 1.");
}

QList<Kind> kinder(const QList<Datensatz>& saetze, const Namen& namen)
{
    QList<Kind> liste;
    QHash<QString, qsizetype> nachGruppe;
    QHash<QString, QString> gruppeDesNamens;
    QList<QHash<QString, std::pair<int, qsizetype>>> schreibweisen;
    for (qsizetype i = 0; i < saetze.size(); ++i) {
        const QString& roh = saetze[i].name;
        auto g = gruppeDesNamens.constFind(roh);
        if (g == gruppeDesNamens.constEnd())
            g = gruppeDesNamens.insert(roh, namen.gruppe(namensSchluessel(roh)));
        auto k = nachGruppe.constFind(*g);
        if (k == nachGruppe.constEnd()) {
            k = nachGruppe.insert(*g, liste.size());
            Kind neu;
            neu.schluessel = *g;
            neu.stufen.resize(hoechsteStufe());
            liste.append(neu);
            schreibweisen.emplace_back();
        }
        liste[*k].saetze.append(i);
        auto& s = schreibweisen[*k][namensSchreibweise(roh)];
        s = {s.first + 1, i};
    }
    for (qsizetype k = 0; k < liste.size(); ++k)
        schliesseAb(liste[k], saetze, schreibweisen[k]);
    std::sort(liste.begin(), liste.end(), [](const Kind& a, const Kind& b) {
        const int c = deutsch().compare(a.name, b.name);
        return c != 0 ? c < 0 : a.schluessel < b.schluessel;
    });
    return liste;
}

bool gehoertZu(const Datensatz& d, const QString& gruppe, const Namen& namen)
{
    return namen.gruppe(namensSchluessel(d.name)) == gruppe;
}

QList<Fehlwort> oftUebersehen(const QList<Datensatz>& saetze)
{
    QHash<QString, int> zahl;
    for (const Datensatz& d : saetze)
        for (const QString& w : d.gezeigt)
            if (!d.gewaehlt.contains(w))
                ++zahl[w];
    QList<Fehlwort> liste;
    liste.reserve(zahl.size());
    for (auto it = zahl.cbegin(); it != zahl.cend(); ++it)
        liste.append({it.key(), it.value()});
    std::sort(liste.begin(), liste.end(), [](const Fehlwort& a, const Fehlwort& b) {
        return a.anzahl != b.anzahl ? a.anzahl > b.anzahl : deutsch()(a.wort, b.wort);
    });
    return liste;
}

Ansicht werteAus(const QList<Datensatz>& saetze, const Namen& namen, Zeitraum zeitraum, const QDate& heute,
                 const QString& rechner)
{
    Ansicht a;
    a.saetze = gefiltert(saetze, zeitraum, heute, rechner);
    a.kinder = kinder(a.saetze, namen);
    a.fehlwoerter = oftUebersehen(a.saetze);
    return a;
}

} // namespace kb::erg
