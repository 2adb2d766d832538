// Every screen as it opens: its outer size, where the keyboard focus starts, and
// where Tab and Shift+Tab take it from there (real key presses on the real
// screens and the level-5 prompt); the focus mark goes with the focus from the
// start. (How the screens look, their labels' lines included: tst_fensterbilder.)
#include "support/spielumgebung.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

// Whether a control shows the focus mark: near its top edge two rows of only
// black and white pixels, both of them, across its middle half.
bool zeigtMarke(QWidget* w)
{
    const QImage bild = w->grab().toImage();
    const auto schwarzWeiss = [&](int y, bool& schwarz, bool& weiss) {
        for (int x = bild.width() / 4; x < bild.width() * 3 / 4; ++x) {
            const QRgb p = bild.pixel(x, y) & 0xFFFFFF;
            if (p != 0 && p != 0xFFFFFF)
                return false;
            (p ? weiss : schwarz) = true;
        }
        return true;
    };
    for (int y = 0; y + 1 < std::min(10, bild.height()); ++y) {
        bool schwarz = false, weiss = false;
        if (schwarzWeiss(y, schwarz, weiss) && schwarzWeiss(y + 1, schwarz, weiss) && schwarz && weiss)
            return true;
    }
    return false;
}

// The focused control as the layout names it, cmdeins(3); a dialog's button by
// its text, its other parts by their class. A button or link control of a
// screen that does not show the focus mark says so.
QString fokus()
{
    QWidget* w = QApplication::focusWidget();
    if (!w)
        return u"-"_s;
    if (!w->objectName().isEmpty() && !qobject_cast<QLineEdit*>(w) && !zeigtMarke(w))
        return w->objectName() + u" ohne Fokusmarke"_s;
    if (!w->objectName().isEmpty())
        return w->property("index").toInt() >= 0
                   ? u"%1(%2)"_s.arg(w->objectName()).arg(w->property("index").toInt())
                   : w->objectName();
    if (auto* b = qobject_cast<const QPushButton*>(w))
        return b->text();
    return QString::fromLatin1(w->metaObject()->className());
}

// The controls the focus visits, key by key, until it is back where it started;
// the list starts with `erster`.
QStringList runde(Qt::KeyboardModifiers umschalt, const QString& erster)
{
    QStringList namen{fokus()};
    for (int i = 0; i < 40; ++i) {
        QWidget* ziel =
            QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        QTest::keyClick(ziel, Qt::Key_Tab, umschalt);
        if (ziel != QApplication::focusWidget() && zeigtMarke(ziel))
            namen << ziel->objectName() + u" behält die Fokusmarke"_s;
        if (fokus() == namen.first())
            break;
        namen << fokus();
    }
    const qsizetype ab = std::max<qsizetype>(0, namen.indexOf(erster));
    return namen.mid(ab) + namen.mid(0, ab);
}

} // namespace

