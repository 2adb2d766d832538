// The picture rounds: the pool and the random draw, the five presentation screens
// by button and by timer, the display-time prompt, and the errors that end a round.
#include "shell/modVariablen.h"
#include "support/spielumgebung.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace tk;
using namespace Qt::StringLiterals;
using kbtest::Spiel;
using modVariablen::Bildzaehler;

namespace {

struct Stufe {
    QString screen;
    QColor background;
    QString timer; // empty: the child's button paces the round
    int buttonTop, shown, slots;
};

// The random number that makes the draw pick `position` out of `count` files.
const auto zahlFuer = [](qsizetype position, int count) { return (float(position) + 0.5f) / float(count); };
const auto weiter = [](Form* f) { Spiel::klick(f->button(u"cmdweiter"_s)); };
const auto hintergrund = [](Form* f) { return f->window()->grab().toImage().pixelColor(20, 300); };
const auto gezeigtesWort = [](Form* f) {
    return QFileInfo(f->image(u"imgBild"_s).picture().path()).baseName();
};
const auto woerter = [](int count) {
    return kbtest::bilddateien(count).replaceInStrings(u".png"_s, QString());
};

} // namespace

class tst_Presentation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void levels_data()
    {
        QTest::addColumn<Stufe>("st");
        QTest::newRow("1") << Stufe{u"frmSchw1"_s, QColor(0x80, 0xFF, 0x80), {}, 496, 4, 9};
        QTest::newRow("2") << Stufe{u"frmSchw2"_s, QColor(0x00, 0xC0, 0xC0), {}, 472, 7, 15};
        QTest::newRow("3") << Stufe{u"frmSchw3"_s, QColor(0xFF, 0x80, 0x80), u"tmreins"_s, 0, 4, 9};
        QTest::newRow("4") << Stufe{u"frmSchw4"_s, QColor(0xC0, 0xFF, 0xFF), u"Timer1"_s, 0, 7, 15};
    }
    // One picture per click or key (levels 1 and 2) or per timer event every 3000 ms
    // from the load (3 and 4, where no click or key changes the pace); the board
    // after exactly N + 1 with the shown words first. T files: each is used once.
    void levels()
    {
        QFETCH(Stufe, st);
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(st.slots));
        Form* f = spiel.starte(st.screen);
        QVERIFY(f);
        QCOMPARE(f->window()->windowTitle(), u"Schwierigkeitsstufe "_s + st.screen.right(1));
        QCOMPARE(f->window()->frameGeometry().size(), QSize(800, 600));
        QCOMPARE(hintergrund(f), st.background);
        CommandButton& cmdweiter = f->button(u"cmdweiter"_s);
        Image& imgBild = f->image(u"imgBild"_s);
        QVERIFY(imgBild.picture().isNull() && !f->fileList(u"File1"_s).widget()->isVisible());
        QCOMPARE(imgBild.widget()->pos(), QPoint(176, 40));
        Spiel::aktiviere(f);
        if (st.timer.isEmpty()) {
            QCOMPARE(cmdweiter.Caption(), u"&erstes Bild"_s);
            QCOMPARE(cmdweiter.widget()->geometry(), QRect(672, st.buttonTop, 113, 57));
        } else {
            QVERIFY(!cmdweiter.widget()->isVisible() && !cmdweiter.Enabled());
            QCOMPARE(f->timer(st.timer).Interval(), 3000);
            QVERIFY(f->window()->findChild<QTimer*>(st.timer)->remainingTime() > 2500);
            Spiel::klickAnStelle(cmdweiter);
            Spiel::tasten(u"Return, Space, Esc, Alt+E"_s);
            QTest::qWait(150);
            QCOMPARE(Bildzaehler, 0.0);
        }
        const QStringList keys{u"Alt+E"_s, u"Return"_s, u"Space"_s};
        QStringList captions, shownWords;
        for (int n = 1; n <= st.shown; ++n) {
            !st.timer.isEmpty() ? f->timer(st.timer).fire()
            : n <= 3            ? Spiel::tasten(keys.at(n - 1))
                                : weiter(f);
            QTRY_COMPARE(Bildzaehler, double(n));
            shownWords << gezeigtesWort(f);
            QCOMPARE(modVariablen::Bildnamen(n - 1), shownWords.last());
            QCOMPARE(imgBild.Width(), 15.0 * imgBild.picture().size().width());
            QCOMPARE(static_cast<QLabel*>(imgBild.widget())->pixmap().size(), imgBild.picture().size());
            captions << cmdweiter.Caption();
        }
        if (st.timer.isEmpty())
            QCOMPARE(captions, QStringList(st.shown - 1, u"nächstes Bild"_s) << u"Zur Auswahlbox"_s);
        QCOMPARE(spiel.aktuellerName(), st.screen);
        st.timer.isEmpty() ? weiter(f) : f->timer(st.timer).fire();
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), st.slots == 9 ? u"frmAusw1"_s : u"frmAusw2"_s);
        QCOMPARE(Bildzaehler, double(st.slots));
        QStringList words = kbtest::bildnamen();
        QCOMPARE(words.mid(0, st.shown), shownWords);
        QCOMPARE(words.size(), st.slots);
        words.sort();
        QCOMPARE(words, woerter(st.slots));
    }

    // Never scaled: a large picture reaches from its corner to the screen's edge,
    // and the button stays above it and takes the click.
    void largePictureLiesUnderTheButton()
    {
        Spiel spiel;
        spiel.bilderOrdner({});
        for (const QString& name : kbtest::bilddateien(9))
            kbtest::schreibeBild(spiel.programmOrdner() + u"/bilder/"_s + name, QSize(700, 560), "PNG",
                                 Qt::blue);
        Form* f = spiel.starte(u"frmSchw1"_s);
        weiter(f);
        const Image& imgBild = f->image(u"imgBild"_s);
        QCOMPARE(QSizeF(imgBild.Width(), imgBild.Height()), QSizeF(10500, 8400));
        const QSize client = f->window()->size();
        QCOMPARE(static_cast<QLabel*>(imgBild.widget())->pixmap().size(), client - QSize(176, 40));
        QCOMPARE(f->window()->grab().toImage().pixelColor(client.width() - 2, client.height() - 2), Qt::blue);
        Spiel::klickAnStelle(f->button(u"cmdweiter"_s));
        QCOMPARE(Bildzaehler, 2.0);
    }

    // Level 5 under German settings: each refused entry brings the same prompt back
    // without a message; "1,5" passes as 2 seconds, and the timer plays the round.
    void displayTimePrompt()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(15));
        spiel.services.promptAnswers = {u"0"_s, {}, u"abc"_s, u"-1"_s, u"16"_s, u"33"_s, u"1,5"_s};
        Form* f = spiel.starte(u"frmSchw5"_s);
        const QString prompt =
            u"Bitte gib eine Zahl ein!!! Diese Zahl ist die Anzeigezeit (für eine Sekunde = 1, "
            "für zwei Sekunden = 2 usw...; maximal bis 15)"_s;
        QCOMPARE(spiel.services.promptTexts, QStringList(7, prompt));
        QCOMPARE(spiel.services.promptTitles, QStringList(7, u"Eingabe"_s));
        QVERIFY(spiel.services.messages.isEmpty() && !spiel.services.error);
        QVERIFY(f && f->window()->isVisible() && !f->button(u"cmdweiter"_s).Visible());
        QCOMPARE(f->window()->windowTitle(), u"Schwierigkeitsstufe 5"_s);
        QCOMPARE(hintergrund(f), Qt::white);
        Timer& Timer1 = f->timer(u"Timer1"_s);
        QCOMPARE(Timer1.Interval(), 2000);
        for (int event = 1; event <= 7; ++event)
            Timer1.fire();
        QCOMPARE(spiel.aktuellerName(), u"frmSchw5"_s);
        Timer1.fire();
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), u"frmAusw2"_s);
    }

    // A real one-second timer plays level 5 to its board.
    void realOneSecondTimer()
    {
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(15));
        spiel.services.promptAnswers = {u"1"_s};
        QElapsedTimer uhr;
        uhr.start();
        spiel.starte(u"frmSchw5"_s);
        QTRY_COMPARE_WITH_TIMEOUT(spiel.aktuellerName(), u"frmAusw2"_s, 12000);
        QVERIFY2(uhr.elapsed() >= 7500, qPrintable(QString::number(uhr.elapsed())));
    }

    void unreadablePictureEndsTheRound_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("no picture, by the timer") << 481;
        QTest::newRow("vanished, by the button") << 53;
    }
    // A listed file that is no picture (level 4) or is gone (level 1): the run-time
    // error naming it, and the end of the program.
    void unreadablePictureEndsTheRound()
    {
        QFETCH(int, number);
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(15));
        Form* f = spiel.starte(number == 53 ? u"frmSchw1"_s : u"frmSchw4"_s);
        QFile file(spiel.programmOrdner() + u"/bilder/Bild05.png"_s);
        QVERIFY(number == 53 ? file.remove()
                             : file.open(QIODevice::WriteOnly) && file.write("kein Bild") > 0);
        file.close();
        spiel.services.scriptedNumbers = {zahlFuer(4, 15)};
        number == 53 ? weiter(f) : f->timer(u"Timer1"_s).fire();
        Spiel::ruhe();
        QVERIFY(spiel.services.error && spiel.services.error->number() == number);
        QVERIFY2(spiel.services.error->message().contains(file.fileName()),
                 qPrintable(spiel.services.error->message()));
        QVERIFY(spiel.beendet() && spiel.services.exitStatus == 1);
        QCOMPARE(Program::instance().loadedCount(), 0);
    }

    // Each slot seeds once; a repeated position, a repeated word (one name with two
    // extensions) and a file without a word (four characters or fewer) are drawn
    // again at once without seeding. The word is the name less four characters.
    void drawTurnsAwayRepeatsAndFilesWithoutWord()
    {
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(6)
                           << u"Hund.jpg"_s << u"Hund.png"_s << u"Zebra.jpeg"_s << u"Tintenfisch"_s
                           << u"Bär.png"_s << u"Ohr"_s << u"Uhr."_s << u"a.gi"_s);
        Form* f = spiel.starte(u"frmSchw1"_s);
        const FileListBox& File1 = f->fileList(u"File1"_s);
        const auto zahl = [&](const QString& name) { return zahlFuer(File1.entries().indexOf(name), 14); };
        const QStringList gezogen{u"Hund.jpg"_s, u"Zebra.jpeg"_s, u"Tintenfisch"_s, u"Bär.png"_s};
        spiel.services.scriptedNumbers = {zahl(gezogen[0]), zahl(gezogen[0]), zahl(u"Hund.png"_s),
                                          zahl(u"Ohr"_s),   zahl(gezogen[1]), zahl(u"a.gi"_s),
                                          zahl(u"Uhr."_s),  zahl(gezogen[2]), zahl(gezogen[3])};
        for (int slot = 0; slot < 4; ++slot)
            weiter(f);
        QCOMPARE(spiel.services.randomizeCalls, 4);
        QCOMPARE(spiel.services.rndCalls, 9);
        QCOMPARE(kbtest::bildnamen(), (QStringList{u"Hund"_s, u"Zebra."_s, u"Tintenf"_s, u"Bär"_s}));
        for (int slot = 0; slot < 4; ++slot)
            QCOMPARE(modVariablen::Zufallszahlen(slot), double(File1.entries().indexOf(gezogen[slot])));
        QCOMPARE(File1.FileName(), u"Bär.png"_s);
        weiter(f);
        QCOMPARE(spiel.aktuellerName(), u"frmAusw1"_s);
        const QStringList words = kbtest::bildnamen();
        QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), 9);
        QVERIFY(!words.contains(QString()));
    }

    // A round of 9 after a round of 15 leaves exactly 9 elements, and the old
    // round's positions play no part in the new one.
    void roundOfNineAfterRoundOfFifteen()
    {
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(20));
        spiel.starte(u"frmSchw2"_s);
        for (int i = 0; i < 8; ++i)
            weiter(spiel.geladen(u"frmSchw2"_s));
        QCOMPARE(modVariablen::Bildnamen.UBound(), 14);
        const double ersterPlatz = modVariablen::Zufallszahlen(0);
        Spiel::wechsle(u"frmSchw1"_s);
        QCOMPARE(Bildzaehler, 0.0);
        spiel.services.scriptedNumbers = {zahlFuer(int(ersterPlatz), 20)};
        const int vorher = spiel.services.rndCalls;
        weiter(spiel.aktuell());
        QCOMPARE(spiel.services.rndCalls - vorher, 1);
        QCOMPARE(modVariablen::Zufallszahlen(0), ersterPlatz);
        for (int i = 0; i < 4; ++i)
            weiter(spiel.geladen(u"frmSchw1"_s));
        QCOMPARE(spiel.aktuellerName(), u"frmAusw1"_s);
        QCOMPARE(modVariablen::Bildnamen.UBound(), 8);
        QCOMPARE(modVariablen::Zufallszahlen.UBound(), 8);
    }

    void tooFewPicturesRefuseTheLevel_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("found");
        QTest::newRow("3: 9 files, 8 words")
            << u"frmSchw3"_s << (kbtest::bilddateien(8) << u"Bild01.jpg"_s) << u"nur 8 verwendbare Bilder"_s;
        QTest::newRow("5: one") << u"frmSchw5"_s << kbtest::bilddateien(1) << u"nur ein verwendbares Bild"_s;
    }
    // Refused before anything is drawn or asked: a message naming the folder and
    // both numbers, then the menu again.
    void tooFewPicturesRefuseTheLevel()
    {
        QFETCH(QString, screen);
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        Spiel spiel;
        spiel.bilderOrdner(files);
        spiel.starte(screen);
        QCOMPARE(spiel.aktuellerName(), u"frmSchwierigkeit"_s);
        QVERIFY(!spiel.beendet() && spiel.services.promptTexts.isEmpty() && spiel.services.rndCalls == 0);
        const QString folder = QDir::toNativeSeparators(spiel.programmOrdner() + u"/bilder"_s);
        QCOMPARE(
            spiel.services.messages,
            QStringList{u"Im Bilderordner „%1“ gibt es %2.\n\nSchwierigkeitsstufe %3 "
                        "braucht %4 Bilder mit verschiedenen Namen."_s.arg(folder, found, screen.right(1))
                            .arg(screen == u"frmSchw3"_s ? 9 : 15)});
    }
};

QTEST_MAIN(tst_Presentation)
#include "tst_presentation.moc"
