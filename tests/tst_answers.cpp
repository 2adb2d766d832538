// The answer boards and the result screens, through real input.
#include "shell/modVariablen.h"
#include "support/spielumgebung.h"

#include <QLabel>
#include <QTest>

using namespace tk;
using namespace Qt::StringLiterals;
using kb::modVariablen::Falsche;
using kb::modVariablen::Richtige;
using kbtest::Spiel;

namespace {

constexpr OleColor Gruen = 0x0000FF00, Rot = 0x000000FF;
const QStringList fuenfzehn{"Apfel", "Ball", "Baum",  "Haus", "Hund",  "Katze", "Maus", "Sonne",
                            "Zug",   "Bär",  "Blume", "Brot", "Fisch", "Igel",  "Käse"};

struct Tafel {
    QString name;
    int gezeigt;
    QString auswertung;
};
const Tafel kurz{u"frmAusw1"_s, 4, u"frmAuswert1"_s}, lang{u"frmAusw2"_s, 7, u"frmAuswert2"_s};

struct Ergebnis {
    QString schirm;
    int richtige, falsche;
    QString name, zeilen, lob = {};
    double oben = 0;
    QString text = {};
};

// Loads the board with the words after leaving stale counters behind, as a round would.
Form* laden(Spiel& spiel, const Tafel& t, const QStringList& woerter)
{
    kbtest::setzeBildnamen(woerter);
    Richtige = 3, Falsche = 1;
    return spiel.starte(t.name);
}

QStringList beschriftungen(const Form* tafel)
{
    QStringList l;
    for (int i = 0; tafel->hasControl(u"cmdeins"_s, i); ++i)
        l << tafel->find<tk::CommandButton>(u"cmdeins"_s, i).Caption();
    return l;
}

// What the child sees in a label.
QString sichtbar(const Label& l)
{
    return l.widget()->isVisible() ? qobject_cast<QLabel*>(l.widget())->text() : u"<unsichtbar>"_s;
}

} // namespace

