// The about screen and its link controls: how the screen opens and lays itself out,
// how it gives way to the start screen, and what each link hands to the desktop.
#include "about/verweise.h"
#include "shell/programmstart.h"
#include "support/spielumgebung.h"

#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

using namespace tk;
using namespace Qt::StringLiterals;
using kbtest::Spiel;

namespace {

const QString tavo = u"https://www.tavo-kolleg.example"_s, mail = u"mailto:orvel@tavo-kolleg.example"_s;

// clang-format off
// A screen of our own: a mail link at its kind's design size, and a link that describes itself.
const FormLayout linkLayout{.name = "frmLinkTest", .clientWidth = 6000, .clientHeight = 3000, .controls = {
    {.kind = Kind::Link, .name = "MailOrvel1", .left = 300, .top = 300, .tabIndex = 0, .link = &kb::MailOrvel},
    {.kind = Kind::Link, .name = "lnkHilfe", .left = 300, .top = 1200, .width = 1500, .height = 300,
     .caption = "Hilfe", .tabIndex = 1, .toolTip = "Hilfe im Netz", .target = "hilfe.kieselblick.example"}}};
// clang-format on

// A desktop that refuses every link.
struct Verweigert : kbtest::TestServices {
    void openLink(const QString& target) override
    {
        throw RuntimeError(-2147467259, u"Der Link konnte nicht geöffnet werden: "_s + target);
    }
};

// A point given in a control's own pixels, in the coordinates of its window.
const auto imFenster = [](const Form* f, const QString& control, QPoint local) {
    return f->control(control).widget()->mapTo(f->window(), local);
};
const auto minute = [](const Form* f) { return f->window()->findChild<QTimer*>(u"Timer1"_s); };

} // namespace

