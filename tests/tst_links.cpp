// The link controls: where they can be clicked, what they hand to the desktop,
// their tool tips, pointer and accessibility, tried on the about screen as a user
// meets them and on a small screen of the test's own.
#include "about/verweise.h"
#include "splash_hilfen.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QToolTip>

using namespace tk;
using kbtest::Spiel;

namespace {

const QString tavoWeb = QStringLiteral("https://www.tavo-kolleg.example");
const QString dornwieseWeb = QStringLiteral("https://www.grundschule-dornwiese.example");
const QString orvelMail = QStringLiteral("mailto:orvel@tavo-kolleg.example");

// clang-format off
// A screen with a mail link at its design size and a link that describes itself.
const FormLayout linkLayout{
    .name = "frmLinkTest",
    .clientWidth = 6000,
    .clientHeight = 3000,
    .controls = {
        {.kind = Kind::Link, .name = "MailOrvel1", .left = 300, .top = 300, .tabIndex = 0, .link = &kb::MailOrvel},
        {.kind = Kind::Link, .name = "lnkHilfe", .left = 300, .top = 1200, .width = 1500, .height = 300,
         .caption = "Hilfe", .tabIndex = 1, .toolTip = "Hilfe im Netz", .target = "hilfe.kieselblick.example"},
    },
};
// clang-format on

// A desktop that refuses every link.
class Verweigert : public kbtest::TestServices {
public:
    void openLink(const QString& target) override
    {
        throw RuntimeError(-2147467259,
                           QStringLiteral("Der Link konnte nicht geöffnet werden: %1").arg(target));
    }
};

Form* starteSplash(Spiel& spiel)
{
    spiel.starte(QStringLiteral("frmSplash"));
    return spiel.aktuell();
}

QWidget* box(Form* f, const QString& name)
{
    return f->link(name).widget();
}
QWidget* inner(Form* f, const QString& name)
{
    return f->link(name).inner();
}

// A point of a link control, given in the control's own pixels, in window coordinates.
QPoint imFenster(Form* f, const QString& name, QPoint local)
{
    return box(f, name)->mapTo(f->window(), local);
}

qint64 restzeit(Form* f)
{
    return kbtest::minutenTimer(f)->remainingTime();
}

} // namespace