class tst_Answers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void picksAreJudgedAndCounted_data()
    {
        QTest::addColumn<Tafel>("t");
        QTest::addColumn<QStringList>("woerter");
        QTest::addColumn<QList<int>>("klicks"); // indices into the words
        QTest::addColumn<int>("richtige");
        const QStringList neun = fuenfzehn.mid(0, 9);
        QStringList genau = neun; // letter case and a trailing blank make other words
        genau[5] = u"apfel"_s;
        genau[6] = u"Ball "_s;
        QTest::newRow("short, shown") << kurz << neun << QList<int>{3, 0, 2, 1} << 4;
        QTest::newRow("short, unseen") << kurz << neun << QList<int>{8, 7, 6, 5} << 0;
        QTest::newRow("short, exact words") << kurz << genau << QList<int>{5, 0, 6, 1} << 2;
        QTest::newRow("long, unseen") << lang << fuenfzehn << QList<int>{7, 8, 9, 10, 11, 12, 14} << 0;
        QTest::newRow("long, mixed") << lang << fuenfzehn << QList<int>{6, 13, 0, 7, 3, 10, 5} << 4;
    }
    // Each click replaces its word by a green or red marker, which takes clicks to no
    // effect; the counters stay at 0 until the 4th or 7th word click evaluates.
    void picksAreJudgedAndCounted()
    {
        QFETCH(Tafel, t);
        QFETCH(QStringList, woerter);
        QFETCH(QList<int>, klicks);
        QFETCH(int, richtige);
        Spiel spiel;
        Form* tafel = laden(spiel, t, woerter);
        QStringList sortiert = beschriftungen(tafel), erwartet = woerter; // each word once
        sortiert.sort(), erwartet.sort();
        QCOMPARE(sortiert, erwartet);
        for (int n = 0; n < klicks.size(); ++n) {
            QCOMPARE(spiel.aktuellerName(), t.name);
            QVERIFY(Richtige == 0 && Falsche == 0);
            const int i = int(beschriftungen(tafel).indexOf(woerter.at(klicks.at(n))));
            Spiel::klick(tafel->find<tk::CommandButton>(u"cmdeins"_s, i));
            if (n + 1 == klicks.size())
                break;
            const CommandButton& marke = tafel->find<tk::CommandButton>(u"cmdzwei"_s, i);
            Spiel::klickAnStelle(marke); // takes the click and changes nothing
            QVERIFY(marke.widget()->isVisible() &&
                    !tafel->find<tk::CommandButton>(u"cmdeins"_s, i).widget()->isVisible());
            QCOMPARE(marke.BackColor(), klicks.at(n) < t.gezeigt ? Gruen : Rot);
        }
        QCOMPARE(spiel.aktuellerName(), t.auswertung);
        QCOMPARE(int(Richtige), richtige);
        QCOMPARE(int(Falsche), t.gezeigt - richtige);
    }

    // Two pictures whose names differ only in their extension give one word twice:
    // the board still fills every button instead of drawing forever.
    void repeatedWordsStillFillTheBoard()
    {
        Spiel spiel;
        QStringList woerter = fuenfzehn.mid(0, 9);
        woerter[6] = woerter[1];
        QStringList gelegt = beschriftungen(laden(spiel, kurz, woerter));
        gelegt.sort();
        woerter.sort();
        QCOMPARE(gelegt, woerter);
    }

    void resultScreens_data()
    {
        QTest::addColumn<Ergebnis>("e");
        const QString k = u"frmAuswert1"_s, l = u"frmAuswert2"_s, a = u"Anna"_s;
        const QString alle = u"Sehr gut, du hast alle Antworten richtig!"_s;
        const auto zeilen = [](int r, int f) {
            return u"%1 richtige Antwort%2, %3 falsche Antwort%4"_s.arg(r)
                .arg(r == 1 ? "" : "en")
                .arg(f)
                .arg(f == 1 ? "" : "en");
        };
        QTest::newRow("short 4") << Ergebnis(k, 4, 0, a, zeilen(4, 0), u"lblSupi1"_s, 5760, alle);
        QTest::newRow("short 3") << Ergebnis(k, 3, 1, {}, zeilen(3, 1), u"lblSupi3"_s, 4560,
                                             u" Schön, du hast drei Antworten richtig!"_s);
        QTest::newRow("short 2") << Ergebnis(k, 2, 2, u" Jörg  "_s, zeilen(2, 2), u"lblSupi2"_s, 5160,
                                             u" Gut, du hast zwei Antworten richtig!"_s);
        QTest::newRow("short 1") << Ergebnis(k, 1, 3, a, zeilen(1, 3));
        QTest::newRow("long 7") << Ergebnis(l, 7, 0, a, zeilen(7, 0), u"lblSupi1"_s, 6120, u' ' + alle);
        QTest::newRow("long 6") << Ergebnis(l, 6, 1, {}, zeilen(6, 1), u"lblSupi2"_s, 4320,
                                            u" Super, du hast fast alles richtig!"_s);
        QTest::newRow("long 5") << Ergebnis(l, 5, 2, a, zeilen(5, 2), u"lblSupi3"_s, 5520,
                                            u" Schön, du hast fünf richtige Antworten gegeben!"_s);
        QTest::newRow("long 4") << Ergebnis(l, 4, 3, a, zeilen(4, 3), u"lblSupi4"_s, 4920,
                                            u" Sehr gut, vier richtige Antworten!"_s);
        QTest::newRow("long 3") << Ergebnis(l, 3, 4, a, zeilen(3, 4));
    }
    // Shown after a round with all answers right and "Noch einmal": no stale praise.
    void resultScreens()
    {
        QFETCH(Ergebnis, e);
        Spiel spiel;
        Richtige = 7;
        Spiel::klick(spiel.starte(e.schirm)->find<tk::CommandButton>(u"cmdNochmal"_s));
        QCOMPARE(spiel.aktuellerName(), u"frmSchwierigkeit"_s);
        kb::modVariablen::Benutzername = e.name;
        Richtige = std::int16_t(e.richtige);
        Falsche = std::int16_t(e.falsche);
        Spiel::wechsle(e.schirm);
        Form* f = spiel.aktuell();
        const Label &so = f->find<tk::Label>(u"lblso"_s), &name = f->find<tk::Label>(u"lblName"_s);
        QCOMPARE(sichtbar(so), u"Hallo "_s);
        QCOMPARE(sichtbar(name), e.name + u'!');
        QCOMPARE(name.widget()->x(), so.widget()->geometry().right() + 1);
        QCOMPARE(sichtbar(f->find<tk::Label>(u"lblPunkte"_s)) + u", "_s +
                     sichtbar(f->find<tk::Label>(u"lblPunkte2"_s)),
                 e.zeilen);
        for (const QString& lob : {u"lblSupi1"_s, u"lblSupi2"_s, u"lblSupi3"_s, u"lblSupi4"_s})
            if (f->hasControl(lob))
                QCOMPARE(sichtbar(f->find<tk::Label>(lob)), lob == e.lob ? e.text : QString());
        if (!e.lob.isEmpty())
            QCOMPARE(f->find<tk::Label>(e.lob).widget()->y() * 15, e.oben);
        // The focus starts on "Noch einmal" (short) or "Ende" (long); space presses it.
        Spiel::aktiviere(f);
        Spiel::tasten(u"Space"_s);
        QTRY_COMPARE(spiel.beendet(), e.schirm == u"frmAuswert2"_s);
        QCOMPARE(spiel.aktuellerName(), spiel.beendet() ? QString() : u"frmSchwierigkeit"_s);
    }
};

QTEST_MAIN(tst_Answers)
#include "tst_answers.moc"
