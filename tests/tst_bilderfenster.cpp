// The companion's window on real folders: the verdicts and summary it shows, a
// folder it may not change, the repair through its button, and the child's view.
#include "bilderordner/fenster/bilderfenster.h"
#include "bilderordner/fenster/bildliste.h"
#include "bilderordner/fenster/kindansicht.h"
#include "bilderordner/fenster/wortdialog.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <unistd.h>

#include "support/fensterhilfe.h"
#include "support/testbilder.h"

#include <QMenuBar>
#include <QTextBrowser>

using namespace kbtest::fenster;

class tst_Bilderfenster : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void urteile_data();
    void urteile();
    void uebersicht();
    void schreibgeschuetzt();
    void reparierenPerKnopf();
    void kindansicht();
    void hilfe_data();
    void hilfe();
    void leererOrdner();
};

void tst_Bilderfenster::urteile_data()
{
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QString>("urteil");
    QTest::addColumn<int>("schwere");
    QTest::newRow("gut") << "Anker.png"
                         << "In Ordnung" << int(kbb::fenster::Schwere::Gut);
    QTest::newRow("kein Bild") << "Notizen.txt"
                               << "Beendet das Spiel: kein Bild" << int(kbb::fenster::Schwere::HaeltAn);
    QTest::newRow("beschädigt") << "Kaputt.png"
                                << "Beendet das Spiel: beschädigt" << int(kbb::fenster::Schwere::HaeltAn);
    QTest::newRow("zu groß") << "Riese.png"
                             << "Größer als die Bildfläche" << int(kbb::fenster::Schwere::Hinweis);
    QTest::newRow("hält lange auf") << "Langsam.png"
                                    << "Hält das Spiel lange auf (+1)" << int(kbb::fenster::Schwere::Hinweis);
    QTest::newRow("sehr klein") << "Floh.png"
                                << "Sehr klein" << int(kbb::fenster::Schwere::Hinweis);
    QTest::newRow("Punkt") << "Kater.jpeg"
                           << "Wort endet mit Punkt" << int(kbb::fenster::Schwere::Hinweis);
    QTest::newRow("groß/klein") << "affe.gif"
                                << "Wort fast doppelt (groß/klein)" << int(kbb::fenster::Schwere::Hinweis);
}

// Every kind of file in one folder; each tile says what the report found, and
// the files that stop the game come first.
void tst_Bilderfenster::urteile()
{
    QFETCH(QString, datei);
    QFETCH(QString, urteil);
    QFETCH(int, schwere);
    QTemporaryDir tmp;
    fuelle(tmp.path());
    const QDir d(tmp.path());
    schreibeText(d.filePath(QStringLiteral("Notizen.txt")), "Montag: Bilder mitbringen\n");
    QByteArray png = inhalt(d.filePath(QStringLiteral("Affe.png")));
    schreibeText(d.filePath(QStringLiteral("Kaputt.png")), png.left(png.size() / 3));
    schreibeBild(d.filePath(QStringLiteral("Riese.png")), QSize(900, 700), Qt::darkGreen);
    schreibeBild(d.filePath(QStringLiteral("Floh.png")), QSize(40, 30), Qt::red);
    kbtest::schreibeEinfarbigesPng(d.filePath(QStringLiteral("Langsam.png")), {65535, 65535}, true,
                                   0xFF00A000);
    schreibeBild(d.filePath(QStringLiteral("Kater.jpeg")), QSize(300, 200), Qt::blue, "JPEG");
    schreibeBild(d.filePath(QStringLiteral("affe.gif")), QSize(200, 200), Qt::yellow, "PNG");

    Offen f(tmp.path());
    // Before the report: listed with its word, the verdict still open.
    QVERIFY(f->modell()->zeile(datei) >= 0);
    QCOMPARE(kachel(*f.fenster, datei).data(Bildliste::UrteilRolle).toString(),
             QStringLiteral("wird geprüft …"));
    QVERIFY(wartePruefung(*f.fenster));
    const QModelIndex k = kachel(*f.fenster, datei);
    QCOMPARE(k.data(Bildliste::UrteilRolle).toString(), urteil);
    QCOMPARE(k.data(Bildliste::SchwereRolle).toInt(), schwere);
    QCOMPARE(k.data(Qt::DisplayRole).toString(), datei.left(datei.size() - 4));
    // The two files that stop the game are the first two tiles.
    if (schwere == int(kbb::fenster::Schwere::HaeltAn))
        QVERIFY(k.row() < 2);
    else
        QVERIFY(k.row() >= 2);
}