class tst_Tabfolge : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tabFolge_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::addColumn<QList<int>>("gewaehlt"); // words picked on a board before the walk
        QTest::addColumn<QString>("folge");       // the first has the focus when the screen opens
        const QString kurz = u"cmdeins(0) cmdeins(1) cmdeins(2) cmdeins(3) cmdeins(4) cmdeins(5) cmdeins(6) "
                             "cmdeins(7) cmdeins(8)"_s;
        const QString lang =
            u"cmdeins(5) cmdeins(4) cmdeins(3) cmdeins(2) cmdeins(1) cmdeins(0) cmdeins(6) "
            "cmdeins(7) cmdeins(8) cmdeins(9) cmdeins(10) cmdeins(11) cmdeins(12) cmdeins(13) "
            "cmdeins(14)"_s;
        const QList<int> keine;
        QTest::newRow("frmSplash") << u"frmSplash"_s << keine
                                   << u"LinkTavo21 LinkDornwiese1 LinkTavo1 MailOrvel1"_s;
        QTest::newRow("frmStart") << u"frmStart"_s << keine << u"txtBenutzername cmdBeenden cmdStart"_s;
        QTest::newRow("frmSpiel") << u"frmSpiel"_s << keine << u"cmdweiter"_s;
        QTest::newRow("frmSchwierigkeit") << u"frmSchwierigkeit"_s << keine
                                          << u"cmdschweins cmdschwzwei cmdschwdrei cmdschwvier cmdschwfünf"_s;
        QTest::newRow("frmSchw2") << u"frmSchw2"_s << keine << u"cmdweiter"_s;
        QTest::newRow("frmSchw4") << u"frmSchw4"_s << keine << u"-"_s;
        QTest::newRow("frmSchw5: prompt") << u"frmSchw5"_s << keine << u"QLineEdit OK Abbrechen"_s;
        QTest::newRow("frmAusw1") << u"frmAusw1"_s << keine << kurz;
        QTest::newRow("frmAusw1, blocks of 1 and 7")
            << u"frmAusw1"_s << QList<int>{1, 7}
            << u"cmdeins(0) cmdeins(2) cmdeins(3) cmdeins(4) cmdeins(5) cmdzwei(1) cmdzwei(7) cmdeins(6) "
               "cmdeins(8)"_s;
        QTest::newRow("frmAusw2") << u"frmAusw2"_s << keine << lang;
        QTest::newRow("frmAusw2, blocks of 3 and 12")
            << u"frmAusw2"_s << QList<int>{3, 12}
            << QString(lang).remove(u" cmdeins(3)"_s).remove(u" cmdeins(12)"_s);
        QTest::newRow("frmAuswert1") << u"frmAuswert1"_s << keine << u"cmdNochmal cmdEnde"_s;
        QTest::newRow("frmAuswert2") << u"frmAuswert2"_s << keine << u"cmdEnde cmdNochmal"_s;
    }
    void tabFolge()
    {
        QFETCH(QString, schirm);
        QFETCH(QList<int>, gewaehlt);
        QFETCH(QString, folge);
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(15));
        kbtest::setzeBildnamen(kbtest::bilddateien(15));
        tk::Form* f = spiel.starte(schirm);
        QVERIFY(f);
        const QSize aussen = schirm == u"frmSplash"_s ? QSize(9840, 7125) : QSize(12000, 9000);
        QCOMPARE(f->window()->frameGeometry().size() * 15, aussen);
        for (int i : gewaehlt)
            Spiel::klick(f->find<tk::CommandButton>(u"cmdeins"_s, i));
        QWidget* fenster = f->window()->isVisible() ? f->window() : QApplication::activeModalWidget();
        QVERIFY(fenster);
        QApplication::setActiveWindow(fenster);
        QVERIFY(QTest::qWaitForWindowActive(fenster));
        const QStringList erwartet = folge.split(u' ');
        if (gewaehlt.isEmpty())
            QCOMPARE(fokus(), erwartet.first());
        QCOMPARE(runde(Qt::NoModifier, erwartet.first()), erwartet);
        QStringList zurueck = erwartet.mid(1);
        std::reverse(zurueck.begin(), zurueck.end());
        QCOMPARE(runde(Qt::ShiftModifier, erwartet.first()), QStringList{erwartet.first()} + zurueck);
    }

    // The start screen's title stands above the window's edge, yet shows its i-dots.
    void titelGanz()
    {
        Spiel spiel;
        tk::Form* f = spiel.starte(u"frmStart"_s);
        QWidget* titel = f->find<Label>(u"lblSpielname"_s).widget();
        const QImage bild = f->window()->grab().toImage();
        for (int x = titel->x(); x < titel->x() + titel->width(); ++x)
            QVERIFY2(qGray(bild.pixel(x, 0)) > 128, qPrintable(u"ink at the edge, x %1"_s.arg(x)));
    }
};

KB_TEST_MAIN(tst_Tabfolge)
#include "tst_tabfolge.moc"
