// The answer boards and the result screens: the shuffle, the judging of each pick,
// the markers, the evaluation, and what the result screens say, through real input.
#include "shell/modVariablen.h"
#include "support/spielumgebung.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace tk;
using namespace Qt::StringLiterals;
using kbtest::Spiel;
using modVariablen::Falsche;
using modVariablen::Richtige;

namespace {

constexpr OleColor Gruen = 0x0000FF00, Rot = 0x000000FF;
const QStringList fuenfzehn{"Apfel", "Ball", "Baum",  "Haus", "Hund",  "Katze", "Maus", "Sonne",
                            "Zug",   "Bär",  "Blume", "Brot", "Fisch", "Igel",  "Käse"};

struct Tafel {
    QString name;
    int woerter, gezeigt;
    QString auswertung;
};
const Tafel kurz{u"frmAusw1"_s, 9, 4, u"frmAuswert1"_s}, lang{u"frmAusw2"_s, 15, 7, u"frmAuswert2"_s};

struct Wahl {
    Tafel t;
    QStringList woerter;
    QList<int> klicks; // indices into the words
    int richtige;
};

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
    Richtige = 3;
    Falsche = 1;
    return spiel.starte(t.name);
}

const auto beschriftungen = [](const Form* tafel) {
    QStringList l;
    for (int i = 0; tafel->hasControl(u"cmdeins"_s, i); ++i)
        l << tafel->button(u"cmdeins"_s, i).Caption();
    return l;
};
const auto sortiert = [](QStringList l) { return l.sort(), l; };
// Scripts the shuffle so that word button i gets Bildnamen(i).
const auto geordnet = [](Spiel& spiel, int n) {
    for (int i = 0; i < n; ++i)
        spiel.services.scriptedNumbers.push_back(std::min(float(i) / float(n - 1), 0.999f));
};
// What the child sees in a label.
const auto sichtbar = [](const Label& l) {
    return l.widget()->isVisible() ? qobject_cast<QLabel*>(l.widget())->text() : u"<unsichtbar>"_s;
};
const auto tafeln = [] {
    QTest::addColumn<Tafel>("t");
    QTest::newRow("short") << kurz;
    QTest::newRow("long") << lang;
};

} // namespace

