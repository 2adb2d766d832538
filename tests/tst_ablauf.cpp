// Screen flow: loading, showing, unloading and ending, driven through real
// clicks, keys, timers and close boxes on small screens of the test's own.
#include "shell/modSkalieren.h"
#include "support/spielumgebung.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tk;
using kbtest::Spiel;

namespace {

const FormLayout layoutA{
    .name = "frmTestA",
    .caption = "Erster",
    .backColor = 0x00FFC0FF,
    .clientWidth = 6000,
    .clientHeight = 4500,
    .controls = {
        {.kind = Kind::TextBox, .name = "txtName", .left = 300, .top = 300, .width = 3000, .height = 450,
         .tabIndex = 0},
        {.kind = Kind::CommandButton, .name = "cmdWeiter", .left = 300, .top = 1200, .width = 1500,
         .height = 600, .caption = "&Weiter", .isDefault = true, .tabIndex = 2},
        {.kind = Kind::CommandButton, .name = "cmdEnde", .left = 2400, .top = 1200, .width = 1500,
         .height = 600, .caption = "&Ende", .isCancel = true, .tabIndex = 1},
        {.kind = Kind::Timer, .name = "Timer1", .enabled = true, .interval = 0},
    },
};

const FormLayout layoutB{
    .name = "frmTestB",
    .caption = "Zweiter",
    .clientWidth = 15195,
    .clientHeight = 8130,
    .controls = {
        {.kind = Kind::CommandButton, .name = "cmdZurueck", .left = 300, .top = 300, .width = 1500,
         .height = 600, .caption = "Zurück", .tabIndex = 0},
    },
};

int switchesFromTimer = 0;
QString lastName;
std::uintptr_t stackMark = 0;

class FrmTestA : public Form {
public:
    FrmTestA() : Form(layoutA)
    {
        onClick(QStringLiteral("cmdWeiter"), [this] { cmdWeiter_Click(); });
        onClick(QStringLiteral("cmdEnde"), [] { End(); });
        onTimer(QStringLiteral("Timer1"), [this] {
            ++switchesFromTimer;
            Unload(*this);
            Show(QStringLiteral("frmTestB"), vbModal);
        });
    }
    void Form_Load() override { FormSkalieren(*this); }

private:
    void cmdWeiter_Click()
    {
        lastName = textBox(QStringLiteral("txtName")).Text();
        Unload(*this);
        Show(QStringLiteral("frmTestB"), vbModal);
    }
};

class FrmTestB : public Form {
public:
    FrmTestB() : Form(layoutB)
    {
        onClick(QStringLiteral("cmdZurueck"), [this] {
            int here = 0;
            stackMark = reinterpret_cast<std::uintptr_t>(&here);
            Unload(*this);
            Show(QStringLiteral("frmTestA"), vbModal);
        });
    }
    void Form_Load() override { FormSkalieren(*this); }
};

void registerTestForms()
{
    Program::instance().registerForm(QStringLiteral("frmTestA"), [] { return std::make_unique<FrmTestA>(); });
    Program::instance().registerForm(QStringLiteral("frmTestB"), [] { return std::make_unique<FrmTestB>(); });
}

} // namespace

