// The about screen: where it places its labels, how it gives way to the start
// screen, and what each link hands to the desktop.
#include "support/spielumgebung.h"

#include <QTimer>

class tst_About : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clicksKeysAndTheMinute_data()
    {
        QTest::addColumn<QString>("ziel");  // a control, or the screen itself
        QTest::addColumn<QString>("taste"); // pressed while the control has the focus; else a click
        QTest::addColumn<QString>("folge"); // "frmStart", the target handed to the desktop, or nothing
        const QString start = u"frmStart"_s, tavo = u"https://www.tavo-kolleg.example"_s;
        QTest::newRow("minute") << u"Timer1"_s << QString() << start;
        QTest::newRow("title") << u"lblTitel"_s << QString() << start;
        QTest::newRow("screen") << QString() << QString() << start;
        QTest::newRow("disclaimer") << u"lblTavo3"_s << QString() << QString();
        QTest::newRow("X on a link") << u"MailOrvel1"_s << u"X"_s << start;
        QTest::newRow("Enter on the logo") << u"LinkTavo1"_s << u"Return"_s << start;
        QTest::newRow("LinkTavo21") << u"LinkTavo21"_s << QString() << tavo;
        QTest::newRow("LinkDornwiese1")
            << u"LinkDornwiese1"_s << QString() << u"https://www.grundschule-dornwiese.example"_s;
        QTest::newRow("LinkTavo1") << u"LinkTavo1"_s << QString() << tavo;
        QTest::newRow("MailOrvel1") << u"MailOrvel1"_s << QString() << u"mailto:orvel@tavo-kolleg.example"_s;
    }
    // A link hands its target over and the screen stays with its minute running.
    void clicksKeysAndTheMinute()
    {
        QFETCH(QString, ziel);
        QFETCH(QString, taste);
        QFETCH(QString, folge);
        Spiel spiel;
        Form* f = spiel.starte(u"frmSplash"_s);
        QCOMPARE(f->find<tk::Label>(u"lblTitel"_s).Left(), 1492.5); // centred, halves kept
        for (const QString& name : {u"LinkTavo1"_s, u"lblTavo2"_s, u"MailOrvel1"_s})
            QCOMPARE(f->control(name).Left(), 3112.5);
        QCOMPARE(f->find<tk::LinkControl>(u"MailOrvel1"_s).Top(), 5895.0);
        QCOMPARE(f->find<tk::LinkControl>(u"MailOrvel1"_s).inner()->toolTip(),
                 u"mailto: orvel@tavo-kolleg.example"_s);
        const QTimer* minute = f->window()->findChild<QTimer*>(u"Timer1"_s);
        QVERIFY(minute->isActive() && minute->interval() == 60000);
        QPointer<QWidget> fenster = f->window();
        if (ziel == u"Timer1"_s) {
            f->find<tk::Timer>(ziel).fire();
        } else if (!taste.isEmpty()) {
            Spiel::aktiviere(f);
            f->control(ziel).widget()->setFocus(Qt::TabFocusReason);
            Spiel::tasten(taste);
        } else if (ziel.isEmpty()) {
            Spiel::klickAnStelle(f->window(), QPoint(3, 3));
        } else {
            const Control& c = f->control(ziel);
            Spiel::klickAnStelle(c.kind() == Kind::Link ? f->find<tk::LinkControl>(ziel).innerControl() : c);
        }
        Spiel::ruhe();
        const bool weg = folge == u"frmStart"_s;
        QCOMPARE(spiel.aktuellerName(), weg ? u"frmStart"_s : u"frmSplash"_s);
        QCOMPARE(fenster.isNull(), weg);
        QCOMPARE(spiel.services.openedLinks, weg || folge.isEmpty() ? QStringList() : QStringList{folge});
        QVERIFY(!spiel.beendet() && (weg || minute->isActive()));
    }
};

KB_TEST_MAIN(tst_About)
#include "tst_about.moc"
