// The game at a board, played with a finger: a tap acts as a click on every
// control with nothing hovering first, and whole rounds are played by touch
// alone (the name typed on the board's own keyboard). The level-5 prompt, the
// message box and the run-time error stand in the middle of the board, as
// large as the screens, without a frame, and take a tap as well; the pointer
// is hidden; and a request to close the board's window ends the game as a
// screen's close box does. Runs at a board only (KB_TAFEL=1920x1080).
#include "regeln/stufen.h"
#include "support/schirmwege.h"
#include "toolkit/backdrop.h"

#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>
#include <optional>

// clang-format off
#define SCHRITT(x) do { x; if (QTest::currentTestFailed()) return; } while (false)
// clang-format on

namespace {

QPointingDevice* finger()
{
    static QPointingDevice* geraet = QTest::createTouchDevice();
    return geraet;
}

// One finger on a widget (its middle, or the point `p` of it), where its
// window shows it, and off again; the pointer does not move there first.
void tippe(const QWidget* w, std::optional<QPoint> p = std::nullopt)
{
    QWindow* fenster = w->window()->windowHandle();
    const QPoint wo = w->mapTo(w->window(), p.value_or(w->rect().center()));
    QTest::touchEvent(fenster, finger()).press(0, wo, fenster);
    QTest::touchEvent(fenster, finger()).release(0, wo, fenster);
    Spiel::ruhe();
}

// A control of the current screen; of a link control the part that follows it.
void tippe(const Spiel& spiel, const QString& name, int index = -1)
{
    const tk::Control& c = spiel.aktuell()->control(name, index);
    tippe(c.kind() == tk::Kind::Link ? static_cast<const tk::LinkControl&>(c).inner() : c.widget());
}

QDialog* offenerDialog()
{
    return qobject_cast<QDialog*>(QApplication::activeModalWidget());
}

QPushButton* knopf(const QDialog* dialog, const QString& text)
{
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text().remove(u'&') == text)
            return b;
    return nullptr;
}

// A dialog stands over the middle of the board, inside it, as large as the
// screens: at the board's factor. It has no frame to drag or close it by; its
// title shows in a strip at its top, above its text and buttons.
void pruefeMitte(const QDialog* dialog)
{
    tk::Backdrop* b = tk::Backdrop::current();
    QCOMPARE(dialog->parentWidget(), b);
    QVERIFY(dialog->isWindow() && dialog->windowFlags().testFlag(Qt::FramelessWindowHint));
    const auto* titel = dialog->findChild<QLabel*>(u"TitleStrip"_s);
    QVERIFY(titel && titel->isVisible() && !dialog->windowTitle().isEmpty());
    QCOMPARE(titel->text(), dialog->windowTitle());
    QVERIFY(dialog->rect().contains(titel->geometry()));
    for (const QWidget* w : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY(w == titel || !w->isVisible() || w->geometry().top() > titel->geometry().bottom());
    const double f = b->devicePixelRatio();
    QCOMPARE(dialog->devicePixelRatio(), f);
    const QSize tafel = kbtest::Anwendung::tafel();
    const QRectF ort(QPointF(dialog->geometry().topLeft()) * f, QSizeF(dialog->size()) * f);
    QVERIFY(QRectF(QPointF(), tafel).contains(ort));
    const QPointF abstand = ort.center() - QPointF(tafel.width(), tafel.height()) / 2;
    QVERIFY2(std::abs(abstand.x()) <= 2 * f && std::abs(abstand.y()) <= 2 * f,
             qPrintable(u"%1, %2 from the middle"_s.arg(abstand.x()).arg(abstand.y())));
}

// The words of a round a child picks: the first `richtige` shown ones, then
// words that were not shown.
QStringList wahl(int gezeigt, int richtige)
{
    const QStringList woerter = kbtest::bildnamen();
    QStringList w = woerter.mid(0, richtige);
    for (int n = richtige; n < gezeigt; ++n)
        w << woerter.at(woerter.size() - 1 - (n - richtige));
    return w;
}

} // namespace

class tst_TafelFinger : public QObject {
    Q_OBJECT

    // From the about screen to the menu by touch; the name typed on the keyboard.
    static void zumMenue(Spiel& spiel)
    {
        spiel.starte(u"frmSplash"_s);
        tippe(spiel, u"lblTitel"_s);
        QCOMPARE(spiel.aktuellerName(), u"frmStart"_s);
        tippe(spiel, u"txtBenutzername"_s);
        QCOMPARE(QApplication::focusWidget(), spiel.aktuell()->control(u"txtBenutzername"_s).widget());
        Spiel::tippen(QApplication::focusWidget(), u"Ben"_s);
        tippe(spiel, u"cmdStart"_s);
        tippe(spiel, u"cmdweiter"_s);
        QCOMPARE(spiel.aktuellerName(), u"frmSchwierigkeit"_s);
    }