void tst_Bilderfenster::uebersicht()
{
    QTemporaryDir tmp;
    fuelle(tmp.path(), 10);
    schreibeText(tmp.filePath(QStringLiteral("Thumbs.db")), QByteArray(64, '\0'));
    Offen f(tmp.path());
    QVERIFY(f->uebersicht()->text().contains(QStringLiteral("11 Dateien. Die Bilder werden geprüft")));
    QVERIFY(wartePruefung(*f.fenster));
    const QString text = f->uebersicht()->text();
    QVERIFY2(text.contains(QStringLiteral("11 Dateien, 10 verschiedene Wörter.")), qPrintable(text));
    QVERIFY2(
        text.contains(QStringLiteral("Nur die Stufen 1 und 3 können gespielt werden: die Stufen 2, 4 und 5 "
                                     "brauchen 15 Bilder mit verschiedenen Wörtern; der Ordner hat 10.")),
        qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Eine Datei beendet das Spiel mit einem Fehler.")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("color:#b01010")));
    QCOMPARE(kachel(*f.fenster, QStringLiteral("Thumbs.db")).row(), 0);
}

void tst_Bilderfenster::schreibgeschuetzt()
{
    QTemporaryDir tmp;
    const QString ordner = tmp.filePath(QStringLiteral("bilder"));
    QVERIFY(QDir().mkpath(ordner));
    fuelle(ordner);
    QVERIFY(schreibschuetze(ordner, true));
    auto zurueck = qScopeGuard([&] { schreibschuetze(ordner, false); });
    if (QFileInfo(ordner).isWritable())
        QSKIP("This system lets the test change a write-protected folder.");

    Offen f(ordner);
    QVERIFY(wartePruefung(*f.fenster));
    QVERIFY(f->schreibschutz()->isVisible());
    QVERIFY(
        f->schreibschutz()->text().startsWith(QStringLiteral("Du darfst in diesem Ordner nichts ändern.")));
    QVERIFY(f->schreibschutz()->text().contains(QStringLiteral("kieselblick“ aufzunehmen (adduser ")));
    QVERIFY(!f->hinzufuegenAktion()->isEnabled());
    QVERIFY(!f->reparierenAktion()->isEnabled());
    QVERIFY(!f->saetzeKnopf()->isEnabled());
    QVERIFY(!werkzeug(*f.fenster, f->reparierenAktion())->isEnabled());
    const QString fremd = tmp.filePath(QStringLiteral("Hase.png"));
    schreibeBild(fremd, QSize(100, 100), Qt::gray);
    QVERIFY(!lasseFallen(*f.fenster, {fremd}));
    QVERIFY(!f->findChild<kbb::fenster::Wortdialog*>());
}

// The repair button moves the text file away and shortens ".jpeg"; the list of
// what it did is shown, and the folder is judged again.
void tst_Bilderfenster::reparierenPerKnopf()
{
    QTemporaryDir tmp;
    fuelle(tmp.path());
    schreibeText(tmp.filePath(QStringLiteral("Notizen.txt")), "Montag\n");
    schreibeBild(tmp.filePath(QStringLiteral("Kater.jpeg")), QSize(300, 200), Qt::blue, "JPEG");
    Offen f(tmp.path());
    QVERIFY(wartePruefung(*f.fenster));
    QVERIFY(
        f->uebersicht()->text().contains(QStringLiteral("Eine Datei beendet das Spiel mit einem Fehler.")));
    QSignalSpy fertig(f.fenster.get(), &Bilderfenster::arbeitFertig);

    QWidget* knopf = werkzeug(*f.fenster, f->reparierenAktion());
    QVERIFY(knopf && knopf->isEnabled());
    QTest::mouseClick(knopf, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(fertig.count(), 1, 20000);
    auto* protokoll = f->findChild<QDialog*>(QStringLiteral("protokoll"));
    QVERIFY(protokoll && protokoll->isVisible());
    const auto* zeilen = protokoll->findChild<QListWidget*>();
    // What it did, then what is left for the teacher.
    QCOMPARE(zeilen->count(), 3);
    QCOMPARE(zeilen->item(2)->text(), QStringLiteral("Es bleibt nichts zu tun."));
    QVERIFY(QFileInfo::exists(tmp.filePath(QStringLiteral("aussortiert/Notizen.txt"))));
    QVERIFY(QFileInfo::exists(tmp.filePath(QStringLiteral("Kater.jpg"))));

    QVERIFY(wartePruefung(*f.fenster));
    QVERIFY2(!f->uebersicht()->text().contains(QStringLiteral("das Spiel an")),
             qPrintable(f->uebersicht()->text()));
    QCOMPARE(f->modell()->zeile(QStringLiteral("Notizen.txt")), -1);
    QCOMPARE(kachel(*f.fenster, QStringLiteral("Kater.jpg")).data(Bildliste::UrteilRolle).toString(),
             QStringLiteral("In Ordnung"));
}

// Clicking a tile shows its word on the board's button and says how much of the
// picture the child sees.
void tst_Bilderfenster::kindansicht()
{
    QTemporaryDir tmp;
    fuelle(tmp.path(), 3);
    schreibeBild(tmp.filePath(QStringLiteral("Riese.png")), QSize(1600, 1200), Qt::darkGreen);
    Offen f(tmp.path());
    QVERIFY(wartePruefung(*f.fenster));
    QSignalSpy geladen(f->kindansicht(), &kbb::fenster::Kindansicht::bildGeladen);
    const QRect r = f->liste()->visualRect(kachel(*f.fenster, QStringLiteral("Riese.png")));
    QTest::mouseClick(f->liste()->viewport(), Qt::LeftButton, {}, r.center());
    QVERIFY(geladen.wait(10000));
    QCOMPARE(f->kindansicht()->wortKnopf()->text(), QStringLiteral("Riese"));
    QCOMPARE(f->kindansicht()->wortKnopf()->size(), QSize(97, 65));
    const auto* hinweis = f->kindansicht()->findChild<QLabel*>(QStringLiteral("hinweis"));
    QVERIFY(hinweis);
    QVERIFY2(hinweis->text().contains(QStringLiteral("nur den Teil oben links")),
             qPrintable(hinweis->text()));
    // The chosen level's screen at half size: its background, the picture at its place.
    QWidget* schirm = f->kindansicht()->bildschirm();
    const auto farbe = [schirm](QPoint p) { return schirm->grab().toImage().pixelColor(p); };
    QCOMPARE(farbe({4, 4}), QColor(0x80, 0xFF, 0x80));
    QCOMPARE(farbe({100, 30}), QColor(Qt::darkGreen));
    auto* wahl = f->kindansicht()->findChild<QComboBox*>();
    QVERIFY(wahl);
    wahl->setFocus();
    QTest::keyClick(wahl, Qt::Key_Down);
    QCOMPARE(farbe({4, 4}), QColor(0x00, 0xC0, 0xC0));
}

void tst_Bilderfenster::hilfe_data()
{
    QTest::addColumn<bool>("taste"); // F1, else the menu "Hilfe"
    QTest::newRow("F1") << true;
    QTest::newRow("Menü Hilfe") << false;
}

// F1 or the menu "Hilfe" opens a short German help; every button of the tool
// bar says in its tooltip more than its caption.
void tst_Bilderfenster::hilfe()
{
    QFETCH(bool, taste);
    QTemporaryDir tmp;
    fuelle(tmp.path(), 3);
    Offen f(tmp.path());
    if (taste) {
        drueckeTaste(*f.fenster, Qt::Key_F1);
    } else {
        QMenu* menue = nullptr;
        for (QAction* a : f->menuBar()->actions())
            if (a->text() == QStringLiteral("&Hilfe"))
                menue = a->menu();
        QVERIFY(menue);
        f->menuBar()->setActiveAction(menue->menuAction());
        QTRY_VERIFY(menue->isVisible());
        QVERIFY(waehleEintrag(*menue, QStringLiteral("Hilfe zu Kieselblick – Bilder")));
    }
    auto* d = f->findChild<QDialog*>(QStringLiteral("hilfe"));
    QVERIFY(d && d->isVisible());
    const QString text = d->findChild<QTextBrowser*>()->toPlainText();
    for (const char* teil : {"Auswahlbox", "Rückgängig", "Beiseitelegen", "aussortiert", "Wort ändern"})
        QVERIFY2(text.contains(QString::fromUtf8(teil)), teil);
    for (QAction* a : f->findChild<QToolBar*>()->actions())
        if (!a->text().isEmpty())
            QVERIFY2(a->toolTip().size() > a->text().size() + 20, qPrintable(a->text()));
    QVERIFY(f->saetzeKnopf()->toolTip().size() > 40);
}

// An empty folder says that pictures can be dropped onto the window.
void tst_Bilderfenster::leererOrdner()
{
    QTemporaryDir tmp;
    Offen f(tmp.path());
    QVERIFY(wartePruefung(*f.fenster));
    QVERIFY2(f->uebersicht()->text().contains(
                 QStringLiteral("Ziehe Bilder aus dem Dateimanager auf dieses Fenster")),
             qPrintable(f->uebersicht()->text()));
}

QTEST_MAIN(tst_Bilderfenster)
#include "tst_bilderfenster.moc"
