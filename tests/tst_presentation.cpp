// The picture rounds: the draw, the screens by button and by timer, the prompt.
#include "shell/modVariablen.h"
#include "support/spielumgebung.h"

#include <QFileInfo>
#include <QTest>

using namespace tk;
using namespace Qt::StringLiterals;
using kb::modVariablen::Bildzaehler;
using kbtest::Spiel;

namespace {

struct Stufe {
    QString screen;
    QString timer; // empty: the child's button paces the round
    int shown, slots;
};

// The random number that makes the draw pick `position` out of `count` files.
float zahlFuer(qsizetype position, int count)
{
    return (float(position) + 0.5f) / float(count);
}
void weiter(Form* f)
{
    Spiel::klick(f->find<tk::CommandButton>(u"cmdweiter"_s));
}

} // namespace

class tst_Presentation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void levels_data()
    {
        QTest::addColumn<Stufe>("st");
        QTest::newRow("1") << Stufe{u"frmSchw1"_s, {}, 4, 9};
        QTest::newRow("2") << Stufe{u"frmSchw2"_s, {}, 7, 15};
        QTest::newRow("3") << Stufe{u"frmSchw3"_s, u"tmreins"_s, 4, 9};
        QTest::newRow("4") << Stufe{u"frmSchw4"_s, u"Timer1"_s, 7, 15};
    }
    // One picture per click (levels 1 and 2) or per timer event (3 and 4, where no
    // click or key changes the pace); the board after exactly N + 1 with the shown
    // words first. A folder of exactly T files: each is used once.
    void levels()
    {
        QFETCH(Stufe, st);
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(st.slots));
        Form* f = spiel.starte(st.screen);
        CommandButton& cmdweiter = f->find<tk::CommandButton>(u"cmdweiter"_s);
        Spiel::aktiviere(f);
        if (!st.timer.isEmpty()) {
            QVERIFY(!cmdweiter.widget()->isVisible());
            QCOMPARE(f->find<tk::Timer>(st.timer).Interval(), 3000);
            Spiel::tasten(u"Return, Space, Alt+E"_s);
            QCOMPARE(Bildzaehler, 0.0);
        }
        QStringList captions{cmdweiter.Caption()}, shownWords;
        for (int n = 1; n <= st.shown; ++n) {
            st.timer.isEmpty() ? weiter(f) : f->find<tk::Timer>(st.timer).fire();
            QCOMPARE(Bildzaehler, double(n));
            shownWords << QFileInfo(f->find<tk::Image>(u"imgBild"_s).picture().path()).baseName();
            captions << cmdweiter.Caption();
        }
        if (st.timer.isEmpty())
            QCOMPARE(captions, QStringList{u"&erstes Bild"_s} + QStringList(st.shown - 1, u"nächstes Bild"_s)
                                   << u"Zur Auswahlbox"_s);
        QCOMPARE(spiel.aktuellerName(), st.screen);
        st.timer.isEmpty() ? weiter(f) : f->find<tk::Timer>(st.timer).fire();
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), st.slots == 9 ? u"frmAusw1"_s : u"frmAusw2"_s);
        QStringList words = kbtest::bildnamen();
        QCOMPARE(words.mid(0, st.shown), shownWords);
        words.sort();
        QCOMPARE(words, kbtest::bilddateien(st.slots).replaceInStrings(u".png"_s, QString()));
    }

    void displayTimePrompt_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("interval"); // 0: refused, the prompt comes back
        for (const QString& refused : {u"0"_s, QString(), u"abc"_s, u"-1"_s, u"16"_s, u"2.5"_s})
            QTest::newRow(qPrintable(u"„"_s + refused + u"“"_s)) << refused << 0;
        QTest::newRow("1") << u"1"_s << 1000;
        QTest::newRow("1,5") << u"1,5"_s << 2000;
        QTest::newRow(" 15 ") << u" 15 "_s << 15000;
    }
    // Under German settings; a refused entry brings the same prompt back, no message.
    void displayTimePrompt()
    {
        QFETCH(QString, answer);
        QFETCH(int, interval);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(15));
        spiel.services.promptAnswers = {answer, u"3"_s};
        Form* f = spiel.starte(u"frmSchw5"_s);
        const QString prompt =
            u"Bitte gib eine Zahl ein!!! Diese Zahl ist die Anzeigezeit (für eine Sekunde = 1, "
            "für zwei Sekunden = 2 usw...; maximal bis 15)"_s;
        QCOMPARE(spiel.services.promptTexts, QStringList(interval ? 1 : 2, prompt));
        QCOMPARE(spiel.services.promptTitles.first(), u"Eingabe"_s);
        QVERIFY(spiel.services.messages.isEmpty() && !spiel.services.error);
        QCOMPARE(f->find<tk::Timer>(u"Timer1"_s).Interval(), interval ? interval : 3000);
    }

    // Each slot seeds once; a repeated position, a repeated word (one name with two
    // extensions) and a file without a word (four characters or fewer) are drawn
    // again at once without seeding. The word is the name less four characters.
    void drawTurnsAwayRepeatsAndFilesWithoutWord()
    {
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(6)
                           << u"Hund.jpg"_s << u"Hund.png"_s << u"Zebra.jpeg"_s << u"Tintenfisch"_s
                           << u"Bär.png"_s << u"Ohr"_s << u"a.gi"_s);
        Form* f = spiel.starte(u"frmSchw1"_s);
        const auto zahl = [&](const char* name) {
            return zahlFuer(f->find<tk::FileListBox>(u"File1"_s).entries().indexOf(QString::fromUtf8(name)),
                            13);
        };
        spiel.services.scriptedNumbers = {zahl("Hund.jpg"),    zahl("Hund.jpg"),   zahl("Hund.png"),
                                          zahl("Ohr"),         zahl("Zebra.jpeg"), zahl("a.gi"),
                                          zahl("Tintenfisch"), zahl("Bär.png")};
        for (int slot = 0; slot < 4; ++slot)
            weiter(f);
        QCOMPARE(spiel.services.randomizeCalls, 4);
        QCOMPARE(spiel.services.rndCalls, 8);
        QCOMPARE(kbtest::bildnamen(), (QStringList{u"Hund"_s, u"Zebra."_s, u"Tintenf"_s, u"Bär"_s}));
        weiter(f);
        QCOMPARE(spiel.aktuellerName(), u"frmAusw1"_s);
    }

    // A round of 9 after a round of 15 leaves exactly 9 elements, and the old
    // round's positions play no part in the new one.
    void roundOfNineAfterRoundOfFifteen()
    {
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(20));
        spiel.starte(u"frmSchw2"_s);
        for (int i = 0; i < 8; ++i)
            weiter(spiel.aktuell());
        const double ersterPlatz = kb::modVariablen::Zufallszahlen(0);
        Spiel::wechsle(u"frmSchw1"_s);
        spiel.services.scriptedNumbers = {zahlFuer(int(ersterPlatz), 20)};
        for (int i = 0; i < 5; ++i)
            weiter(spiel.aktuell());
        QCOMPARE(kb::modVariablen::Zufallszahlen(0), ersterPlatz);
        QCOMPARE(spiel.aktuellerName(), u"frmAusw1"_s);
        QCOMPARE(kb::modVariablen::Bildnamen.UBound(), 8);
        QCOMPARE(kb::modVariablen::Zufallszahlen.UBound(), 8);
    }
};

QTEST_MAIN(tst_Presentation)
#include "tst_presentation.moc"
