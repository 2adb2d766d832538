// The answer boards: shuffling the round's words onto the buttons, judging each
// pick, the markers that replace the clicked words, and the evaluation that
// opens the result screen, all driven through real clicks and keys.
#include "auswahl_hilfen.h"

#include <QApplication>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <algorithm>

using namespace tk;
using kbtest::Spiel;
using modVariablen::Falsche;
using modVariablen::Richtige;

namespace {

const QString cmdeins = QStringLiteral("cmdeins");
const QString cmdzwei = QStringLiteral("cmdzwei");
constexpr OleColor Gruen = 0x0000FF00;
constexpr OleColor Rot = 0x000000FF;

struct Brett {
    const char* name;
    int woerter;
    int gezeigt;
    const char* auswertung;
    int ersterFokus;
};
const Brett kurz{"frmAusw1", 9, 4, "frmAuswert1", 0};
const Brett lang{"frmAusw2", 15, 7, "frmAuswert2", 5};

QStringList woerterFuer(const Brett& b)
{
    return b.woerter == 9 ? kbtest::neunWoerter() : kbtest::fuenfzehnWoerter();
}

// Loads the board with the given words after leaving stale counters behind, as
// a previous round would.
Form* laden(Spiel& spiel, const Brett& b, const QStringList& woerter)
{
    kbtest::woerterSetzen(woerter);
    Richtige = 3;
    Falsche = 1;
    spiel.starte(QString::fromLatin1(b.name));
    return spiel.geladen(QString::fromLatin1(b.name));
}

QStringList beschriftungen(const Form& tafel, int woerter)
{
    QStringList l;
    for (int i = 0; i < woerter; ++i)
        l.append(tafel.button(cmdeins, i).Caption());
    return l;
}

QStringList sortiert(QStringList l)
{
    l.sort();
    return l;
}

void brettTabelle()
{
    QTest::addColumn<int>("welches");
    QTest::newRow("frmAusw1") << 0;
    QTest::newRow("frmAusw2") << 1;
}

const Brett& brett(int welches)
{
    return welches == 0 ? kurz : lang;
}

} // namespace

