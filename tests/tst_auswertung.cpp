// What the class overview computes from the records: children grouped whatever
// the case and blanks of their names, joined spellings kept in the results
// folder, the suggested level for histories of rounds, the words the class
// misses most, and the records of a period and a computer.
#include "ergebnisse/auswertung.h"
#include "ergebnisse/bestand.h"
#include "ergebnisse/schreiber.h"
#include "support/spielumgebung.h"

#include <QTemporaryDir>

namespace erg = kb::erg;

namespace {

erg::Datensatz satz(const QString& name, const QDateTime& zeit = QDateTime(QDate(2026, 12, 7), QTime(9, 0)),
                    const QString& rechner = u"pc1"_s)
{
    return {zeit,
            rechner,
            u"klasse"_s,
            name,
            1,
            {u"Affe"_s, u"Bär"_s, u"Zug"_s, u"Ei"_s},
            {u"Affe"_s, u"Bär"_s, u"Zug"_s, u"Ei"_s},
            4,
            0};
}

// "2:5-2 2:7-0": rounds as level:right-wrong, oldest first.
QList<erg::Runde> runden(const QString& verlauf)
{
    QList<erg::Runde> liste;
    for (const QString& teil : verlauf.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList z = teil.split(QRegularExpression(u"[:-]"_s));
        const int stufe = z[0].toInt();
        liste.append({stufe, z[1].toInt(), z[2].toInt(), (stufe == 1 || stufe == 3) ? 4 : 7});
    }
    return liste;
}

QStringList namenDer(const QList<erg::Kind>& kinder)
{
    QStringList namen;
    for (const erg::Kind& k : kinder)
        namen.append(k.name);
    return namen;
}

} // namespace