    // The level's pictures: the button tapped, or the timer's ticks.
    static void bilder(Spiel& spiel, const kb::Stufe& stufe)
    {
        for (int n = 1; n <= stufe.gezeigt() + 1; ++n) {
            if (stufe.zeigtKnopf())
                tippe(spiel, u"cmdweiter"_s);
            else
                for (const auto& c : spiel.aktuell()->controls())
                    if (c->kind() == tk::Kind::Timer)
                        static_cast<tk::Timer*>(c.get())->fire();
            Spiel::ruhe();
            if (n <= stufe.gezeigt())
                QCOMPARE(kb::modVariablen::Bildzaehler, double(n));
        }
        QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(stufe.tafel->name));
    }

    // The level-5 prompt: in the middle, the seconds typed, OK tapped.
    static void anzeigezeit(const QString& sekunden)
    {
        QDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = offenerDialog()));
        SCHRITT(pruefeMitte(dialog));
        QLineEdit* feld = dialog->findChild<QLineEdit*>();
        tippe(feld);
        Spiel::tippen(feld, sekunden);
        tippe(knopf(dialog, u"OK"_s));
    }

private Q_SLOTS:
    void rundeMitFingern_data()
    {
        QTest::addColumn<int>("stufe");
        QTest::addColumn<int>("richtige");
        QTest::addColumn<bool>("nochmal"); // "Noch einmal", else "Ende"
        QTest::newRow("1, alles richtig, Ende") << 1 << 4 << false;
        QTest::newRow("2, gemischt, Noch einmal") << 2 << 3 << true;
        QTest::newRow("3, alles falsch, Ende") << 3 << 0 << false;
        QTest::newRow("4, gemischt, Ende") << 4 << 5 << false;
        QTest::newRow("5, gemischt, Noch einmal") << 5 << 6 << true;
    }
    void rundeMitFingern()
    {
        QFETCH(int, stufe);
        QFETCH(int, richtige);
        QFETCH(bool, nochmal);
        Spiel spiel;
        spiel.standardBilder();
        SCHRITT(zumMenue(spiel));
        const kb::Stufe& st = kb::stufen()[std::size_t(stufe - 1)];
        tippe(spiel,
              u"cmdschw"_s + QStringList{u"eins"_s, u"zwei"_s, u"drei"_s, u"vier"_s, u"fünf"_s}[stufe - 1]);
        if (stufe == 5)
            SCHRITT(anzeigezeit(u"2"_s));
        QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(st.schirm));
        SCHRITT(bilder(spiel, st));
        for (const QString& wort : wahl(st.gezeigt(), richtige)) {
            const tk::Form* tafel = spiel.aktuell();
            int i = 0;
            while (tafel->hasControl(u"cmdeins"_s, i) &&
                   tafel->find<tk::CommandButton>(u"cmdeins"_s, i).Caption() != wort)
                ++i;
            tippe(spiel, u"cmdeins"_s, i);
        }
        QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(st.tafel->auswertung));
        QCOMPARE(kb::modVariablen::Richtige, richtige);
        QCOMPARE(kb::modVariablen::Falsche, st.gezeigt() - richtige);
        QCOMPARE(spiel.aktuell()->find<tk::Label>(u"lblName"_s).Caption(), u"Ben!"_s);
        tippe(spiel, nochmal ? u"cmdNochmal"_s : u"cmdEnde"_s);
        QCOMPARE(spiel.beendet(), !nochmal);
        QCOMPARE(spiel.aktuellerName(), nochmal ? u"frmSchwierigkeit"_s : QString());
        QVERIFY(!spiel.services.error && spiel.services.messages.isEmpty());
    }

    // A tap on one control, and what it does.
    void einTipp_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::addColumn<QString>("ziel"); // a control, or the screen itself
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>(
            "folge"); // the next screen, "Link <target>", "Fokus", "Bild 2", "Block", "Ende"
        const QString tavo = u"Link https://www.tavo-kolleg.example"_s;
        QTest::newRow("about: title") << u"frmSplash"_s << u"lblTitel"_s << -1 << u"frmStart"_s;
        QTest::newRow("about: the screen") << u"frmSplash"_s << QString() << -1 << u"frmStart"_s;
        QTest::newRow("about: LinkTavo21") << u"frmSplash"_s << u"LinkTavo21"_s << -1 << tavo;
        QTest::newRow("about: LinkDornwiese1") << u"frmSplash"_s << u"LinkDornwiese1"_s << -1
                                               << u"Link https://www.grundschule-dornwiese.example"_s;
        QTest::newRow("about: LinkTavo1") << u"frmSplash"_s << u"LinkTavo1"_s << -1 << tavo;
        QTest::newRow("about: MailOrvel1")
            << u"frmSplash"_s << u"MailOrvel1"_s << -1 << u"Link mailto:orvel@tavo-kolleg.example"_s;
        QTest::newRow("start: name box") << u"frmStart"_s << u"txtBenutzername"_s << -1 << u"Fokus"_s;
        QTest::newRow("start: Ende") << u"frmStart"_s << u"cmdBeenden"_s << -1 << u"Ende"_s;
        QTest::newRow("menu: 2") << u"frmSchwierigkeit"_s << u"cmdschwzwei"_s << -1 << u"frmSchw2"_s;
        QTest::newRow("level 1: next picture") << u"frmSchw1"_s << u"cmdweiter"_s << -1 << u"Bild 2"_s;
        QTest::newRow("board: a word") << u"frmAusw2"_s << u"cmdeins"_s << 9 << u"Block"_s;
        QTest::newRow("result: Noch einmal")
            << u"frmAuswert1"_s << u"cmdNochmal"_s << -1 << u"frmSchwierigkeit"_s;
        QTest::newRow("result: Ende") << u"frmAuswert2"_s << u"cmdEnde"_s << -1 << u"Ende"_s;
    }
    void einTipp()
    {
        QFETCH(QString, schirm);
        QFETCH(QString, ziel);
        QFETCH(int, index);
        QFETCH(QString, folge);
        Spiel spiel;
        spiel.standardBilder(15);
        QVERIFY(kbtest::erreiche(spiel, schirm));
        ziel.isEmpty() ? tippe(spiel.aktuell()->window(), QPoint(4, 4)) : tippe(spiel, ziel, index);
        if (folge.startsWith(u"Link "_s))
            QCOMPARE(spiel.services.openedLinks, QStringList{folge.mid(5)});
        else if (folge == u"Fokus"_s)
            QCOMPARE(QApplication::focusWidget(), spiel.aktuell()->control(ziel).widget());
        else if (folge == u"Bild 2"_s)
            QCOMPARE(kb::modVariablen::Bildzaehler, 2.0);
        else if (folge == u"Block"_s)
            QVERIFY(spiel.aktuell()->control(u"cmdzwei"_s, index).widget()->isVisible());
        QCOMPARE(spiel.beendet(), folge == u"Ende"_s);
        if (folge.startsWith(u"frm"_s))
            QCOMPARE(spiel.aktuellerName(), folge);
        QVERIFY(!spiel.services.error);
    }

    // The prompt, a message and a run-time error, each in the middle and
    // answered by a tap on its button.
    void dialogInDerMitte_data()
    {
        QTest::addColumn<QString>("art");
        QTest::addColumn<int>("bilder"); // pictures in the folder; -1: no folder
        QTest::addColumn<QString>("stufe");
        QTest::addColumn<QString>("folge"); // the screen after the tap, or "Ende"
        QTest::newRow("prompt") << u"Eingabe"_s << 15 << u"cmdschwfünf"_s << u"frmSchw5"_s;
        QTest::newRow("too few pictures") << u"Meldung"_s << 9 << u"cmdschwzwei"_s << u"frmSchwierigkeit"_s;
        QTest::newRow("no picture folder") << u"Laufzeitfehler"_s << -1 << u"cmdschweins"_s << u"Ende"_s;
    }
    void dialogInDerMitte()
    {
        QFETCH(QString, art);
        QFETCH(int, bilder);
        QFETCH(QString, stufe);
        QFETCH(QString, folge);
        Spiel spiel;
        spiel.services.echteMeldungen = true;
        if (bilder >= 0)
            spiel.bilderOrdner(kbtest::bilddateien(bilder));
        QVERIFY(kbtest::erreiche(spiel, u"frmSchwierigkeit"_s));
        spiel.services.promptAnswers.clear();
        tippe(spiel, stufe);
        QDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = offenerDialog()));
        QCOMPARE(dialog->objectName(), art);
        SCHRITT(pruefeMitte(dialog));
        if (art == u"Eingabe"_s)
            Spiel::tippen(dialog->findChild<QLineEdit*>(), u"3"_s);
        tippe(knopf(dialog, u"OK"_s));
        QTRY_VERIFY(!offenerDialog());
        QCOMPARE(spiel.beendet(), folge == u"Ende"_s);
        QCOMPARE(spiel.services.exitStatus, folge == u"Ende"_s ? 1 : -1);
        if (folge != u"Ende"_s)
            QCOMPARE(spiel.aktuellerName(), folge);
    }

    // A computer that drives only a board hides the pointer (Zeiger=nein).
    void zeigerVersteckt()
    {
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    }

    // The board's window has no close box; asked to close from the desktop, it
    // closes the screen it shows, and with no screen left the game ends.
    void schliessen()
    {
        Spiel spiel;
        QVERIFY(kbtest::erreiche(spiel, u"frmSchwierigkeit"_s));
        tk::Backdrop::current()->windowHandle()->close();
        Spiel::ruhe();
        QVERIFY(spiel.beendet() && spiel.services.exitStatus == 0);
        QCOMPARE(tk::Program::instance().loadedCount(), 0);
        QVERIFY(tk::Backdrop::current()->isVisible());
    }
};

int main(int argc, char* argv[])
{
    if (!kbtest::Anwendung::tafel().isValid())
        qFatal("tst_tafelfinger runs at a board only: KB_TAFEL=1920x1080");
    kbtest::Anwendung anwendung(argc, argv);
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    tst_TafelFinger test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_tafelfinger.moc"