class tst_Auswahlbox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captionsAreTheWordsEachOnce_data() { brettTabelle(); }
    void captionsAreTheWordsEachOnce()
    {
        QFETCH(int, welches);
        const Brett& b = brett(welches);
        QSet<QString> anordnungen;
        for (std::int64_t uhr : {11, 2222, 33333, 444444}) {
            Spiel spiel;
            spiel.services.clock = uhr;
            Form* tafel = laden(spiel, b, woerterFuer(b));
            QVERIFY(tafel);
            QCOMPARE(spiel.services.randomizeCalls, 1);
            const QStringList l = beschriftungen(*tafel, b.woerter);
            QCOMPARE(sortiert(l), sortiert(woerterFuer(b)));
            anordnungen.insert(l.join(QLatin1Char('|')));
            for (int i = 0; i < b.woerter; ++i) {
                QVERIFY(tafel->button(cmdeins, i).widget()->isVisible());
                QVERIFY(!tafel->button(cmdzwei, i).widget()->isVisible());
            }
            QCOMPARE(Richtige.value(), 0);
            QCOMPARE(Falsche.value(), 0);
        }
        QVERIFY2(anordnungen.size() > 1, "each load draws its own arrangement");
    }

    // Halves go to the even neighbour, the factor is 8 (so 0.99 still lands on
    // the ninth word), and a word already on the board is drawn again.
    void shortShuffleRoundsHalvesToEvenAndRedraws()
    {
        Spiel spiel;
        spiel.services.scriptedNumbers = {0.0625f, 0.1875f, 0.3125f, 0.125f, 0.99f, 0.25f,
                                          0.375f,  0.5f,    0.625f,  0.75f,  0.875f};
        const QStringList w = kbtest::neunWoerter();
        Form* tafel = laden(spiel, kurz, w);
        QVERIFY(tafel);
        // 0.5 -> 0; 1.5 -> 2; 2.5 -> 2 again, drawn anew: 1; 7.92 -> 8; 2 again,
        // drawn anew: 3; then 4 to 7.
        QCOMPARE(beschriftungen(*tafel, 9),
                 (QStringList{w[0], w[2], w[1], w[8], w[3], w[4], w[5], w[6], w[7]}));
        QCOMPARE(spiel.services.rndCalls, 11);
    }

    // The long board multiplies by 14, not 15: one half lands on the eighth
    // word and the largest number on the fifteenth. The product is exact, so a
    // number just below a half is not pushed up to it.
    void longShuffleUsesFactorFourteen()
    {
        Spiel spiel;
        const float knappUnterSiebenEinhalb = 0x1.124924p-1f; // times 14: 7.4999998
        spiel.services.scriptedNumbers = {0.5f, 0.999f, knappUnterSiebenEinhalb};
        for (int k = 0; k <= 14; ++k)
            spiel.services.scriptedNumbers.push_back(kbtest::zahlFuer(k, 14));
        const QStringList w = kbtest::fuenfzehnWoerter();
        Form* tafel = laden(spiel, lang, w);
        QVERIFY(tafel);
        const QStringList l = beschriftungen(*tafel, 15);
        QCOMPARE(l.at(0), w[7]);
        QCOMPARE(l.at(1), w[14]);
        QCOMPARE(l.at(2), w[0]); // 7.4999998 rounds to 7, already on the board, so drawn again
        QCOMPARE(sortiert(l), sortiert(w));
    }

    void fewerClicksLeaveBoardOpen_data() { brettTabelle(); }
    void fewerClicksLeaveBoardOpen()
    {
        QFETCH(int, welches);
        const Brett& b = brett(welches);
        Spiel spiel;
        kbtest::geordnet(spiel, b.woerter);
        Form* tafel = laden(spiel, b, woerterFuer(b));
        // Alternately a shown and an unseen word, one fewer than the evaluation needs.
        for (int n = 0; n < b.gezeigt - 1; ++n) {
            const int i = n % 2 == 0 ? n / 2 : b.woerter - 1 - n / 2;
            Spiel::klick(tafel->button(cmdeins, i));
            QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(b.name));
            const CommandButton& marke = tafel->button(cmdzwei, i);
            QVERIFY(marke.widget()->isVisible());
            QVERIFY(!tafel->button(cmdeins, i).widget()->isVisible());
            QCOMPARE(marke.widget()->geometry(), tafel->button(cmdeins, i).widget()->geometry());
            QCOMPARE(marke.BackColor(), i < b.gezeigt ? Gruen : Rot);
            QCOMPARE(Richtige.value(), 0);
            QCOMPARE(Falsche.value(), 0);
        }
        // The last click colours its marker and closes the board in the same step.
        Spiel::klick(tafel->button(cmdeins, 3));
        QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(b.auswertung));
        QVERIFY(!spiel.geladen(QString::fromLatin1(b.name)));
        QCOMPARE(Richtige + Falsche, b.gezeigt);
    }

    void allShownOrAllUnseen_data() { brettTabelle(); }
    void allShownOrAllUnseen()
    {
        QFETCH(int, welches);
        const Brett& b = brett(welches);
        const QStringList w = woerterFuer(b);
        for (bool gesehen : {true, false}) {
            Spiel spiel;
            Form* tafel = laden(spiel, b, w);
            const QStringList auswahl = gesehen ? w.mid(0, b.gezeigt) : w.mid(b.gezeigt, b.gezeigt);
            for (const QString& wort : auswahl)
                kbtest::wortKlicken(*tafel, wort);
            QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(b.auswertung));
            QCOMPARE(Richtige.value(), gesehen ? b.gezeigt : 0);
            QCOMPARE(Falsche.value(), gesehen ? 0 : b.gezeigt);
        }
    }

    // Wherever the shuffle puts them, the words behind the shown ones are red.
    void unseenWordsAreNeverGreen_data() { brettTabelle(); }
    void unseenWordsAreNeverGreen()
    {
        QFETCH(int, welches);
        const Brett& b = brett(welches);
        const QStringList w = woerterFuer(b);
        const int ungesehen = b.woerter - b.gezeigt;
        for (int runde = 0; runde < 12; ++runde) {
            Spiel spiel;
            spiel.services.clock = 1000 + 77 * runde;
            Form* tafel = laden(spiel, b, w);
            // Each round leaves out another unseen word, so every one is clicked.
            for (int n = 0; n < b.gezeigt; ++n) {
                const QString wort = w.at(b.gezeigt + (runde + n) % ungesehen);
                const int i = kbtest::knopfMit(*tafel, wort);
                kbtest::wortKlicken(*tafel, wort);
                if (n < b.gezeigt - 1)
                    QCOMPARE(tafel->button(cmdzwei, i).BackColor(), Rot);
            }
            QCOMPARE(Richtige.value(), 0);
            QCOMPARE(Falsche.value(), b.gezeigt);
        }
    }

    void mixedPicksCountBoth()
    {
        Spiel spiel;
        const QStringList w = kbtest::fuenfzehnWoerter();
        Form* tafel = laden(spiel, lang, w);
        for (int k : {6, 14, 0, 7, 3, 10, 5})
            kbtest::wortKlicken(*tafel, w.at(k));
        QCOMPARE(Richtige.value(), 4);
        QCOMPARE(Falsche.value(), 3);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAuswert2"));
    }

    // Every character counts: case and trailing blanks make other words.
    void wordsCompareExactly()
    {
        Spiel spiel;
        QStringList w = kbtest::neunWoerter();
        w[0] = QStringLiteral("Hund");
        w[5] = QStringLiteral("hund");
        w[1] = QStringLiteral("Ball");
        w[6] = QStringLiteral("Ball ");
        Form* tafel = laden(spiel, kurz, w);
        QCOMPARE(sortiert(beschriftungen(*tafel, 9)), sortiert(w));
        const int klein = kbtest::knopfMit(*tafel, QStringLiteral("hund"));
        const int gross = kbtest::knopfMit(*tafel, QStringLiteral("Hund"));
        const int leer = kbtest::knopfMit(*tafel, QStringLiteral("Ball "));
        QVERIFY(klein != gross);
        kbtest::wortKlicken(*tafel, QStringLiteral("hund"));
        kbtest::wortKlicken(*tafel, QStringLiteral("Hund"));
        kbtest::wortKlicken(*tafel, QStringLiteral("Ball "));
        QCOMPARE(tafel->button(cmdzwei, klein).BackColor(), Rot);
        QCOMPARE(tafel->button(cmdzwei, gross).BackColor(), Gruen);
        QCOMPARE(tafel->button(cmdzwei, leer).BackColor(), Rot);
        kbtest::wortKlicken(*tafel, QStringLiteral("Ball"));
        QCOMPARE(Richtige.value(), 2);
        QCOMPARE(Falsche.value(), 2);
    }

    // On the short board a marker is enabled but has no action: a click where
    // it stands changes nothing and is not counted.
    void markerClickDoesNothing_data() { brettTabelle(); }
    void markerClickDoesNothing()
    {
        QFETCH(int, welches);
        const Brett& b = brett(welches);
        Spiel spiel;
        kbtest::geordnet(spiel, b.woerter);
        Form* tafel = laden(spiel, b, woerterFuer(b));
        // The same way of clicking reaches a word button that can be clicked.
        kbtest::anStelleKlicken(tafel->button(cmdeins, 0));
        const CommandButton& marke = tafel->button(cmdzwei, 0);
        QVERIFY(marke.widget()->isVisible());
        QCOMPARE(marke.BackColor(), Gruen);
        QCOMPARE(marke.Enabled(), welches == 0);
        for (int n = 0; n < b.gezeigt + 2; ++n)
            kbtest::anStelleKlicken(marke);
        QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(b.name));
        QVERIFY(marke.widget()->isVisible());
        QCOMPARE(marke.BackColor(), Gruen);
        for (int i = 1; i < b.woerter; ++i)
            QVERIFY(tafel->button(cmdeins, i).widget()->isVisible());
        // Only the word clicks count: the board closes at its own number of them.
        for (int n = 1; n < b.gezeigt - 1; ++n)
            kbtest::anStelleKlicken(tafel->button(cmdeins, n));
        QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(b.name));
        kbtest::anStelleKlicken(tafel->button(cmdeins, b.woerter - 1));
        QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(b.auswertung));
        QCOMPARE(Richtige.value(), b.gezeigt - 1);
        QCOMPARE(Falsche.value(), 1);
    }

    // Tab walks the word buttons in the order of their TabIndex values; the label
    // and the hidden markers are left out.
    void tabOrderAndFirstFocus_data()
    {
        QTest::addColumn<int>("welches");
        QTest::addColumn<QList<int>>("reihenfolge");
        QTest::newRow("frmAusw1") << 0 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8};
        QTest::newRow("frmAusw2") << 1 << QList<int>{5, 4, 3, 2, 1, 0, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    }
    void tabOrderAndFirstFocus()
    {
        QFETCH(int, welches);
        QFETCH(QList<int>, reihenfolge);
        const Brett& b = brett(welches);
        Spiel spiel;
        Form* tafel = laden(spiel, b, woerterFuer(b));
        Spiel::aktiviere(tafel);
        for (int i : reihenfolge) {
            QCOMPARE(QApplication::focusWidget(), tafel->button(cmdeins, i).widget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), tafel->button(cmdeins, reihenfolge.first()).widget());
    }

    void spacePressesFocusedWord_data() { brettTabelle(); }
    void spacePressesFocusedWord()
    {
        QFETCH(int, welches);
        const Brett& b = brett(welches);
        Spiel spiel;
        kbtest::geordnet(spiel, b.woerter);
        Form* tafel = laden(spiel, b, woerterFuer(b));
        Spiel::aktiviere(tafel);
        QCOMPARE(QApplication::focusWidget(), tafel->button(cmdeins, b.ersterFokus).widget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        Spiel::ruhe();
        QVERIFY(tafel->button(cmdzwei, b.ersterFokus).widget()->isVisible());
        QVERIFY(!tafel->button(cmdeins, b.ersterFokus).widget()->isVisible());
        QCOMPARE(tafel->button(cmdzwei, b.ersterFokus).BackColor(), b.ersterFokus < b.gezeigt ? Gruen : Rot);
        // The focus moves on to a word that is still there; space goes on picking.
        for (int n = 1; n < b.gezeigt; ++n) {
            auto* knopf = qobject_cast<QPushButton*>(QApplication::focusWidget());
            QVERIFY(knopf);
            QCOMPARE(knopf->objectName(), cmdeins);
            QTest::keyClick(knopf, Qt::Key_Space);
            Spiel::ruhe();
        }
        QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(b.auswertung));
        QCOMPARE(Richtige + Falsche, b.gezeigt);
    }

    // A shown marker of the long board never takes the focus.
    void longBoardMarkersTakeNoFocus()
    {
        Spiel spiel;
        kbtest::geordnet(spiel, 15);
        Form* tafel = laden(spiel, lang, kbtest::fuenfzehnWoerter());
        for (int i : {5, 0, 9, 14, 12, 7})
            Spiel::klick(tafel->button(cmdeins, i));
        Spiel::aktiviere(tafel);
        QSet<QWidget*> erreicht;
        for (int n = 0; n < 40; ++n) {
            QWidget* w = QApplication::focusWidget();
            QVERIFY(w);
            QCOMPARE(w->objectName(), cmdeins);
            erreicht.insert(w);
            QTest::keyClick(w, Qt::Key_Tab);
        }
        QCOMPARE(erreicht.size(), 9);
    }

    // The short board's markers are enabled: one can hold the focus, and the
    // space bar on it does nothing.
    void shortBoardMarkerIgnoresSpace()
    {
        Spiel spiel;
        kbtest::geordnet(spiel, 9);
        Form* tafel = laden(spiel, kurz, kbtest::neunWoerter());
        Spiel::klick(tafel->button(cmdeins, 8));
        Spiel::aktiviere(tafel);
        QWidget* marke = tafel->button(cmdzwei, 8).widget();
        for (int n = 0; n < 12 && QApplication::focusWidget() != marke; ++n)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), marke);
        for (int n = 0; n < 5; ++n)
            QTest::keyClick(marke, Qt::Key_Space);
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAusw1"));
        QCOMPARE(tafel->button(cmdzwei, 8).BackColor(), Rot);
        for (int i = 0; i < 8; ++i)
            QVERIFY(tafel->button(cmdeins, i).widget()->isVisible());
    }

    // Should two words be equal, the board still fills every button, each word
    // of Bildnamen on one button; a clicked copy of a shown word is green.
    void equalWordsStillFillTheBoard_data() { brettTabelle(); }
    void equalWordsStillFillTheBoard()
    {
        QFETCH(int, welches);
        const Brett& b = brett(welches);
        QStringList w = woerterFuer(b);
        w[b.woerter - 1] = w[1];
        w[b.gezeigt] = w[b.gezeigt + 1];
        for (std::int64_t uhr : {5, 50, 500, 5000, 50000}) {
            Spiel spiel;
            spiel.services.clock = uhr;
            Form* tafel = laden(spiel, b, w);
            QVERIFY(tafel);
            QCOMPARE(sortiert(beschriftungen(*tafel, b.woerter)), sortiert(w));
        }
        // Both buttons with the shown word's text are green, a copy of an unseen one red.
        Spiel spiel;
        Form* tafel = laden(spiel, b, w);
        QList<int> gruen;
        for (int i = 0; i < b.woerter; ++i)
            if (tafel->button(cmdeins, i).Caption() == w[1])
                gruen.append(i);
        QCOMPARE(gruen.size(), 2);
        const int rot = kbtest::knopfMit(*tafel, w[b.gezeigt]);
        for (int i : {gruen[0], gruen[1], rot})
            Spiel::klick(tafel->button(cmdeins, i));
        QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(b.name));
        QCOMPARE(tafel->button(cmdzwei, gruen[0]).BackColor(), Gruen);
        QCOMPARE(tafel->button(cmdzwei, gruen[1]).BackColor(), Gruen);
        QCOMPARE(tafel->button(cmdzwei, rot).BackColor(), Rot);
    }

    void allWordsEqual()
    {
        Spiel spiel;
        Form* tafel = laden(spiel, kurz, QStringList(9, QStringLiteral("Hund")));
        QVERIFY(tafel);
        QCOMPARE(beschriftungen(*tafel, 9), QStringList(9, QStringLiteral("Hund")));
        QCOMPARE(spiel.services.rndCalls, 9);
    }

    // The result screen leaves the counters as they are; the next board zeroes them.
    void nextBoardStartsFromZero()
    {
        Spiel spiel;
        kbtest::menueSicherstellen();
        const QStringList w = kbtest::neunWoerter();
        Form* tafel = laden(spiel, kurz, w);
        for (int k = 0; k < 4; ++k)
            kbtest::wortKlicken(*tafel, w.at(k));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAuswert1"));
        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdNochmal")));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchwierigkeit"));
        QCOMPARE(Richtige.value(), 4);
        QCOMPARE(Falsche.value(), 0);

        kbtest::weiterZu(QStringLiteral("frmAusw1"));
        tafel = spiel.aktuell();
        QCOMPARE(tafel->name(), QStringLiteral("frmAusw1"));
        QCOMPARE(Richtige.value(), 0);
        QCOMPARE(Falsche.value(), 0);
        for (int k : {8, 2, 7})
            kbtest::wortKlicken(*tafel, w.at(k));
        QCOMPARE(Richtige.value(), 0);
        kbtest::wortKlicken(*tafel, w.at(6));
        QCOMPARE(Richtige.value(), 1);
        QCOMPARE(Falsche.value(), 3);
    }

    // Closing the board with its close box evaluates nothing and ends the program.
    void closeBoxEndsWithoutEvaluation()
    {
        Spiel spiel;
        Form* tafel = laden(spiel, lang, kbtest::fuenfzehnWoerter());
        kbtest::wortKlicken(*tafel, kbtest::fuenfzehnWoerter().at(0));
        tafel->window()->close();
        Spiel::ruhe();
        QCOMPARE(Richtige.value(), 0);
        QCOMPARE(Falsche.value(), 0);
        QVERIFY(spiel.beendet());
        QVERIFY(!spiel.geladen(QStringLiteral("frmAuswert2")));
    }
};

QTEST_MAIN(tst_Auswahlbox)
#include "tst_auswahlbox.moc"