class tst_Auswertung : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namen_data()
    {
        QTest::addColumn<QStringList>("eingetippt"); // one record each, oldest first
        QTest::addColumn<QStringList>("kinder");
        QTest::addColumn<QList<int>>("runden");
        QTest::newRow("Leerzeichen außen")
            << QStringList{u" Anna "_s, u"Anna"_s, u"\tAnna  "_s} << QStringList{u"Anna"_s} << QList<int>{3};
        // Letter case alone: tst_klassenuebersicht's rows of "anna" and "Anna".
        QTest::newRow("doppelte Leerzeichen innen")
            << QStringList{u"Anna  Lena"_s, u"anna lena"_s, u"Anna Lena"_s} << QStringList{u"Anna Lena"_s}
            << QList<int>{3};
        QTest::newRow("ß und SS") << QStringList{u"Strauß"_s, u"STRAUSS"_s, u"Strauß"_s}
                                  << QStringList{u"Strauß"_s} << QList<int>{3};
        QTest::newRow("Gleichstand: die zuletzt getippte")
            << QStringList{u"ben"_s, u"Ben"_s} << QStringList{u"Ben"_s} << QList<int>{2};
        QTest::newRow("verschiedene Kinder, deutsch sortiert")
            << QStringList{u"Zoe"_s, u"Oskar"_s, u"ömer"_s, u"Ömer"_s, u"Ömer"_s, u"anna"_s}
            << QStringList{u"anna"_s, u"Ömer"_s, u"Oskar"_s, u"Zoe"_s} << QList<int>{1, 3, 1, 1};
        QTest::newRow("ohne Namen") << QStringList{QString(), u"  "_s} << QStringList{QString()}
                                    << QList<int>{2};
        QTest::newRow("ähnlich, aber nicht gleich")
            << QStringList{u"Ana"_s, u"Anna"_s, u"AnnaLena"_s}
            << QStringList{u"Ana"_s, u"Anna"_s, u"AnnaLena"_s} << QList<int>{1, 1, 1};
    }
    // One line per child whatever the case and blanks it typed, named by the
    // spelling it used most, sorted as a German class list.
    void namen()
    {
        QFETCH(QStringList, eingetippt);
        QFETCH(QStringList, kinder);
        QFETCH(QList<int>, runden);
        QList<erg::Datensatz> saetze;
        for (int i = 0; i < eingetippt.size(); ++i)
            saetze.append(satz(eingetippt[i], QDateTime(QDate(2026, 12, 7), QTime(9, i))));
        const QList<erg::Kind> k = erg::kinder(saetze, {});
        QCOMPARE(namenDer(k), kinder);
        QList<int> gezaehlt;
        for (const erg::Kind& kind : k)
            gezaehlt.append(kind.runden);
        QCOMPARE(gezaehlt, runden);
    }

    // Two spellings joined by a teacher stay one child when the folder is read
    // again; the joins file is no results file for the game's reader.
    void zusammenfuehrenBleibt()
    {
        QTemporaryDir dir;
        for (const QString& name : {u"Ana"_s, u"Anna"_s, u"Anna"_s, u"Jan"_s, u"Jann"_s, u"Jan-Niklas"_s})
            erg::halteFest(dir.path(), satz(name));
        QVERIFY(erg::warteAufSchreiber(10000));
        QCOMPARE(erg::kinder(erg::lies(dir.path()).saetze, erg::Namen::lies(dir.path())).size(), 5);
        QVERIFY(erg::Namen::merke(dir.path(), u" Anna"_s, u"ANA"_s));
        QVERIFY(erg::Namen::merke(dir.path(), u"Jann"_s, u"Jan"_s));
        QVERIFY(erg::Namen::merke(dir.path(), u"Jan-Niklas"_s, u"jan"_s)); // joined to "Jann" before
        QCOMPARE(erg::kinder(erg::lies(dir.path()).saetze, erg::Namen::lies(dir.path())).size(), 2);
        QVERIFY(erg::Namen::merke(dir.path(), u"jann"_s, u"Jan-Niklas"_s)); // a circle, joined already
        const erg::Bestand b = erg::lies(dir.path());
        QCOMPARE(b.dateien, 1);
        QCOMPARE(b.unlesbareZeilen, 0);
        const QList<erg::Kind> k = erg::kinder(b.saetze, erg::Namen::lies(dir.path()));
        QCOMPARE(namenDer(k).size(), 2);
        QCOMPARE(k[0].name, u"Anna"_s);
        QCOMPARE(k[0].runden, 3);
        QCOMPARE(k[1].runden, 3);
        QVERIFY(QFileInfo(dir.filePath(QLatin1String(erg::Zusammenfuehrungsdatei))).isHidden());
    }

    void vorschlag_data()
    {
        QTest::addColumn<QString>("verlauf");
        QTest::addColumn<int>("stufe");
        QTest::newRow("keine Runde") << u""_s << 1;
        QTest::newRow("eine fehlerfreie Runde") << u"1:4-0"_s << 1;
        QTest::newRow("zweimal fehlerfrei") << u"1:4-0 1:4-0"_s << 2;
        QTest::newRow("höchste Stufe bleibt") << u"5:7-0 5:7-0"_s << 5;
        QTest::newRow("ohne Fehler, ein Wort nicht gefunden") << u"1:4-0 1:3-0"_s << 1;
        QTest::newRow("fehlerfrei auf zwei Stufen") << u"1:4-0 2:7-0"_s << 2;
        QTest::newRow("zurück und zweimal fehlerfrei") << u"4:2-5 2:7-0 2:7-0"_s << 3;
        QTest::newRow("zweimal schwach auf der höchsten") << u"1:4-0 1:4-0 2:2-5 2:3-4"_s << 1;
        QTest::newRow("schwach, eine leichtere Runde dazwischen") << u"2:2-5 1:3-1 2:3-4"_s << 1;
        QTest::newRow("einmal schwach") << u"2:2-5 2:4-3"_s << 2;
        QTest::newRow("gleich viele falsche wie richtige") << u"3:2-2 3:2-2"_s << 3;
        QTest::newRow("schwach auf Stufe 1") << u"1:1-3 1:0-4"_s << 1;
        QTest::newRow("schwach nur auf einer leichteren") << u"3:4-0 2:1-6 2:2-5"_s << 3;
    }
    void vorschlag()
    {
        QFETCH(QString, verlauf);
        QFETCH(int, stufe);
        QCOMPARE(erg::vorgeschlageneStufe(runden(verlauf)), stufe);
    }

    void fehlwoerter_data()
    {
        QTest::addColumn<QStringList>("runden"); // "shown words|picked words"
        QTest::addColumn<QString>("erwartet");
        QTest::newRow("nichts übersehen") << QStringList{u"Affe,Bär,Zug,Ei|Ei,Zug,Bär,Affe"_s} << u""_s;
        QTest::newRow("gezählt, häufigste zuerst")
            << QStringList{u"Affe,Bär,Zug,Ei|Affe,Hut,Zug,Ei"_s, u"Bär,Igel,Zug,Ei|Hut,Maus,Zug,Ei"_s,
                           u"Igel,Bär,Hut,Ei|Igel,Hut,Ei,Maus"_s}
            << u"Bär:3 Igel:1"_s;
        QTest::newRow("gleich oft: deutsch sortiert")
            << QStringList{u"Zug,Öl,Ei,Affe|Affe,Hut,Maus,Igel"_s} << u"Ei:1 Öl:1 Zug:1"_s;
        QTest::newRow("falsch gewählt zählt nicht")
            << QStringList{u"Affe,Bär,Zug,Ei|Affe,Bär,Zug,Hut"_s} << u"Ei:1"_s;
    }
    // The words shown but not picked, with how often, most often first.
    void fehlwoerter()
    {
        QFETCH(QStringList, runden);
        QFETCH(QString, erwartet);
        QList<erg::Datensatz> saetze;
        for (const QString& r : runden) {
            erg::Datensatz d = satz(u"Anna"_s);
            d.gezeigt = r.section(u'|', 0, 0).split(u',');
            d.gewaehlt = r.section(u'|', 1, 1).split(u',');
            saetze.append(d);
        }
        QStringList gezaehlt;
        for (const erg::Fehlwort& w : erg::oftUebersehen(saetze))
            gezaehlt.append(u"%1:%2"_s.arg(w.wort).arg(w.anzahl));
        QCOMPARE(gezaehlt.join(u' '), erwartet);
    }

    void filter_data()
    {
        QTest::addColumn<int>("zeitraum");
        QTest::addColumn<QString>("rechner");
        QTest::addColumn<QString>("tage"); // the days of the records kept, as "MM-dd"
        // Thursday, 10 December 2026; the records alternate between pc1 and pc2.
        QTest::newRow("Woche") << int(erg::Zeitraum::Woche) << QString() << u"12-07 12-10"_s;
        QTest::newRow("Monat") << int(erg::Zeitraum::Monat) << QString() << u"12-01 12-06 12-07 12-10"_s;
        QTest::newRow("alle") << int(erg::Zeitraum::Alle) << QString()
                              << u"12-10 11-30 12-01 12-06 12-07 12-10 12-11"_s;
        QTest::newRow("alle auf pc2") << int(erg::Zeitraum::Alle) << u"pc2"_s << u"11-30 12-06 12-10"_s;
        QTest::newRow("Monat auf pc1") << int(erg::Zeitraum::Monat) << u"pc1"_s << u"12-01 12-07"_s;
        QTest::newRow("unbekannter Rechner") << int(erg::Zeitraum::Alle) << u"pc9"_s << u""_s;
    }
    void filter()
    {
        QFETCH(int, zeitraum);
        QFETCH(QString, rechner);
        QFETCH(QString, tage);
        const QDate heute(2026, 12, 10);
        QList<erg::Datensatz> saetze;
        const QList<QDate> daten{QDate(2025, 12, 10), QDate(2026, 11, 30), QDate(2026, 12, 1),
                                 QDate(2026, 12, 6),  QDate(2026, 12, 7),  QDate(2026, 12, 10),
                                 QDate(2026, 12, 11)};
        for (int i = 0; i < daten.size(); ++i)
            saetze.append(satz(u"Anna"_s, QDateTime(daten[i], QTime(23, 59)), i % 2 ? u"pc2"_s : u"pc1"_s));
        QStringList behalten;
        for (const erg::Datensatz& d : erg::gefiltert(saetze, erg::Zeitraum(zeitraum), heute, rechner))
            behalten.append(d.zeit.date().toString(u"MM-dd"_s));
        QCOMPARE(behalten.join(u' '), tage);
        QCOMPARE(erg::rechnerListe(saetze), (QStringList{u"pc1"_s, u"pc2"_s}));
    }
};

QTEST_MAIN(tst_Auswertung)
#include "tst_auswertung.moc"