class tst_Answers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void boardFillsEveryButton_data()
    {
        QTest::addColumn<Tafel>("t");
        QTest::addColumn<QStringList>("woerter");
        QStringList paare = fuenfzehn;
        paare[14] = paare[1];
        paare[7] = paare[8];
        QTest::newRow("short") << kurz << fuenfzehn.mid(0, 9);
        QTest::newRow("long") << lang << fuenfzehn;
        QTest::newRow("short, all equal") << kurz << QStringList(9, u"Hund"_s);
        QTest::newRow("long, two pairs") << lang << paare;
    }
    // Each load shuffles the round's words onto the buttons, each word once, and
    // starts the counters from 0. Should words be equal (the draw prevents it), the
    // board still fills every button and never hangs.
    void boardFillsEveryButton()
    {
        QFETCH(Tafel, t);
        QFETCH(QStringList, woerter);
        QSet<QString> anordnungen;
        for (std::int64_t uhr : {11, 2222, 33333}) {
            Spiel spiel;
            spiel.services.clock = uhr;
            const QStringList l = beschriftungen(laden(spiel, t, woerter));
            QCOMPARE(spiel.services.randomizeCalls, 1);
            QCOMPARE(sortiert(l), sortiert(woerter));
            anordnungen.insert(l.join(u'|'));
            QVERIFY(Richtige == 0 && Falsche == 0);
        }
        QVERIFY(anordnungen.size() > 1 || woerter.count(woerter[0]) == t.woerter);
    }

    void shuffleRoundsHalfToEvenAndRedraws_data()
    {
        QTest::addColumn<Tafel>("t");
        QTest::addColumn<QList<float>>("zahlen");
        QTest::addColumn<QList<int>>("reihenfolge");
        // 0.5 -> 0; 1.5 -> 2; 2.5 -> 2 again, drawn anew; 7.92 -> 8; a repeat, then in order.
        QTest::newRow("short, factor 8")
            << kurz << QList<float>{0.0625f, 0.1875f, 0.3125f, 0.125f, 0.99f, 0.25f,
                                    0.375f,  0.5f,    0.625f,  0.75f,  0.875f}
            << QList<int>{0, 2, 1, 8, 3, 4, 5, 6, 7};
        // A half lands on the eighth word, and 7.4999998 is not pushed up to 7.5.
        QList<float> lange{0.5f, 0.999f, 0x1.124924p-1f};
        for (int k = 0; k < 14; ++k)
            lange << float(k) / 14.0f;
        QTest::newRow("long, factor 14")
            << lang << lange << QList<int>{7, 14, 0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13};
    }
    void shuffleRoundsHalfToEvenAndRedraws()
    {
        QFETCH(Tafel, t);
        QFETCH(QList<float>, zahlen);
        QFETCH(QList<int>, reihenfolge);
        Spiel spiel;
        spiel.services.scriptedNumbers.assign(zahlen.begin(), zahlen.end());
        const QStringList l = beschriftungen(laden(spiel, t, fuenfzehn.mid(0, t.woerter)));
        for (int i = 0; i < t.woerter; ++i)
            QCOMPARE(l.at(i), fuenfzehn.at(reihenfolge.at(i)));
        QCOMPARE(spiel.services.rndCalls, zahlen.size());
    }

    void picksAreJudgedAndCounted_data()
    {
        QTest::addColumn<Wahl>("w");
        const QStringList neun = fuenfzehn.mid(0, 9);
        QStringList genau = neun; // letter case and a trailing blank make other words
        genau[5] = u"apfel"_s;
        genau[6] = u"Ball "_s;
        QTest::newRow("short, shown") << Wahl{kurz, neun, {3, 0, 2, 1}, 4};
        QTest::newRow("short, unseen") << Wahl{kurz, neun, {4, 5, 6, 7}, 0};
        QTest::newRow("short, unseen 2") << Wahl{kurz, neun, {8, 7, 6, 5}, 0};
        QTest::newRow("short, exact words") << Wahl{kurz, genau, {5, 0, 6, 1}, 2};
        QTest::newRow("long, shown") << Wahl{lang, fuenfzehn, {0, 1, 2, 3, 4, 5, 6}, 7};
        QTest::newRow("long, unseen") << Wahl{lang, fuenfzehn, {7, 8, 9, 10, 11, 12, 13}, 0};
        QTest::newRow("long, unseen 2") << Wahl{lang, fuenfzehn, {14, 13, 12, 11, 10, 9, 8}, 0};
        QTest::newRow("long, mixed") << Wahl{lang, fuenfzehn, {6, 14, 0, 7, 3, 10, 5}, 4};
    }
    // Each click replaces its word by a green or red marker; the counters stay at 0
    // until the 4th or 7th click evaluates and opens the result screen.
    void picksAreJudgedAndCounted()
    {
        QFETCH(Wahl, w);
        const auto& [t, woerter, klicks, richtige] = w;
        Spiel spiel;
        Form* tafel = laden(spiel, t, woerter);
        for (int n = 0; n < klicks.size(); ++n) {
            QCOMPARE(spiel.aktuellerName(), t.name);
            QVERIFY(Richtige == 0 && Falsche == 0);
            const int i = int(beschriftungen(tafel).indexOf(woerter.at(klicks.at(n))));
            const CommandButton& marke = tafel->button(u"cmdzwei"_s, i);
            QVERIFY(i >= 0 && !marke.widget()->isVisible());
            const QRect platz = tafel->button(u"cmdeins"_s, i).widget()->geometry();
            Spiel::klick(tafel->button(u"cmdeins"_s, i));
            if (n + 1 == klicks.size())
                break;
            QVERIFY(marke.widget()->isVisible() && !tafel->button(u"cmdeins"_s, i).widget()->isVisible());
            QCOMPARE(marke.widget()->geometry(), platz);
            QCOMPARE(marke.BackColor(), klicks.at(n) < t.gezeigt ? Gruen : Rot);
        }
        QCOMPARE(spiel.aktuellerName(), t.auswertung);
        QCOMPARE(int(Richtige), richtige);
        QCOMPARE(int(Falsche), t.gezeigt - richtige);
    }

    // A marker does nothing: no click or key on it counts, the long board's markers
    // take no focus, and the board closes at its own number of word clicks.
    void markersDoNothing_data() { tafeln(); }
    void markersDoNothing()
    {
        QFETCH(Tafel, t);
        Spiel spiel;
        geordnet(spiel, t.woerter);
        Form* tafel = laden(spiel, t, fuenfzehn.mid(0, t.woerter));
        Spiel::klickAnStelle(tafel->button(u"cmdeins"_s, 0));
        const CommandButton& marke = tafel->button(u"cmdzwei"_s, 0);
        QVERIFY(marke.widget()->isVisible());
        for (int n = 0; n < t.gezeigt + 2; ++n)
            Spiel::klickAnStelle(marke);
        Spiel::aktiviere(tafel);
        QSet<QWidget*> stops;
        for (int n = 0; n < 2 * t.woerter; ++n) {
            stops.insert(QApplication::focusWidget());
            Spiel::tasten(QApplication::focusWidget() == marke.widget() ? u"Space, Space, Tab"_s : u"Tab"_s);
        }
        QCOMPARE(stops.contains(marke.widget()), t.woerter == 9);
        QCOMPARE(stops.size(), t.woerter == 9 ? 9 : 14);
        QCOMPARE(spiel.aktuellerName(), t.name);
        QCOMPARE(marke.BackColor(), Gruen);
        for (int n = 1; n < t.gezeigt; ++n)
            Spiel::klickAnStelle(tafel->button(u"cmdeins"_s, t.woerter - n));
        QCOMPARE(spiel.aktuellerName(), t.auswertung);
        QCOMPARE(int(Richtige), 1);
        QCOMPARE(int(Falsche), t.gezeigt - 1);
    }

    void tabOrderAndFirstFocus_data()
    {
        QTest::addColumn<Tafel>("t");
        QTest::addColumn<QList<int>>("reihenfolge");
        QTest::newRow("short") << kurz << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 0};
        QTest::newRow("long") << lang << QList<int>{5, 4, 3, 2, 1, 0, 6, 7, 8, 9, 10, 11, 12, 13, 14, 5};
    }
    void tabOrderAndFirstFocus()
    {
        QFETCH(Tafel, t);
        QFETCH(QList<int>, reihenfolge);
        Spiel spiel;
        Form* tafel = laden(spiel, t, fuenfzehn.mid(0, t.woerter));
        Spiel::aktiviere(tafel);
        for (int i : reihenfolge) {
            QCOMPARE(QApplication::focusWidget(), tafel->button(u"cmdeins"_s, i).widget());
            Spiel::tasten(u"Tab"_s);
        }
    }

    void resultScreens_data()
    {
        QTest::addColumn<Ergebnis>("e");
        const QString k = u"frmAuswert1"_s, l = u"frmAuswert2"_s, a = u"Anna"_s;
        const QString alle = u"Sehr gut, du hast alle Antworten richtig!"_s;
        QTest::newRow("short 4") << Ergebnis(k, 4, 0, a, u"4 richtige Antworten, 0 falsche Antworten"_s,
                                             u"lblSupi1"_s, 5760, alle);
        QTest::newRow("short 3") << Ergebnis(k, 3, 1, {}, u"3 richtige Antworten, 1 falsche Antwort"_s,
                                             u"lblSupi3"_s, 4560,
                                             u" Schön, du hast drei Antworten richtig!"_s);
        QTest::newRow("short 2") << Ergebnis(k, 2, 2, u" Jörg  "_s,
                                             u"2 richtige Antworten, 2 falsche Antworten"_s, u"lblSupi2"_s,
                                             5160, u" Gut, du hast zwei Antworten richtig!"_s);
        QTest::newRow("short 1") << Ergebnis(k, 1, 3, a, u"1 richtige Antwort, 3 falsche Antworten"_s);
        QTest::newRow("short 0") << Ergebnis(k, 0, 4, a, u"0 richtige Antworten, 4 falsche Antworten"_s);
        QTest::newRow("short 4 and 3") << Ergebnis(k, 4, 3, a, u"4 richtige Antworten, 3 falsche Antworten"_s,
                                                   u"lblSupi1"_s, 5760, alle);
        QTest::newRow("short 2 and 1") << Ergebnis(k, 2, 1, a, u"2 richtige Antworten, 1 falsche Antwort"_s);
        QTest::newRow("long 7") << Ergebnis(l, 7, 0, a, u"7 richtige Antworten, 0 falsche Antworten"_s,
                                            u"lblSupi1"_s, 6120, u' ' + alle);
        QTest::newRow("long 6") << Ergebnis(l, 6, 1, {}, u"6 richtige Antworten, 1 falsche Antwort"_s,
                                            u"lblSupi2"_s, 4320, u" Super, du hast fast alles richtig!"_s);
        QTest::newRow("long 5") << Ergebnis(l, 5, 2, a, u"5 richtige Antworten, 2 falsche Antworten"_s,
                                            u"lblSupi3"_s, 5520,
                                            u" Schön, du hast fünf richtige Antworten gegeben!"_s);
        QTest::newRow("long 4") << Ergebnis(l, 4, 3, a, u"4 richtige Antworten, 3 falsche Antworten"_s,
                                            u"lblSupi4"_s, 4920, u" Sehr gut, vier richtige Antworten!"_s);
        QTest::newRow("long 3") << Ergebnis(l, 3, 4, a, u"3 richtige Antworten, 4 falsche Antworten"_s);
        QTest::newRow("long 1") << Ergebnis(l, 1, 6, a, u"1 richtige Antwort, 6 falsche Antworten"_s);
        QTest::newRow("long 6 and 0") << Ergebnis(l, 6, 0, a, u"6 richtige Antworten, 0 falsche Antworten"_s);
    }
    void resultScreens()
    {
        QFETCH(Ergebnis, e);
        Spiel spiel;
        modVariablen::Benutzername = e.name;
        Richtige = std::int16_t(e.richtige);
        Falsche = std::int16_t(e.falsche);
        Form* f = spiel.starte(e.schirm);
        const Label& so = f->label(u"lblso"_s);
        const Label& name = f->label(u"lblName"_s);
        QCOMPARE(sichtbar(so), u"Hallo "_s);
        QCOMPARE(sichtbar(name), e.name + u'!');
        QCOMPARE(name.Left(), so.Left() + so.Width());
        QCOMPARE(name.Top(), so.Top());
        QCOMPARE(name.widget()->x(), so.widget()->geometry().right() + 1);
        QCOMPARE(sichtbar(f->label(u"lblPunkte"_s)) + u", "_s + sichtbar(f->label(u"lblPunkte2"_s)),
                 e.zeilen);
        for (const QString& lob : {u"lblSupi1"_s, u"lblSupi2"_s, u"lblSupi3"_s, u"lblSupi4"_s}) {
            if (f->hasControl(lob))
                QCOMPARE(sichtbar(f->label(lob)), lob == e.lob ? e.text : QString());
        }
        if (!e.lob.isEmpty())
            QCOMPARE(f->label(e.lob).widget()->y() * 15, e.oben);
        QVERIFY(Richtige == e.richtige && Falsche == e.falsche);
    }

    // "Noch einmal" resets nothing, yet a later result screen shows no stale praise.
    void secondRoundShowsNoStalePraise()
    {
        Spiel spiel;
        Richtige = 4;
        Form* f = spiel.starte(u"frmAuswert1"_s);
        QCOMPARE(sichtbar(f->label(u"lblSupi1"_s)), u"Sehr gut, du hast alle Antworten richtig!"_s);
        Spiel::klick(f->button(u"cmdNochmal"_s));
        QCOMPARE(spiel.aktuellerName(), u"frmSchwierigkeit"_s);
        QCOMPARE(int(Richtige), 4);
        Richtige = 1;
        Falsche = 3;
        Spiel::wechsle(u"frmAuswert1"_s);
        for (const QString& lob : {u"lblSupi1"_s, u"lblSupi2"_s, u"lblSupi3"_s})
            QCOMPARE(sichtbar(spiel.aktuell()->label(lob)), QString());
    }

    void resultButtons_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::addColumn<QString>("eingabe"); // keys, or a button clicked with the mouse
        QTest::addColumn<QString>("weiter");  // empty: the program ended
        const QString k = u"frmAuswert1"_s, l = u"frmAuswert2"_s, menue = u"frmSchwierigkeit"_s;
        QTest::newRow("short, space") << k << u"Space"_s << menue;
        QTest::newRow("long, space") << l << u"Space"_s << QString();
        QTest::newRow("short, tab") << k << u"Tab, Space"_s << QString();
        QTest::newRow("long, tab") << l << u"Tab, Space"_s << menue;
        QTest::newRow("short, Ende") << k << u"cmdEnde"_s << QString();
    }
    // The focus starts on "Noch einmal" (short) or "Ende" (long); space presses it.
    void resultButtons()
    {
        QFETCH(QString, schirm);
        QFETCH(QString, eingabe);
        QFETCH(QString, weiter);
        Spiel spiel;
        Form* f = spiel.starte(schirm);
        Spiel::aktiviere(f);
        eingabe.startsWith(u"cmd"_s) ? Spiel::klick(f->button(eingabe)) : Spiel::tasten(eingabe);
        QTRY_COMPARE(spiel.aktuellerName(), weiter);
        QCOMPARE(spiel.beendet(), weiter.isEmpty());
        QCOMPARE(spiel.services.exitStatus, weiter.isEmpty() ? 0 : -1);
    }
};

QTEST_MAIN(tst_Answers)
#include "tst_answers.moc"
