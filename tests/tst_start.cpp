// The start screen: the name box, Enter and Esc from inside it, the buttons,
// and the name carried through the whole game.
#include "shell_hilfen.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace tk;
using kbtest::Spiel;

namespace {

QColor pixel(const Form& form, QPoint at)
{
    return form.window()->grab().toImage().pixelColor(at);
}

QPushButton* knopf(const Form& form, const char* name)
{
    return form.button(QString::fromUtf8(name)).button();
}

// Clicks a button of the current screen until another screen opens.
void klickenBisWechsel(Spiel& spiel, const char* knopfName)
{
    const QString von = spiel.aktuellerName();
    for (int i = 0; i < 20 && spiel.aktuellerName() == von; ++i)
        Spiel::klick(spiel.aktuell()->button(QString::fromUtf8(knopfName)));
    QVERIFY(spiel.aktuellerName() != von);
}

// Picks the first `anzahl` words of the board with the mouse.
void woerterWaehlen(Spiel& spiel, int anzahl)
{
    for (int i = 0; i < anzahl; ++i)
        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdeins"), i));
}

} // namespace

class tst_Start : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { kbtest::stufenSicherstellen(); }

    void programOpensOnStartScreenUnlessAboutScreenExists()
    {
        Spiel spiel;
        const bool about = Program::instance().isRegistered(QStringLiteral("frmSplash"));
        QCOMPARE(kb::ersterBildschirm(), about ? QStringLiteral("frmSplash") : QStringLiteral("frmStart"));
    }

    void opensWithPictureFocusAndSize()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmStart"));
        Form* start = spiel.aktuell();
        QVERIFY(start);
        Spiel::aktiviere(start);
        QCOMPARE(start->window()->windowTitle(), QStringLiteral("Kieselblick"));
        QCOMPARE(start->window()->frameGeometry().size(), QSize(800, 600));
        QVERIFY(!(start->window()->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(start->window()->windowFlags() & Qt::WindowMinimizeButtonHint));

        // Light pink ground; the projection screen unstretched at its place, its
        // orange painting visible.
        QCOMPARE(pixel(*start, QPoint(20, 150)), QColor(255, 192, 255));
        const Image& bild = start->image(QStringLiteral("imgLeinwand"));
        QCOMPARE(bild.Width(), 6750.0);
        QCOMPARE(bild.Height(), 6915.0);
        QCOMPARE(bild.widget()->geometry(), QRect(320, 80, 450, 461));
        const QColor orange = pixel(*start, QPoint(320 + 100, 80 + 150));
        QVERIFY2(orange.red() > 220 && orange.green() > 100 && orange.green() < 190 && orange.blue() < 90,
                 qPrintable(orange.name()));

        // The prompt runs into the picture's lower left part and lies above it.
        const Label& aufforderung = start->label(QStringLiteral("lblNamenseingabe"));
        QCOMPARE(aufforderung.Caption(), QStringLiteral("Bitte gib hier deinen Namen ein:"));
        const QRect ueberlappung = aufforderung.widget()->geometry() & bild.widget()->geometry();
        QVERIFY(!ueberlappung.isEmpty());
        QCOMPARE(start->window()->childAt(ueberlappung.center()), aufforderung.widget());

        // The title is drawn in full: the label is as wide as its text.
        const Label& titel = start->label(QStringLiteral("lblSpielname"));
        QCOMPARE(qobject_cast<QLabel*>(titel.widget())->text(), QStringLiteral("Kieselblick???"));
        QCOMPARE(titel.widget()->width(),
                 titel.widget()->fontMetrics().horizontalAdvance(QStringLiteral("Kieselblick???")));

        // An empty name box with the focus.
        QLineEdit* feld = kbtest::namensfeld(*start);
        QVERIFY(feld->text().isEmpty());
        QCOMPARE(kbtest::fokus(), feld);
        QCOMPARE(knopf(*start, "cmdStart")->toolTip(), QStringLiteral("Startet das Spiel"));
        QCOMPARE(knopf(*start, "cmdBeenden")->toolTip(), QStringLiteral("Beendet das Programm"));
        QCOMPARE(knopf(*start, "cmdStart")->text(), QStringLiteral("&Start"));
        QCOMPARE(knopf(*start, "cmdBeenden")->text(), QStringLiteral("&Ende"));
    }

    void tabVisitsBoxEndeStart()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmStart"));
        Form* start = spiel.aktuell();
        Spiel::aktiviere(start);
        QWidget* erwartet[] = {knopf(*start, "cmdBeenden"), knopf(*start, "cmdStart"),
                               kbtest::namensfeld(*start)};
        for (QWidget* w : erwartet) {
            QTest::keyClick(kbtest::fokus(), Qt::Key_Tab);
            QCOMPARE(kbtest::fokus(), w);
        }
    }

    void enterInBoxStartsWithNameAsTyped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QStringLiteral("Anna");
        QTest::newRow("blanks kept") << QStringLiteral("  Anna Lena  ");
        QTest::newRow("umlauts") << QStringLiteral("Jörg Ößmann");
        QTest::newRow("empty") << QString();
    }

    void enterInBoxStartsWithNameAsTyped()
    {
        QFETCH(QString, name);
        Spiel spiel;
        kbtest::nameEingeben(spiel, name);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSpiel"));
        QCOMPARE(modVariablen::Benutzername, name);
        QVERIFY(!spiel.geladen(QStringLiteral("frmStart")));
        QVERIFY(spiel.aktuell()->window()->isVisible());
    }

    void startClickWithEmptyBox()
    {
        Spiel spiel;
        modVariablen::Benutzername = QStringLiteral("alt");
        spiel.starte(QStringLiteral("frmStart"));
        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdStart")));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSpiel"));
        QCOMPARE(modVariablen::Benutzername, QString());
        QCOMPARE(spiel.aktuell()->label(QStringLiteral("lblName")).Caption(), QStringLiteral("!"));
    }

    void escInBoxEndsWithoutAnotherScreen()
    {
        Spiel spiel;
        kbtest::FensterZeuge zeuge;
        kbtest::nameEingeben(spiel, QStringLiteral("Anna"), Qt::Key_Escape);
        QVERIFY(spiel.beendet());
        QCOMPARE(spiel.services.exitStatus, 0);
        QCOMPARE(Program::instance().loadedCount(), 0);
        QCOMPARE(zeuge.gezeigt, QStringList{QStringLiteral("frmStart")});
        QCOMPARE(modVariablen::Benutzername, QString());
    }

    void endeButtonEnds_data()
    {
        QTest::addColumn<bool>("mitMaus");
        QTest::newRow("mouse") << true;
        QTest::newRow("Alt+E") << false;
    }

    void endeButtonEnds()
    {
        QFETCH(bool, mitMaus);
        Spiel spiel;
        spiel.starte(QStringLiteral("frmStart"));
        Form* start = spiel.aktuell();
        Spiel::aktiviere(start);
        if (mitMaus)
            Spiel::klick(start->button(QStringLiteral("cmdBeenden")));
        else
            QTest::keyClick(kbtest::fokus(), Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(spiel.beendet());
        QCOMPARE(Program::instance().loadedCount(), 0);
    }

    void altSStarts()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmStart"));
        Form* start = spiel.aktuell();
        Spiel::aktiviere(start);
        QTest::keyClicks(kbtest::fokus(), QStringLiteral("Ben"));
        QTest::keyClick(kbtest::fokus(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(spiel.aktuellerName(), QStringLiteral("frmSpiel"));
        QCOMPARE(modVariablen::Benutzername, QStringLiteral("Ben"));
    }

    // Two whole rounds through real input: the name typed at the start greets
    // the child on the second round's result screen as on the first.
    void nameStaysForSecondRound()
    {
        for (const char* s : {"frmAusw1", "frmAusw2", "frmAuswert1", "frmAuswert2"})
            if (!Program::instance().isRegistered(QString::fromLatin1(s)))
                QSKIP("the answer boards and result screens are not part of the program yet");
        Spiel spiel;
        kbtest::stufenVorbereiten(spiel);
        const QString name = QStringLiteral(" Mia ");
        kbtest::nameEingeben(spiel, name);
        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdweiter")));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchwierigkeit"));

        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdschweins")));
        klickenBisWechsel(spiel, "cmdweiter");
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAusw1"));
        woerterWaehlen(spiel, 4);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAuswert1"));
        QCOMPARE(spiel.aktuell()->label(QStringLiteral("lblName")).Caption(), name + QStringLiteral("!"));

        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdNochmal")));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchwierigkeit"));
        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdschwzwei")));
        klickenBisWechsel(spiel, "cmdweiter");
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAusw2"));
        woerterWaehlen(spiel, 7);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAuswert2"));
        QCOMPARE(spiel.aktuell()->label(QStringLiteral("lblName")).Caption(), name + QStringLiteral("!"));
        QCOMPARE(modVariablen::Benutzername, name);
        QVERIFY(!spiel.beendet());
    }
};

QTEST_MAIN(tst_Start)
#include "tst_start.moc"