class tst_Links : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        kbtest::startbildschirmBereitstellen();
        Program::instance().registerForm(QStringLiteral("frmLinkTest"),
                                         [] { return std::make_unique<Form>(linkLayout); });
    }

    // A click on the inner control hands the exact target to the desktop; the
    // about screen stays, and its minute runs on without restarting.
    void clickOpensTargetScreenStays_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("target");
        QTest::newRow("LinkTavo21") << QStringLiteral("LinkTavo21") << tavoWeb;
        QTest::newRow("LinkDornwiese1") << QStringLiteral("LinkDornwiese1") << dornwieseWeb;
        QTest::newRow("LinkTavo1") << QStringLiteral("LinkTavo1") << tavoWeb;
        QTest::newRow("MailOrvel1") << QStringLiteral("MailOrvel1") << orvelMail;
    }

    void clickOpensTargetScreenStays()
    {
        QFETCH(QString, link);
        QFETCH(QString, target);
        Spiel spiel;
        Form* f = starteSplash(spiel);
        QTest::qWait(30);
        const qint64 before = restzeit(f);
        kbtest::klickAuf(f, inner(f, link));
        QCOMPARE(spiel.services.openedLinks, QStringList{target});
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSplash"));
        QVERIFY(f->timer(QStringLiteral("Timer1")).isRunning());
        QVERIFY2(restzeit(f) <= before, "the minute is not restarted by a link");
        // The minute still ends the about screen.
        f->timer(QStringLiteral("Timer1")).fire();
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmStart"));
        QCOMPARE(spiel.services.openedLinks.size(), 1);
    }

    // Beside the inner control a link control takes the click and does nothing:
    // no link, and no click on the frame behind it either.
    void clickBesideInnerControlDoesNothing()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        const QString logo = QStringLiteral("LinkTavo1");
        QCOMPARE(box(f, logo)->size(), QSize(241, 65));
        QCOMPARE(inner(f, logo)->geometry(), QRect(0, 0, 236, 55));
        kbtest::klickBei(f, imFenster(f, logo, QPoint(238, 30)));
        kbtest::klickBei(f, imFenster(f, logo, QPoint(100, 60)));
        // The mail address is shorter than its control.
        kbtest::klickBei(f, imFenster(f, QStringLiteral("MailOrvel1"), QPoint(225, 8)));
        QCOMPARE(spiel.services.openedLinks, QStringList());
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSplash"));
    }

    void onlyAWholeLeftClickOnTheInnerControlCounts()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        QWindow* window = f->window()->windowHandle();
        const QString mail = QStringLiteral("MailOrvel1");
        // Pressed on the address, released beside it.
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, imFenster(f, mail, QPoint(50, 8)));
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, imFenster(f, mail, QPoint(225, 8)));
        // Pressed beside it, released on it.
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, imFenster(f, mail, QPoint(225, 8)));
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, imFenster(f, mail, QPoint(50, 8)));
        QTest::mouseClick(window, Qt::RightButton, Qt::NoModifier, imFenster(f, mail, QPoint(50, 8)));
        Spiel::ruhe();
        QCOMPARE(spiel.services.openedLinks, QStringList());
        QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, imFenster(f, mail, QPoint(50, 8)));
        Spiel::ruhe();
        QCOMPARE(spiel.services.openedLinks, QStringList{orvelMail});
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSplash"));
    }

    void toolTipWhenHovering_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("tip");
        QTest::newRow("MailOrvel1") << QStringLiteral("MailOrvel1")
                                    << QStringLiteral("mailto: orvel@tavo-kolleg.example");
        QTest::newRow("LinkTavo1") << QStringLiteral("LinkTavo1")
                                   << QStringLiteral("www.tavo-kolleg.example");
        QTest::newRow("LinkTavo21") << QStringLiteral("LinkTavo21")
                                    << QStringLiteral("www.tavo-kolleg.example");
        QTest::newRow("LinkDornwiese1")
            << QStringLiteral("LinkDornwiese1") << QStringLiteral("www.grundschule-dornwiese.example");
    }

    void toolTipWhenHovering()
    {
        QFETCH(QString, link);
        QFETCH(QString, tip);
        Spiel spiel;
        Form* f = starteSplash(spiel);
        Spiel::aktiviere(f);
        QToolTip::hideText();
        QTest::mouseMove(f->window()->windowHandle(), kbtest::mitteImFenster(inner(f, link)));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), tip);
        QToolTip::hideText();
    }

    // Our own hand, hot spot (12, 1), over the clickable part; the plain arrow
    // beside it. The school's link shows the hand on the whole control.
    void handCursorOnClickablePart()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        QWindow* window = f->window()->windowHandle();
        // The pointer comes into the window first, as from the desktop.
        QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), window->mapToGlobal(QPointF(3, 3)));
        QCoreApplication::sendEvent(window, &enter);
        for (const char* name : {"LinkTavo1", "LinkTavo21", "LinkDornwiese1", "MailOrvel1"}) {
            QTest::mouseMove(window, kbtest::mitteImFenster(inner(f, QString::fromLatin1(name))));
            const QCursor hand = window->cursor();
            QVERIFY2(hand.shape() == Qt::BitmapCursor, name);
            QCOMPARE(hand.hotSpot(), QPoint(12, 1));
            QCOMPARE(hand.pixmap().size(), QSize(32, 32));
        }
        QTest::mouseMove(window, imFenster(f, QStringLiteral("LinkTavo1"), QPoint(238, 60)));
        QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!box(f, QStringLiteral("LinkTavo1"))->testAttribute(Qt::WA_SetCursor));
        QCOMPARE(box(f, QStringLiteral("LinkDornwiese1"))->cursor().shape(), Qt::BitmapCursor);
    }

    void innerControlsHaveTheirOwnSizeAndLook()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        const QString tavo = QStringLiteral("LinkTavo21");
        QCOMPARE(inner(f, tavo)->objectName(), QStringLiteral("Label1"));
        QCOMPARE(inner(f, tavo)->size(), QSize(153, 17)); // wider than the control, which clips it
        QCOMPARE(box(f, tavo)->size(), QSize(145, 17));
        QCOMPARE(inner(f, QStringLiteral("LinkTavo1"))->objectName(), QStringLiteral("imgLogo"));
        const QString dorn = QStringLiteral("LinkDornwiese1");
        QVERIFY(!inner(f, dorn)->autoFillBackground());
        QCOMPARE(box(f, dorn)->palette().color(QPalette::Window), toQColor(0x8000000A));
        QVERIFY(inner(f, QStringLiteral("MailOrvel1"))->autoFillBackground());
        QCOMPARE(inner(f, QStringLiteral("MailOrvel1"))->font().pixelSize(), 13);
        QVERIFY(!inner(f, QStringLiteral("MailOrvel1"))->font().underline());
        QCOMPARE(f->link(QStringLiteral("MailOrvel1")).text(), QStringLiteral("orvel@tavo-kolleg.example"));
    }

    void accessibleAsPressableLink()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        QAccessibleInterface* mail =
            QAccessible::queryAccessibleInterface(box(f, QStringLiteral("MailOrvel1")));
        QVERIFY(mail);
        QCOMPARE(mail->role(), QAccessible::Link);
        QCOMPARE(mail->text(QAccessible::Name), QStringLiteral("orvel@tavo-kolleg.example"));
        QCOMPARE(mail->text(QAccessible::Description), QStringLiteral("mailto: orvel@tavo-kolleg.example"));
        QVERIFY(mail->state().focusable);
        QAccessibleInterface* logo =
            QAccessible::queryAccessibleInterface(box(f, QStringLiteral("LinkTavo1")));
        QCOMPARE(logo->text(QAccessible::Name), QStringLiteral("www.tavo-kolleg.example"));
        QAccessibleActionInterface* action = mail->actionInterface();
        QVERIFY(action);
        QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
        action->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(spiel.services.openedLinks, QStringList{orvelMail});
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSplash"));
    }

    // A row naming its kind and giving no size gets the kind's design size; a row
    // without a kind describes its link itself.
    void linksOnAScreenOfTheirOwn()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmLinkTest"));
        Form* f = spiel.aktuell();
        QVERIFY(f);
        LinkControl& mail = f->link(QStringLiteral("MailOrvel1"));
        QCOMPARE(mail.Width(), 3030.0);
        QCOMPARE(mail.Height(), 315.0);
        QCOMPARE(mail.widget()->size(), QSize(202, 21));
        QCOMPARE(mail.typeName(), QStringLiteral("MailOrvel"));
        LinkControl& hilfe = f->link(QStringLiteral("lnkHilfe"));
        QCOMPARE(hilfe.text(), QStringLiteral("Hilfe"));
        QCOMPARE(hilfe.inner()->toolTip(), QStringLiteral("Hilfe im Netz"));
        kbtest::klickAuf(f, hilfe.inner());
        kbtest::klickAuf(f, mail.inner());
        QCOMPARE(spiel.services.openedLinks,
                 QStringList({QStringLiteral("https://hilfe.kieselblick.example"), orvelMail}));
    }

    // A link the desktop refuses is a run-time error: the standard message, then
    // the end of the program.
    void refusedLinkEndsProgram()
    {
        Spiel spiel;
        Verweigert desktop;
        setServices(&desktop);
        Form* f = starteSplash(spiel);
        kbtest::klickAuf(f, inner(f, QStringLiteral("LinkTavo1")));
        QVERIFY(desktop.error.has_value());
        QVERIFY(desktop.error->message().contains(tavoWeb));
        QVERIFY(desktop.exited);
        QCOMPARE(desktop.exitStatus, 1);
        QCOMPARE(Program::instance().loadedCount(), 0);
    }
};

QTEST_MAIN(tst_Links)
#include "tst_links.moc"