class tst_Ablauf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { registerTestForms(); }

    void clickUnloadsAndShowsNext()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmTestA"));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmTestA"));
        QPointer<QWidget> oldWindow = spiel.aktuell()->window();
        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdWeiter")));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmTestB"));
        QVERIFY(spiel.aktuell()->window()->isVisible());
        QVERIFY2(oldWindow.isNull(), "the first screen's window is destroyed");
        QVERIFY(!spiel.beendet());
    }

    void timerHandlerCanChangeScreens()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmTestA"));
        Timer& t = spiel.aktuell()->timer(QStringLiteral("Timer1"));
        switchesFromTimer = 0;
        t.setInterval(20);
        QTRY_COMPARE(spiel.aktuellerName(), QStringLiteral("frmTestB"));
        QCOMPARE(switchesFromTimer, 1);
        Spiel::ruhe();
        QTest::qWait(80);
        QCOMPARE(switchesFromTimer, 1); // the timer went with its screen
    }

    void intervalZeroStaysSilent()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmTestA"));
        Timer& t = spiel.aktuell()->timer(QStringLiteral("Timer1"));
        switchesFromTimer = 0;
        t.setTimerEnabled(true);
        t.setInterval(0);
        QVERIFY(!t.isRunning());
        QTest::qWait(100);
        QCOMPARE(switchesFromTimer, 0);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, t.setInterval(65536));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, t.setInterval(-1));
        t.setInterval(65535);
        QCOMPARE(t.Interval(), 65535);
    }

    void enterClicksDefaultFromTextBox()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmTestA"));
        Form* a = spiel.aktuell();
        Spiel::aktiviere(a);
        auto* edit = qobject_cast<QLineEdit*>(a->textBox(QStringLiteral("txtName")).widget());
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClicks(edit, QStringLiteral(" Anna "));
        QTest::keyClick(edit, Qt::Key_Return);
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmTestB"));
        QCOMPARE(lastName, QStringLiteral(" Anna "));
    }

    void escClicksCancelFromTextBox()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmTestA"));
        Form* a = spiel.aktuell();
        Spiel::aktiviere(a);
        QTest::keyClick(a->textBox(QStringLiteral("txtName")).widget(), Qt::Key_Escape);
        Spiel::ruhe();
        QVERIFY(spiel.beendet());
        QCOMPARE(spiel.services.exitStatus, 0);
        QCOMPARE(Program::instance().loadedCount(), 0);
    }

    void accessKeyClicksButton()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmTestA"));
        Form* a = spiel.aktuell();
        Spiel::aktiviere(a);
        QTest::keyClick(a->textBox(QStringLiteral("txtName")).widget(), Qt::Key_W, Qt::AltModifier);
        // Qt presses a button by its access key with a short animation.
        QTRY_COMPARE(spiel.aktuellerName(), QStringLiteral("frmTestB"));
    }

    void tabOrderFollowsTabIndex()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmTestA"));
        Form* a = spiel.aktuell();
        Spiel::aktiviere(a);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), a->button(QStringLiteral("cmdEnde")).widget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), a->button(QStringLiteral("cmdWeiter")).widget());
    }

    void closeBoxEndsProgram()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmTestA"));
        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdWeiter")));
        QVERIFY(spiel.aktuell()->window()->close() == false); // the screen unloads itself instead
        Spiel::ruhe();
        QCOMPARE(Program::instance().loadedCount(), 0);
        QVERIFY(spiel.beendet());
        QCOMPARE(spiel.services.exitStatus, 0);
    }

    void gameScreenOuterSizeIs12000By9000()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmTestA"));
        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdWeiter")));
        Form* b = spiel.aktuell();
        const QSize outer = b->window()->frameGeometry().size();
        QCOMPARE(outer.width() * 15, 12000);
        QCOMPARE(outer.height() * 15, 9000);
        QCOMPARE(b->Width(), 12000.0);
        QCOMPARE(b->Height(), 9000.0);
    }

    void runtimeErrorEndsWithMessage()
    {
        Spiel spiel;
        Program::instance().registerForm(QStringLiteral("frmKaputt"), [] {
            struct Kaputt : Form {
                Kaputt() : Form(layoutB)
                {
                    onClick(QStringLiteral("cmdZurueck"), [] { throw RuntimeError::overflow(); });
                }
            };
            return std::make_unique<Kaputt>();
        });
        spiel.starte(QStringLiteral("frmKaputt"));
        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdZurueck")));
        QVERIFY(spiel.services.error.has_value());
        QCOMPARE(spiel.services.error->number(), 6);
        QVERIFY(spiel.beendet());
        QCOMPARE(spiel.services.exitStatus, 1);
        QCOMPARE(Program::instance().loadedCount(), 0);
    }

    // Ten thousand screen changes through real clicks: the stack depth at the
    // handler and the number of live widgets must not grow.
    void tenThousandScreenChangesStayFlat()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmTestA"));
        std::uintptr_t firstMark = 0;
        qsizetype widgetsAfterFirst = 0;
        for (int round = 0; round < 5000; ++round) {
            Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdWeiter")));
            Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdZurueck")));
            if (round == 0) {
                firstMark = stackMark;
                widgetsAfterFirst = QApplication::allWidgets().size();
            }
            QCOMPARE(Program::instance().dispatchDepth(), 0);
        }
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmTestA"));
        QCOMPARE(stackMark, firstMark);
        QCOMPARE(QApplication::allWidgets().size(), widgetsAfterFirst);
    }
};

QTEST_MAIN(tst_Ablauf)
#include "tst_ablauf.moc"