class tst_About : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        Program::instance().registerForm(u"frmLinkTest"_s, [] { return std::make_unique<Form>(linkLayout); });
    }

    // No title bar, no control box, no task-bar entry, its stored size, centred on
    // the desktop, and every control inside the frame.
    void programOpensOnAPlainCentredPanel()
    {
        Spiel spiel;
        Form* f = spiel.starte(kb::ersterBildschirm());
        QCOMPARE(f->name(), u"frmSplash"_s);
        QWidget* w = f->window();
        QVERIFY(w->isVisible() && w->windowTitle().isEmpty());
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!(w->windowFlags() &
                  (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
        QCOMPARE(w->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QCOMPARE(w->size(), QSize(656, 475));
        QVERIFY((w->frameGeometry().center() - w->screen()->availableGeometry().center()).manhattanLength() <=
                2);
        QCOMPARE(w->palette().color(QPalette::Window), toQColor(0x8000000A));
        const QWidget* frame = f->control(u"Frame1"_s).widget();
        QCOMPARE(frame->geometry(), QRect(8, 8, 641, 457));
        for (const auto& c : f->controls())
            QVERIFY2(c->kind() == Kind::Timer || c->widget() == frame || c->widget()->parentWidget() == frame,
                     qPrintable(c->name()));
    }

    // Fonts, alignment and transparency; the load step centres with halves kept and
    // writes the captions, the address broken by carriage returns alone.
    void labelsAndLoadStep()
    {
        Spiel spiel;
        Form* f = spiel.starte(u"frmSplash"_s);
        for (const auto& [name, pixels, align, opaque] : {std::tuple{"lblTitel", 53, Qt::AlignHCenter, false},
                                                          {"lblErklaerung", 13, Qt::AlignHCenter, false},
                                                          {"lblversion", 27, Qt::AlignHCenter, false},
                                                          {"lblAutoren", 13, Qt::AlignLeft, false},
                                                          {"lblTavo3", 13, Qt::AlignLeft, true},
                                                          {"lblTavo2", 13, Qt::AlignLeft, true}}) {
            const auto* l = qobject_cast<QLabel*>(f->label(QString::fromLatin1(name)).widget());
            QVERIFY2(l->font().pixelSize() == pixels && l->font().weight() == QFont::Normal, name);
            QVERIFY2(QStringList({"Arial", "Liberation Sans"}).contains(QFontInfo(l->font()).family()), name);
            QVERIFY2((l->alignment() & Qt::AlignHorizontal_Mask) == align && l->wordWrap(), name);
            QVERIFY2(l->autoFillBackground() == opaque, name);
        }
        QCOMPARE(f->label(u"lblTitel"_s).Left(), 1492.5);
        QCOMPARE(f->label(u"lblErklaerung"_s).Left(), 1852.5);
        QCOMPARE(f->label(u"lblversion"_s).Left(), 3052.5);
        for (const QString& name : {u"LinkTavo1"_s, u"lblTavo2"_s, u"MailOrvel1"_s})
            QCOMPARE(f->control(name).Left(), 3112.5);
        QCOMPARE(f->link(u"MailOrvel1"_s).Top(), 5895.0);
        QCOMPARE(f->label(u"lblTitel"_s).Width(), 6855.0);
        QCOMPARE(f->label(u"lblTitel"_s).Caption(), u"Kieselblick"_s);
        QCOMPARE(f->label(u"lblversion"_s).Caption(), u"Version 1.0.14"_s);
        QCOMPARE(f->label(u"lblErklaerung"_s).Caption(),
                 u"Ein Sprachlernprogramm für Grundschulen\r\r1. Schuljahr"_s);
        QCOMPARE(qobject_cast<QLabel*>(f->label(u"lblErklaerung"_s).widget())->text(),
                 u"Ein Sprachlernprogramm für Grundschulen\n\n1. Schuljahr"_s);
        const QString adresse = f->label(u"lblTavo2"_s).Caption();
        QVERIFY(adresse.count(u'\r') == 2 && !adresse.contains(u'\n') && !adresse.endsWith(u'\r'));
    }

    // Where a link control overlaps a label, the link lies on top.
    void linksLieAboveTheLabelsTheyOverlap()
    {
        Spiel spiel;
        Form* f = spiel.starte(u"frmSplash"_s);
        const auto oben = [&](const QString& control, QPoint local) {
            for (QWidget* hit = f->window()->childAt(imFenster(f, control, local)); hit;
                 hit = hit->parentWidget())
                for (const auto& c : f->controls())
                    if (c->widget() == hit)
                        return c->name();
            return QString();
        };
        const int dornwiese = f->link(u"LinkDornwiese1"_s).widget()->height();
        const int logo = f->link(u"LinkTavo1"_s).widget()->height();
        QCOMPARE(oben(u"LinkDornwiese1"_s, QPoint(5, dornwiese - 1)), u"LinkDornwiese1"_s);
        QCOMPARE(oben(u"LinkTavo1"_s, QPoint(5, 0)), u"LinkTavo1"_s);
        QCOMPARE(oben(u"LinkTavo1"_s, QPoint(5, logo - 1)), u"LinkTavo1"_s);
        QCOMPARE(oben(u"LinkTavo1"_s, QPoint(5, -1)), u"lblTavo3"_s);
    }

    void leavingForTheStartScreen_data()
    {
        QTest::addColumn<QString>("ziel");  // a control, or the screen itself
        QTest::addColumn<QPoint>("stelle"); // clicked there, in the control's pixels; (-1, -1): its middle
        QTest::addColumn<QString>("taste"); // or pressed while the control has the focus
        QTest::addColumn<bool>("weg");
        QTest::newRow("minute") << u"Timer1"_s << QPoint() << QString() << true;
        for (const char* name : {"lblTitel", "lblErklaerung", "lblversion", "lblTavo2"})
            QTest::newRow(name) << QString::fromLatin1(name) << QPoint(-1, -1) << QString() << true;
        QTest::newRow("lblAutoren") << u"lblAutoren"_s << QPoint(60, 5) << QString() << true;
        QTest::newRow("Frame1") << u"Frame1"_s << QPoint(630, 440) << QString() << true;
        QTest::newRow("screen") << QString() << QPoint(3, 3) << QString() << true;
        QTest::newRow("disclaimer") << u"lblTavo3"_s << QPoint(-1, -1) << QString() << false;
        QTest::newRow("disclaimer left") << u"lblTavo3"_s << QPoint(100, 20) << QString() << false;
        QTest::newRow("X on a link") << u"MailOrvel1"_s << QPoint() << u"X"_s << true;
        QTest::newRow("X on the logo") << u"LinkTavo1"_s << QPoint() << u"X"_s << true;
        QTest::newRow("Enter on a link") << u"LinkDornwiese1"_s << QPoint() << u"Return"_s << true;
        QTest::newRow("Tab on a link") << u"LinkTavo21"_s << QPoint() << u"Tab"_s << false;
    }
    // A click on the screen, its frame or five labels, a key that gives a character,
    // or the minute's timer shows the start screen and unloads the about screen.
    void leavingForTheStartScreen()
    {
        QFETCH(QString, ziel);
        QFETCH(QPoint, stelle);
        QFETCH(QString, taste);
        QFETCH(bool, weg);
        Spiel spiel;
        Form* f = spiel.starte(u"frmSplash"_s);
        QPointer<QWidget> fenster = f->window();
        QCOMPARE(minute(f)->interval(), 60000);
        QVERIFY(minute(f)->isActive());
        if (ziel == u"Timer1"_s) {
            f->timer(ziel).fire();
        } else if (!taste.isEmpty()) {
            Spiel::aktiviere(f);
            f->control(ziel).widget()->setFocus(Qt::TabFocusReason);
            Spiel::tasten(taste);
        } else {
            const QWidget* w = ziel.isEmpty() ? f->window() : f->control(ziel).widget();
            Spiel::klickImFenster(f, w->mapTo(f->window(), stelle.x() < 0 ? w->rect().center() : stelle));
        }
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), weg ? u"frmStart"_s : u"frmSplash"_s);
        QCOMPARE(fenster.isNull(), weg);
        QVERIFY(spiel.services.openedLinks.isEmpty() && !spiel.beendet());
        QVERIFY(weg || minute(f)->isActive());
    }

    void linkClickOpensTargetScreenStays_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("tip");
        QTest::newRow("LinkTavo21") << u"LinkTavo21"_s << tavo << u"www.tavo-kolleg.example"_s;
        QTest::newRow("LinkDornwiese1")
            << u"LinkDornwiese1"_s << u"https://www.grundschule-dornwiese.example"_s
            << u"www.grundschule-dornwiese.example"_s;
        QTest::newRow("LinkTavo1") << u"LinkTavo1"_s << tavo << u"www.tavo-kolleg.example"_s;
        QTest::newRow("MailOrvel1") << u"MailOrvel1"_s << mail << u"mailto: orvel@tavo-kolleg.example"_s;
    }
    // Over the inner control the pointer is our own hand (hot spot 12, 1); a click
    // there hands the exact target to the desktop, and the screen's minute runs on.
    void linkClickOpensTargetScreenStays()
    {
        QFETCH(QString, link);
        QFETCH(QString, target);
        QFETCH(QString, tip);
        Spiel spiel;
        Form* f = spiel.starte(u"frmSplash"_s);
        QWidget* inner = f->link(link).inner();
        QCOMPARE(inner->toolTip(), tip);
        QWindow* window = f->window()->windowHandle();
        QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), window->mapToGlobal(QPointF(3, 3)));
        QCoreApplication::sendEvent(window, &enter);
        QTest::mouseMove(window, Spiel::mitteImFenster(inner));
        QCOMPARE(window->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(window->cursor().hotSpot(), QPoint(12, 1));
        QCOMPARE(window->cursor().pixmap().size(), QSize(32, 32));
        QTest::qWait(20);
        const int before = minute(f)->remainingTime();
        Spiel::klickImFenster(f, Spiel::mitteImFenster(inner));
        QCOMPARE(spiel.services.openedLinks, QStringList{target});
        QCOMPARE(spiel.aktuellerName(), u"frmSplash"_s);
        QVERIFY(minute(f)->isActive() && minute(f)->remainingTime() <= before);
    }

    // Beside the inner control a link control takes the click and does nothing, with
    // the plain arrow; only a whole left click on the inner control counts.
    void onlyAWholeLeftClickOnTheInnerControlCounts()
    {
        Spiel spiel;
        Form* f = spiel.starte(u"frmSplash"_s);
        QWindow* window = f->window()->windowHandle();
        const QString logo = u"LinkTavo1"_s;
        QCOMPARE(f->link(logo).widget()->size(), QSize(241, 65));
        QCOMPARE(f->link(logo).inner()->geometry(), QRect(0, 0, 236, 55));
        QTest::mouseMove(window, imFenster(f, logo, QPoint(238, 60)));
        QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
        Spiel::klickImFenster(f, imFenster(f, logo, QPoint(238, 30)));
        Spiel::klickImFenster(f, imFenster(f, logo, QPoint(100, 60)));
        const QPoint auf = imFenster(f, u"MailOrvel1"_s, QPoint(50, 8));
        const QPoint neben = imFenster(f, u"MailOrvel1"_s, QPoint(225, 8)); // the address is shorter
        Spiel::klickImFenster(f, neben);
        QTest::mousePress(window, Qt::LeftButton, {}, auf);
        QTest::mouseRelease(window, Qt::LeftButton, {}, neben);
        QTest::mousePress(window, Qt::LeftButton, {}, neben);
        QTest::mouseRelease(window, Qt::LeftButton, {}, auf);
        QTest::mouseClick(window, Qt::RightButton, {}, auf);
        Spiel::ruhe();
        QVERIFY(spiel.services.openedLinks.isEmpty());
        QCOMPARE(spiel.aktuellerName(), u"frmSplash"_s);
        QTest::mouseDClick(window, Qt::LeftButton, {}, auf);
        Spiel::ruhe();
        QCOMPARE(spiel.services.openedLinks, QStringList{mail});
    }

    // The mail link's tip shows when the pointer rests on it, and assistive tools
    // find a link they can press.
    void mailLinkTipAndAccessibility()
    {
        Spiel spiel;
        Form* f = spiel.starte(u"frmSplash"_s);
        Spiel::aktiviere(f);
        QToolTip::hideText();
        QTest::mouseMove(f->window()->windowHandle(),
                         Spiel::mitteImFenster(f->link(u"MailOrvel1"_s).inner()));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), u"mailto: orvel@tavo-kolleg.example"_s);
        QToolTip::hideText();
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(f->link(u"MailOrvel1"_s).widget());
        QVERIFY(a && a->role() == QAccessible::Link && a->state().focusable);
        QCOMPARE(a->text(QAccessible::Name), u"orvel@tavo-kolleg.example"_s);
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(spiel.services.openedLinks, QStringList{mail});
    }

    // The link kinds work on any screen: a row naming its kind gets the kind's design
    // size, a row without one describes its link itself.
    void linksOnAScreenOfTheirOwn()
    {
        Spiel spiel;
        Form* f = spiel.starte(u"frmLinkTest"_s);
        const LinkControl& m = f->link(u"MailOrvel1"_s);
        QCOMPARE(QSizeF(m.Width(), m.Height()), QSizeF(3030, 315));
        QCOMPARE(m.typeName(), u"MailOrvel"_s);
        const LinkControl& hilfe = f->link(u"lnkHilfe"_s);
        QCOMPARE(hilfe.text(), u"Hilfe"_s);
        QCOMPARE(hilfe.inner()->toolTip(), u"Hilfe im Netz"_s);
        Spiel::klickAnStelle(hilfe.innerControl());
        Spiel::klickAnStelle(m.innerControl());
        QCOMPARE(spiel.services.openedLinks, (QStringList{u"https://hilfe.kieselblick.example"_s, mail}));
    }

    // A link the desktop refuses is a run-time error: the message, then the end.
    void refusedLinkEndsTheProgram()
    {
        Spiel spiel;
        Verweigert desktop;
        setServices(&desktop);
        Spiel::klickAnStelle(spiel.starte(u"frmSplash"_s)->link(u"LinkTavo1"_s).innerControl());
        QVERIFY(desktop.error && desktop.error->message().contains(tavo));
        QVERIFY(desktop.exited && desktop.exitStatus == 1);
        QCOMPARE(Program::instance().loadedCount(), 0);
    }
};

QTEST_MAIN(tst_About)
#include "tst_about.moc"
