// The about screen: how it opens, what its load step does, and how it gives way to
// the start screen on a click, a key or its one-minute timer.
#include "splash_hilfen.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTextLayout>

using namespace tk;
using kbtest::Spiel;

namespace {

Form* starteSplash(Spiel& spiel)
{
    spiel.starte(kb::ersterBildschirm());
    return spiel.aktuell();
}

QLabel* qlabel(Form* f, const char* name)
{
    return qobject_cast<QLabel*>(f->label(QString::fromLatin1(name)).widget());
}

} // namespace

class tst_Splash : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { kbtest::startbildschirmBereitstellen(); }

    void programOpensOnAboutScreenAsPlainCentredPanel()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        QVERIFY(f);
        QCOMPARE(f->name(), QStringLiteral("frmSplash"));
        QWidget* w = f->window();
        QVERIFY(w->isVisible());
        const Qt::WindowFlags flags = w->windowFlags();
        QVERIFY(flags & Qt::FramelessWindowHint);
        QVERIFY(!(flags & Qt::WindowSystemMenuHint));
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool); // no task-bar entry
        QVERIFY(w->windowTitle().isEmpty());
        // Its stored size, not the game screens' 12000 x 9000.
        QCOMPARE(w->size(), QSize(656, 475));
        QCOMPARE(f->ScaleWidth(), 9840.0);
        QCOMPARE(f->ScaleHeight(), 7125.0);
        const QPoint offCentre = w->frameGeometry().center() - w->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, "centred on the desktop");
        QCOMPARE(w->palette().color(QPalette::Window), toQColor(0x8000000A));
    }

    void everythingLiesInTheFrame()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        QWidget* frame = f->control(QStringLiteral("Frame1")).widget();
        QCOMPARE(frame->parentWidget(), f->window());
        QCOMPARE(frame->geometry(), QRect(8, 8, 641, 457));
        int inside = 0;
        for (const auto& c : f->controls()) {
            if (c->name() == QLatin1String("Frame1"))
                continue;
            QObject* parent =
                c->kind() == Kind::Timer ? kbtest::minutenTimer(f)->parent() : c->widget()->parentWidget();
            QVERIFY2(parent == frame, qPrintable(c->name()));
            ++inside;
        }
        QCOMPARE(inside, 11);
    }

    void labelsHaveTheirFontsAlignmentAndTransparency()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        struct Row {
            const char* name;
            int pixels;
            Qt::Alignment align;
            bool opaque;
        };
        const Row rows[] = {
            {"lblTitel", 53, Qt::AlignHCenter, false},   {"lblErklaerung", 13, Qt::AlignHCenter, false},
            {"lblversion", 27, Qt::AlignHCenter, false}, {"lblAutoren", 13, Qt::AlignLeft, false},
            {"lblTavo3", 13, Qt::AlignLeft, true},       {"lblTavo2", 13, Qt::AlignLeft, true}};
        for (const Row& r : rows) {
            QLabel* l = qlabel(f, r.name);
            QCOMPARE(l->font().pixelSize(), r.pixels);
            QCOMPARE(l->font().weight(), QFont::Normal);
            QVERIFY2(QStringList({"Arial", "Liberation Sans"}).contains(QFontInfo(l->font()).family()),
                     r.name);
            QCOMPARE(l->alignment() & Qt::AlignHorizontal_Mask, r.align);
            QCOMPARE(l->autoFillBackground(), r.opaque);
            QVERIFY(l->wordWrap()); // none is auto-sized
        }
        QCOMPARE(qlabel(f, "lblTitel")->palette().color(QPalette::WindowText), QColor(Qt::black));
    }

    // The centring measures against the screen's inner width and keeps halves;
    // the address and the mail link line up with the logo.
    void loadStepPlacesControls()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        QCOMPARE(f->label(QStringLiteral("lblTitel")).Left(), 1492.5);
        QCOMPARE(f->label(QStringLiteral("lblErklaerung")).Left(), 1852.5);
        QCOMPARE(f->label(QStringLiteral("lblversion")).Left(), 3052.5);
        QCOMPARE(f->link(QStringLiteral("LinkTavo1")).Left(), 3112.5);
        QCOMPARE(f->label(QStringLiteral("lblTavo2")).Left(), 3112.5);
        QCOMPARE(f->link(QStringLiteral("MailOrvel1")).Left(), 3112.5);
        QCOMPARE(f->link(QStringLiteral("MailOrvel1")).Top(), 5895.0);
        // Widths stay as stored, whatever the captions.
        QCOMPARE(f->label(QStringLiteral("lblTitel")).Width(), 6855.0);
        QCOMPARE(f->label(QStringLiteral("lblTavo2")).Height(), 855.0);
        // The link controls that are not moved stay where they were laid out.
        QCOMPARE(f->link(QStringLiteral("LinkTavo21")).Left(), 600.0);
        QCOMPARE(f->link(QStringLiteral("LinkDornwiese1")).Top(), 3240.0);
        // The mail link sits directly under the address, flush with the logo.
        const QRect address = qlabel(f, "lblTavo2")->geometry();
        const QRect mail = f->link(QStringLiteral("MailOrvel1")).widget()->geometry();
        QCOMPARE(mail.top(), address.bottom() + 1);
        QCOMPARE(mail.left(), f->link(QStringLiteral("LinkTavo1")).widget()->geometry().left());
    }

    void loadStepWritesCaptions()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        QCOMPARE(f->label(QStringLiteral("lblTitel")).Caption(), QStringLiteral("Kieselblick"));
        QCOMPARE(f->label(QStringLiteral("lblversion")).Caption(), QStringLiteral("Version 1.0.14"));
        QCOMPARE(f->label(QStringLiteral("lblErklaerung")).Caption(),
                 QStringLiteral("Ein Sprachlernprogramm für Grundschulen\r\r1. Schuljahr"));
        const QString address = f->label(QStringLiteral("lblTavo2")).Caption();
        QVERIFY(!address.contains(QLatin1Char('\n')));
        const QStringList lines = address.split(QLatin1Char('\r'));
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(2).startsWith(QStringLiteral("z. Hd. ")));
        // On screen: three lines, and the description's empty line between its two.
        QCOMPARE(qlabel(f, "lblTavo2")->text().count(QLatin1Char('\n')), 2);
        QCOMPARE(qlabel(f, "lblErklaerung")->text(),
                 QStringLiteral("Ein Sprachlernprogramm für Grundschulen\n\n1. Schuljahr"));
    }

    // The note wraps after the class designation; on its second line the words
    // stand clear of the two link controls, which fill its runs of blanks.
    void authorsNoteReadsAroundTheLinks()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        QLabel* note = qlabel(f, "lblAutoren");
        const QString text = note->text();
        QTextLayout layout(text, note->font(), note);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal y = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(note->width());
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout.endLayout();
        QCOMPARE(layout.lineCount(), 2);
        const QTextLine second = layout.lineAt(1);
        QVERIFY(text.left(second.textStart()).trimmed().endsWith(QStringLiteral("der Klasse IT1")));
        QVERIFY(text.mid(second.textStart()).startsWith(QStringLiteral("des ")));

        auto xInFrame = [&](const QString& word, bool end) {
            const int at = int(text.indexOf(word, second.textStart())) + (end ? int(word.size()) : 0);
            return note->x() + second.cursorToX(at);
        };
        const QRect tavo = f->link(QStringLiteral("LinkTavo21")).widget()->geometry();
        const QRect dornwiese = f->link(QStringLiteral("LinkDornwiese1")).widget()->geometry();
        QVERIFY(qAbs(tavo.top() - (note->y() + second.y())) <= 1);
        QVERIFY(xInFrame(QStringLiteral("des"), true) <= tavo.left());
        QVERIFY(xInFrame(QStringLiteral("in Kooperation"), false) > tavo.right());
        QVERIFY(xInFrame(QStringLiteral("mit der"), true) <= dornwiese.left());
        QVERIFY(xInFrame(QStringLiteral("."), false) > dornwiese.right());
        QCOMPARE(f->link(QStringLiteral("LinkTavo21")).text(), QStringLiteral("Tavo"));
        QCOMPARE(f->link(QStringLiteral("LinkDornwiese1")).text(), QStringLiteral("Dornwiese"));
    }

    void linksLieAboveTheLabelsTheyOverlap()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        QWidget* w = f->window();
        auto owner = [&](QPoint at) -> QString {
            for (QWidget* hit = w->childAt(at); hit; hit = hit->parentWidget())
                for (const auto& c : f->controls())
                    if (c->widget() == hit)
                        return c->name();
            return {};
        };
        QCOMPARE(owner(kbtest::mitteImFenster(f->link(QStringLiteral("LinkTavo21")).widget())),
                 QStringLiteral("LinkTavo21"));
        // LinkDornwiese1 reaches one pixel into the disclaimer, LinkTavo1 into the
        // disclaimer and the address.
        const QRect dorn = f->link(QStringLiteral("LinkDornwiese1")).widget()->geometry();
        QCOMPARE(
            owner(f->control(QStringLiteral("Frame1")).widget()->mapTo(w, dorn.bottomLeft() + QPoint(5, 0))),
            QStringLiteral("LinkDornwiese1"));
        const QRect logo = f->link(QStringLiteral("LinkTavo1")).widget()->geometry();
        const QWidget* frame = f->control(QStringLiteral("Frame1")).widget();
        QCOMPARE(owner(frame->mapTo(w, logo.topLeft() + QPoint(5, 0))), QStringLiteral("LinkTavo1"));
        QCOMPARE(owner(frame->mapTo(w, logo.bottomLeft() + QPoint(5, 0))), QStringLiteral("LinkTavo1"));
        QCOMPARE(owner(frame->mapTo(w, logo.topLeft() + QPoint(5, -1))), QStringLiteral("lblTavo3"));
    }

    // Without input, the timer's first event leads on.
    void timerLeadsToStartScreen()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        Timer& t = f->timer(QStringLiteral("Timer1"));
        QCOMPARE(t.Interval(), 60000);
        QVERIFY(t.TimerEnabled());
        QVERIFY(t.isRunning());
        QCOMPARE(kbtest::minutenTimer(f)->interval(), 60000);
        QPointer<QWidget> window = f->window();
        t.fire();
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmStart"));
        QVERIFY(spiel.aktuell()->window()->isVisible());
        QVERIFY(window.isNull());
        QVERIFY(!spiel.beendet());
    }

    void clicksThatLeave_data()
    {
        QTest::addColumn<QString>("ziel");
        for (const char* name : {"lblTitel", "lblErklaerung", "lblversion", "lblAutoren", "lblTavo2"})
            QTest::newRow(name) << QString::fromLatin1(name);
        QTest::newRow("Frame1") << QStringLiteral("Frame1");
        QTest::newRow("screen") << QString();
    }

    void clicksThatLeave()
    {
        QFETCH(QString, ziel);
        Spiel spiel;
        Form* f = starteSplash(spiel);
        QPoint at(3, 3); // the screen's own edge around the frame
        if (ziel == QLatin1String("Frame1"))
            at = f->control(ziel).widget()->mapTo(f->window(), QPoint(630, 440));
        else if (!ziel.isEmpty())
            at = kbtest::mitteImFenster(f->control(ziel).widget());
        if (ziel == QLatin1String("lblAutoren")) // the first line, clear of the links
            at = f->control(ziel).widget()->mapTo(f->window(), QPoint(60, 5));
        kbtest::klickBei(f, at);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmStart"));
        QCOMPARE(spiel.services.openedLinks, QStringList());
    }

    void clickOnDisclaimerDoesNothing()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        QWidget* disclaimer = f->label(QStringLiteral("lblTavo3")).widget();
        kbtest::klickBei(f, disclaimer->mapTo(f->window(), QPoint(100, 20)));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSplash"));
        kbtest::klickAuf(f, disclaimer);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSplash"));
        QVERIFY(f->timer(QStringLiteral("Timer1")).isRunning());
        // The title still leads on afterwards.
        kbtest::klickAuf(f, f->label(QStringLiteral("lblTitel")).widget());
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmStart"));
    }

    // Key preview: a key that produces a character leads on whichever link
    // control has the focus.
    void keyLeavesFromEveryFocusedLink_data()
    {
        QTest::addColumn<QString>("link");
        for (const char* name : {"LinkTavo21", "LinkDornwiese1", "LinkTavo1", "MailOrvel1"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void keyLeavesFromEveryFocusedLink()
    {
        QFETCH(QString, link);
        Spiel spiel;
        Form* f = starteSplash(spiel);
        Spiel::aktiviere(f);
        QWidget* box = f->link(link).widget();
        box->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClick(box, Qt::Key_Shift); // produces no character
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSplash"));
        QTest::keyClick(box, Qt::Key_X);
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmStart"));
        QCOMPARE(spiel.services.openedLinks, QStringList());
    }

    // Tab moves between the link controls in their order without leaving; Enter
    // produces a character and leads on.
    void tabMovesFocusEnterLeaves()
    {
        Spiel spiel;
        Form* f = starteSplash(spiel);
        Spiel::aktiviere(f);
        QCOMPARE(QApplication::focusWidget(), f->link(QStringLiteral("LinkTavo21")).widget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->link(QStringLiteral("LinkDornwiese1")).widget());
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSplash"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmStart"));
    }
};

QTEST_MAIN(tst_Splash)
#include "tst_splash.moc"
