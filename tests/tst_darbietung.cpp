// The five presentation screens: layouts, the advance step by button and by
// timer, the display-time prompt of level 5, and the errors that end a round.
#include "darbietung_hilfe.h"

#include "shell/toolkit/einheiten.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace tk;
using namespace kbtest;
using modVariablen::Bildzaehler;

namespace {

QString wortDesBildes(const Form* f)
{
    QString name = QFileInfo(f->image(QStringLiteral("imgBild")).picture().path()).fileName();
    name.chop(4);
    return name;
}

QColor farbeImFenster(Form* f, QPoint at)
{
    return f->window()->grab().toImage().pixelColor(at);
}

// The prompt dialog on the screen now, if any.
QInputDialog* eingabeDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QInputDialog*>(w); d && d->isVisible())
            return d;
    return nullptr;
}

// Clicks whatever lies at `point` of the screen's window, as the mouse would.
void klickImFenster(Form* f, QPoint point)
{
    QWidget* target = f->window()->childAt(point);
    if (!target)
        target = f->window();
    Spiel::klick(target, target->mapFrom(f->window(), point));
}

} // namespace

class tst_Darbietung : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { nachbarschirmeAnmelden(); }
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void buttonLevels_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<int>("buttonTop");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("slots");
        QTest::addColumn<QString>("board");
        QTest::newRow("Stufe 1") << "frmSchw1"
                                 << "Schwierigkeitsstufe 1" << QColor(0x80, 0xFF, 0x80) << 7440 << 4 << 9
                                 << "frmAusw1";
        QTest::newRow("Stufe 2") << "frmSchw2"
                                 << "Schwierigkeitsstufe 2" << QColor(0x00, 0xC0, 0xC0) << 7080 << 7 << 15
                                 << "frmAusw2";
    }

    // The screen as it opens, then one picture per click with the captions in
    // their order, and the board after exactly N + 1 clicks with the round's
    // words, the shown ones first in the order shown.
    void buttonLevels()
    {
        QFETCH(QString, screen);
        QFETCH(QString, title);
        QFETCH(QColor, background);
        QFETCH(int, buttonTop);
        QFETCH(int, shown);
        QFETCH(int, slots);
        QFETCH(QString, board);
        Spiel spiel;
        spiel.bilderOrdner(bilddateien(20));
        spiel.starte(screen);
        Form* f = spiel.aktuell();
        QVERIFY(f);
        QCOMPARE(f->name(), screen);
        QCOMPARE(f->window()->windowTitle(), title);
        QVERIFY(f->window()->isVisible());
        QVERIFY(!(f->window()->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(f->window()->frameGeometry().size(), QSize(800, 600));
        QCOMPARE(farbeImFenster(f, QPoint(20, 300)), background);

        CommandButton& cmdweiter = f->button(QStringLiteral("cmdweiter"));
        QCOMPARE(cmdweiter.Caption(), QStringLiteral("&erstes Bild"));
        QCOMPARE(cmdweiter.widget()->geometry(), QRect(10080 / 15, buttonTop / 15, 1695 / 15, 855 / 15));
        QVERIFY(cmdweiter.widget()->isVisible() && cmdweiter.Enabled());
        Image& imgBild = f->image(QStringLiteral("imgBild"));
        QVERIFY(imgBild.picture().isNull());
        QCOMPARE(imgBild.widget()->geometry(), QRect(2640 / 15, 600 / 15, 3375 / 15, 1575 / 15));
        QVERIFY(!f->fileList(QStringLiteral("File1")).widget()->isVisible());
        QCOMPARE(f->fileList(QStringLiteral("File1")).ListCount(), 20);
        QCOMPARE(Bildzaehler, 0.0);

        QStringList captions;
        QStringList shownWords;
        for (int click = 1; click <= shown; ++click) {
            weiter(f);
            QCOMPARE(spiel.aktuellerName(), screen);
            QCOMPARE(Bildzaehler, double(click));
            shownWords << wortDesBildes(f);
            QCOMPARE(modVariablen::Bildnamen(click - 1), shownWords.last());
            QCOMPARE(imgBild.Left(), 2640.0);
            QCOMPARE(imgBild.Top(), 600.0);
            QCOMPARE(imgBild.Width(), 15.0 * imgBild.picture().size().width());
            QCOMPARE(static_cast<QLabel*>(imgBild.widget())->pixmap().size(), imgBild.picture().size());
            captions << cmdweiter.Caption();
        }
        QStringList expectedCaptions(shown - 1, QStringLiteral("nächstes Bild"));
        expectedCaptions << QStringLiteral("Zur Auswahlbox");
        QCOMPARE(captions, expectedCaptions);
        QCOMPARE(wortDesBildes(f), modVariablen::Bildnamen(shown - 1)); // the last picture stays

        weiter(f);
        QCOMPARE(spiel.aktuellerName(), board);
        QVERIFY(!spiel.geladen(screen));
        QCOMPARE(Bildzaehler, double(slots));
        const QStringList words = bildnamen();
        QCOMPARE(words.size(), slots);
        QCOMPARE(words.mid(0, shown), shownWords);
        QVERIFY(alleVerschieden(words));
        QCOMPARE(zufallszahlen().size(), slots);
    }

    // "nächstes Bild" is written by the first click only.
    void secondCaptionIsSetOnce()
    {
        Spiel spiel;
        spiel.bilderOrdner(bilddateien(15));
        spiel.starte(QStringLiteral("frmSchw2"));
        Form* f = spiel.geladen(QStringLiteral("frmSchw2"));
        QVERIFY(f);
        weiter(f);
        CommandButton& cmdweiter = f->button(QStringLiteral("cmdweiter"));
        cmdweiter.setCaption(QStringLiteral("x"));
        weiter(f);
        weiter(f);
        QCOMPARE(cmdweiter.Caption(), QStringLiteral("x"));
    }

    // The button has the focus; Enter and space click it, and Alt+E as long as the
    // first caption with its access key stands.
    void keysClickTheButton()
    {
        Spiel spiel;
        spiel.bilderOrdner(bilddateien(10));
        spiel.starte(QStringLiteral("frmSchw1"));
        Form* f = spiel.aktuell();
        Spiel::aktiviere(f);
        QWidget* knopf = f->button(QStringLiteral("cmdweiter")).widget();
        QCOMPARE(QApplication::focusWidget(), knopf);
        QTest::keyClick(knopf, Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(Bildzaehler, 1.0);
        QTest::keyClick(knopf, Qt::Key_Return);
        Spiel::ruhe();
        QCOMPARE(Bildzaehler, 2.0);
        QTest::keyClick(knopf, Qt::Key_Space);
        Spiel::ruhe();
        QCOMPARE(Bildzaehler, 3.0);
        QTest::keyClick(knopf, Qt::Key_E, Qt::AltModifier);
        QTest::qWait(300);
        QCOMPARE(Bildzaehler, 3.0); // "nächstes Bild" has no access key
    }

    // A picture is never scaled: a large one extends right and down from its
    // corner, cut at the screen's edge, and the button stays on top and usable.
    void largePictureLiesUnderTheButton()
    {
        Spiel spiel;
        spiel.bilderOrdner({});
        for (const QString& name : bilddateien(9))
            schreibeBild(spiel.programmOrdner() + QStringLiteral("/bilder/") + name, QSize(700, 560), "PNG",
                         Qt::darkMagenta);
        spiel.starte(QStringLiteral("frmSchw1"));
        Form* f = spiel.aktuell();
        weiter(f);
        Image& imgBild = f->image(QStringLiteral("imgBild"));
        QCOMPARE(imgBild.Width(), 700 * 15.0);
        QCOMPARE(imgBild.Height(), 560 * 15.0);
        // Only the part inside the client area is decoded; it reaches the corner.
        const QSize client = f->window()->size();
        QCOMPARE(static_cast<QLabel*>(imgBild.widget())->pixmap().size(), client - QSize(176, 40));
        QCOMPARE(farbeImFenster(f, QPoint(client.width() - 2, client.height() - 2)), QColor(Qt::darkMagenta));
        const QPoint mitte = f->button(QStringLiteral("cmdweiter")).widget()->geometry().center();
        QCOMPARE(f->window()->childAt(mitte), f->button(QStringLiteral("cmdweiter")).widget());
        klickImFenster(f, mitte);
        QCOMPARE(Bildzaehler, 2.0);
    }

    void timedLevels_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QString>("timerName");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("slots");
        QTest::addColumn<QString>("board");
        QTest::newRow("Stufe 3") << "frmSchw3"
                                 << "Schwierigkeitsstufe 3" << QColor(0xFF, 0x80, 0x80) << "tmreins" << 4 << 9
                                 << "frmAusw1";
        QTest::newRow("Stufe 4") << "frmSchw4"
                                 << "Schwierigkeitsstufe 4" << QColor(0xC0, 0xFF, 0xFF) << "Timer1" << 7 << 15
                                 << "frmAusw2";
    }

    // Levels 3 and 4: the timer runs at 3000 ms from the load, nothing is shown
    // before its first event, no click or key changes the pace, and its events
    // show N pictures and open the board with the next one.
    void timedLevels()
    {
        QFETCH(QString, screen);
        QFETCH(QString, title);
        QFETCH(QColor, background);
        QFETCH(QString, timerName);
        QFETCH(int, shown);
        QFETCH(int, slots);
        QFETCH(QString, board);
        Spiel spiel;
        spiel.bilderOrdner(bilddateien(16));
        spiel.starte(screen);
        Form* f = spiel.aktuell();
        QVERIFY(f);
        QCOMPARE(f->window()->windowTitle(), title);
        QCOMPARE(farbeImFenster(f, QPoint(20, 300)), background);
        CommandButton& cmdweiter = f->button(QStringLiteral("cmdweiter"));
        QVERIFY(!cmdweiter.Visible() && !cmdweiter.widget()->isVisible());
        QVERIFY(!cmdweiter.Enabled());
        QCOMPARE(cmdweiter.Caption(), QString());
        Timer& timer = f->timer(timerName);
        QCOMPARE(timer.Interval(), 3000);
        QVERIFY(timer.isRunning());
        auto* qtimer = f->window()->findChild<QTimer*>(timerName);
        QVERIFY(qtimer);
        QVERIFY(qtimer->remainingTime() > 2500);
        QVERIFY(f->image(QStringLiteral("imgBild")).picture().isNull());

        Spiel::aktiviere(f);
        klickImFenster(f, cmdweiter.widget()->geometry().center());
        for (int key : {int(Qt::Key_Return), int(Qt::Key_Space), int(Qt::Key_Escape)})
            QTest::keyClick(f->window(), Qt::Key(key));
        QTest::keyClick(f->window(), Qt::Key_E, Qt::AltModifier);
        QTest::qWait(300);
        QCOMPARE(Bildzaehler, 0.0);
        QVERIFY(f->image(QStringLiteral("imgBild")).picture().isNull());

        QStringList shownWords;
        for (int event = 1; event <= shown; ++event) {
            timer.fire();
            QCOMPARE(Bildzaehler, double(event));
            QVERIFY(!f->image(QStringLiteral("imgBild")).picture().isNull());
            shownWords << wortDesBildes(f);
        }
        QCOMPARE(spiel.aktuellerName(), screen);
        timer.fire();
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), board);
        const QStringList words = bildnamen();
        QCOMPARE(words.size(), slots);
        QCOMPARE(words.mid(0, shown), shownWords);
        QVERIFY(alleVerschieden(words));
    }

    // The first picture of level 3 comes three seconds after the screen opens.
    void levelThreeShowsItsFirstPictureAfterThreeSeconds()
    {
        Spiel spiel;
        spiel.bilderOrdner(bilddateien(9));
        spiel.starte(QStringLiteral("frmSchw3"));
        Form* f = spiel.aktuell();
        QTest::qWait(2500);
        QCOMPARE(Bildzaehler, 0.0);
        QTRY_COMPARE_WITH_TIMEOUT(Bildzaehler, 1.0, 2000);
        QVERIFY(!f->image(QStringLiteral("imgBild")).picture().isNull());
    }

    void displayTimePrompt_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("interval");
        const QStringList refused{"0", "", "abc", "-1", "16", "32", "33", "40000", "1,5x"};
        QTest::newRow("abgewiesen, dann 1") << (refused + QStringList{"1"}) << 1000;
        QTest::newRow("15") << QStringList{"15"} << 15000;
        QTest::newRow("1,5 wird 2") << QStringList{"1,5"} << 2000;
        QTest::newRow("2,5 wird 2") << QStringList{"2,5"} << 2000;
        QTest::newRow("Leerzeichen") << QStringList{" 7 "} << 7000;
    }

    // Level 5 asks for the display time at its load, under German settings. Every
    // refused entry brings back the same prompt without a message; a passed entry
    // sets the timer and shows the screen.
    void displayTimePrompt()
    {
        QFETCH(QStringList, answers);
        QFETCH(int, interval);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Spiel spiel;
        spiel.bilderOrdner(bilddateien(15));
        spiel.services.promptAnswers.assign(answers.begin(), answers.end());
        spiel.starte(QStringLiteral("frmSchw5"));
        const QString prompt = QStringLiteral("Bitte gib eine Zahl ein!!! Diese Zahl ist die Anzeigezeit "
                                              "(für eine Sekunde = 1, für zwei Sekunden = 2 "
                                              "usw...; maximal bis 15)");
        QCOMPARE(spiel.services.promptTexts, QStringList(answers.size(), prompt));
        QCOMPARE(spiel.services.promptTitles, QStringList(answers.size(), QStringLiteral("Eingabe")));
        QVERIFY(spiel.services.messages.isEmpty());
        QVERIFY(!spiel.services.error.has_value());
        Form* f = spiel.aktuell();
        QVERIFY(f);
        QCOMPARE(f->window()->windowTitle(), QStringLiteral("Schwierigkeitsstufe 5"));
        QVERIFY(f->window()->isVisible());
        QCOMPARE(farbeImFenster(f, QPoint(20, 300)), QColor(Qt::white));
        QVERIFY(!f->button(QStringLiteral("cmdweiter")).Visible());
        Timer& Timer1 = f->timer(QStringLiteral("Timer1"));
        QCOMPARE(Timer1.Interval(), interval);
        QVERIFY(Timer1.isRunning());
        QCOMPARE(Bildzaehler, 0.0);
        for (int event = 1; event <= 7; ++event)
            Timer1.fire();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchw5"));
        Timer1.fire();
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAusw2"));
        QCOMPARE(bildnamen().size(), 15);
    }

    // The real prompt dialog: the screen stays hidden while it asks; a wrong
    // entry, Cancel and Esc bring it back; an entry of 1 starts a one-second
    // timer that shows the seven pictures and opens the board on its own.
    void realDialogAndOneSecondTimer()
    {
        Spiel spiel;
        spiel.bilderOrdner(bilddateien(15));
        spiel.starte(QStringLiteral("frmSchw5"));
        Form* f = spiel.geladen(QStringLiteral("frmSchw5"));
        QVERIFY(f);
        QVERIFY(!f->window()->isVisible());

        QInputDialog* dialog = eingabeDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Eingabe"));
        QVERIFY(dialog->labelText().startsWith(QStringLiteral("Bitte gib eine Zahl ein!!!")));
        auto* edit = dialog->findChild<QLineEdit*>();
        QVERIFY(edit && edit->text().isEmpty());
        QTest::keyClicks(edit, QStringLiteral("abc"));
        QTest::keyClick(edit, Qt::Key_Return);
        Spiel::ruhe();
        QVERIFY(!f->window()->isVisible());

        dialog = eingabeDialog();
        QVERIFY(dialog);
        QPushButton* abbrechen = nullptr;
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Abbrechen"))
                abbrechen = b;
        QVERIFY(abbrechen);
        Spiel::klick(abbrechen);
        QVERIFY(!f->window()->isVisible());

        dialog = eingabeDialog();
        QVERIFY(dialog);
        QTest::keyClick(dialog->findChild<QLineEdit*>(), Qt::Key_Escape);
        Spiel::ruhe();
        QVERIFY(!f->window()->isVisible());

        dialog = eingabeDialog();
        QVERIFY(dialog);
        edit = dialog->findChild<QLineEdit*>();
        QVERIFY(edit->text().isEmpty());
        QTest::keyClicks(edit, QStringLiteral("1"));
        QElapsedTimer uhr;
        uhr.start();
        QTest::keyClick(edit, Qt::Key_Return);
        Spiel::ruhe();
        QCOMPARE(spiel.services.promptTexts.size(), 4);
        QVERIFY(!eingabeDialog());
        QVERIFY(f->window()->isVisible());
        QCOMPARE(f->timer(QStringLiteral("Timer1")).Interval(), 1000);
        QVERIFY(f->image(QStringLiteral("imgBild")).picture().isNull());

        QTRY_COMPARE_WITH_TIMEOUT(Bildzaehler, 1.0, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(Bildzaehler, 7.0, 10000);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchw5"));
        QTRY_COMPARE_WITH_TIMEOUT(spiel.aktuellerName(), QStringLiteral("frmAusw2"), 4000);
        QVERIFY2(uhr.elapsed() >= 7500, qPrintable(QString::number(uhr.elapsed())));
        QCOMPARE(bildnamen().size(), 15);
        QVERIFY(alleVerschieden(bildnamen()));
    }

    // A missing picture folder stops the program with the run-time error that
    // names the folder.
    void missingFolderIsARuntimeError()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmSchw2"));
        QVERIFY(spiel.services.error.has_value());
        QCOMPARE(spiel.services.error->number(), 76);
        QVERIFY2(spiel.services.error->message().contains(spiel.programmOrdner() + QStringLiteral("/bilder")),
                 qPrintable(spiel.services.error->message()));
        QVERIFY(spiel.beendet());
        QCOMPARE(spiel.services.exitStatus, 1);
    }

    void unreadablePictureIsARuntimeError_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("missing");
        QTest::addColumn<int>("number");
        QTest::newRow("kaputt, Knopf") << "frmSchw1" << false << 481;
        QTest::newRow("kaputt, Zeitgeber") << "frmSchw4" << false << 481;
        QTest::newRow("verschwunden") << "frmSchw1" << true << 53;
    }

    // A listed file that cannot be read as a picture ends the round with the
    // run-time error naming the file.
    void unreadablePictureIsARuntimeError()
    {
        QFETCH(QString, screen);
        QFETCH(bool, missing);
        QFETCH(int, number);
        Spiel spiel;
        spiel.bilderOrdner(bilddateien(15));
        const QString kaputt = spiel.programmOrdner() + QStringLiteral("/bilder/Bild05.png");
        spiel.starte(screen);
        Form* f = spiel.aktuell();
        QVERIFY(f);
        QFile file(kaputt);
        if (missing) {
            QVERIFY(file.remove());
        } else {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("Das ist kein Bild.");
            file.close();
        }
        spiel.services.scriptedNumbers = {zahlFuer(4, 15)};
        if (f->button(QStringLiteral("cmdweiter")).Visible())
            weiter(f);
        else
            f->timer(QStringLiteral("Timer1")).fire();
        Spiel::ruhe();
        QVERIFY(spiel.services.error.has_value());
        QCOMPARE(spiel.services.error->number(), number);
        QVERIFY2(spiel.services.error->message().contains(kaputt),
                 qPrintable(spiel.services.error->message()));
        QVERIFY(spiel.beendet());
        QCOMPARE(spiel.services.exitStatus, 1);
        QCOMPARE(Program::instance().loadedCount(), 0);
    }
};

QTEST_MAIN(tst_Darbietung)
#include "tst_darbietung.moc"
