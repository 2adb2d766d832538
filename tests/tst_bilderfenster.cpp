// The companion's window on real folders: the verdicts and summary it shows, a
// folder it may not change, the repair through its button, the child's view and
// the help.
#include "bilderordner/fenster/kindansicht.h"
#include "support/fensterhilfe.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTextBrowser>
#include <QToolButton>

using namespace kbtest::fenster;
using kbb::fenster::Schwere;

class tst_Bilderfenster : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every kind of file in one folder: before the report each is listed with
    // its word and its verdict still open; then each tile says what the report
    // found, and the files that stop the game come first.
    void urteile()
    {
        Ablage a;
        const QByteArray png = inhalt(Bilder + u"/Affe.png"_s);
        kbtest::schreibeDatei(QFile::encodeName(a.pfad(u"Notizen.txt"_s)), "Montag: Bilder mitbringen\n");
        kbtest::schreibeDatei(QFile::encodeName(a.pfad(u"Kaputt.png"_s)), png.left(png.size() / 3));
        schreibeBild(a.pfad(u"Riese.png"_s), QSize(900, 700), Qt::darkGreen);
        schreibeBild(a.pfad(u"Floh.png"_s), QSize(40, 30), Qt::red);
        kbtest::schreibeEinfarbigesPng(a.pfad(u"Langsam.png"_s), {65535, 65535}, true, 0xFF00A000);
        schreibeBild(a.pfad(u"Kater.jpeg"_s), QSize(300, 200), Qt::blue, "JPEG");
        schreibeBild(a.pfad(u"affe.gif"_s), QSize(200, 200), Qt::yellow, "PNG");
        const struct {
            const char *datei, *urteil;
            Schwere schwere;
        } faelle[] = {{"Anker.png", "In Ordnung", Schwere::Gut},
                      {"Notizen.txt", "Beendet das Spiel: kein Bild", Schwere::HaeltAn},
                      {"Kaputt.png", "Beendet das Spiel: beschädigt", Schwere::HaeltAn},
                      {"Riese.png", "Größer als die Bildfläche", Schwere::Hinweis},
                      {"Langsam.png", "Hält das Spiel lange auf (+1)", Schwere::Hinweis},
                      {"Floh.png", "Sehr klein", Schwere::Hinweis},
                      {"Kater.jpeg", "Wort endet mit Punkt", Schwere::Hinweis},
                      {"affe.gif", "Wort fast doppelt (groß/klein)", Schwere::Hinweis}};
        QVERIFY(a.oeffne(15, false));
        for (const auto& fall : faelle)
            QCOMPARE(kachel(*a.f, QString::fromUtf8(fall.datei)).data(Bildliste::UrteilRolle).toString(),
                     u"wird geprüft …"_s);
        QVERIFY(wartePruefung(*a.f));
        for (const auto& fall : faelle) {
            const QString datei = QString::fromUtf8(fall.datei);
            const QModelIndex k = kachel(*a.f, datei);
            QCOMPARE(k.data(Bildliste::UrteilRolle).toString(), QString::fromUtf8(fall.urteil));
            QCOMPARE(k.data(Bildliste::SchwereRolle).toInt(), int(fall.schwere));
            QCOMPARE(k.data(Qt::DisplayRole).toString(), datei.left(datei.size() - 4));
            QCOMPARE(k.row() < 2, fall.schwere == Schwere::HaeltAn);
        }
    }

    // The summary, while the check runs and after it; an empty folder says that
    // pictures can be dropped onto the window.
    void uebersicht()
    {
        Ablage a;
        kbtest::schreibeDatei(QFile::encodeName(a.pfad(u"Thumbs.db"_s)), QByteArray(64, '\0'));
        QVERIFY(a.oeffne(10, false));
        QVERIFY(a->uebersicht()->text().contains(u"11 Dateien. Die Bilder werden geprüft"_s));
        QVERIFY(wartePruefung(*a.f));
        const QString text = a->uebersicht()->text();
        for (const QString& teil :
             {u"11 Dateien, 10 verschiedene Wörter."_s,
              u"Nur die Stufen 1 und 3 können gespielt werden: die Stufen 2, 4 und 5 brauchen 15 Bilder mit "
              "verschiedenen Wörtern; der Ordner hat 10."_s,
              u"Eine Datei beendet das Spiel mit einem Fehler."_s, u"color:#b01010"_s})
            QVERIFY2(text.contains(teil), qPrintable(text));
        QCOMPARE(kachel(*a.f, u"Thumbs.db"_s).row(), 0);
        Ablage leer;
        QVERIFY(leer.oeffne(0));
        QVERIFY2(
            leer->uebersicht()->text().contains(u"Ziehe Bilder aus dem Dateimanager auf dieses Fenster"_s),
            qPrintable(leer->uebersicht()->text()));
    }

    void schreibgeschuetzt()
    {
        Ablage a;
        fuelle(a.ordner());
        QVERIFY(kbtest::schreibschuetze(a.ordner(), true));
        auto zurueck = qScopeGuard([&] { kbtest::schreibschuetze(a.ordner(), false); });
        if (QFileInfo(a.ordner()).isWritable())
            QSKIP("This system lets the test change a write-protected folder.");
        QVERIFY(a.oeffne(0));
        QVERIFY(a->schreibschutz()->isVisible());
        QVERIFY(a->schreibschutz()->text().startsWith(u"Du darfst in diesem Ordner nichts ändern."_s));
        QVERIFY(a->schreibschutz()->text().contains(u"kieselblick“ aufzunehmen (adduser "_s));
        QVERIFY(!a->hinzufuegenAktion()->isEnabled() && !a->reparierenAktion()->isEnabled());
        QVERIFY(!a->saetzeKnopf()->isEnabled() && !werkzeug(*a.f, a->reparierenAktion())->isEnabled());
        schreibeBild(a.quelle.filePath(u"Hase.png"_s), QSize(100, 100), Qt::gray);
        QVERIFY(!lasseFallen(*a.f, {a.quelle.filePath(u"Hase.png"_s)}));
        QVERIFY(!a->findChild<Wortdialog*>());
    }

    // The repair button moves the text file away and shortens ".jpeg"; the list of
    // what it did is shown, and the folder is judged again.
    void reparierenPerKnopf()
    {
        Ablage a;
        kbtest::schreibeDatei(QFile::encodeName(a.pfad(u"Notizen.txt"_s)), "Montag\n");
        schreibeBild(a.pfad(u"Kater.jpeg"_s), QSize(300, 200), Qt::blue, "JPEG");
        QVERIFY(a.oeffne());
        QVERIFY(a->uebersicht()->text().contains(u"Eine Datei beendet das Spiel mit einem Fehler."_s));
        QWidget* knopf = werkzeug(*a.f, a->reparierenAktion());
        QVERIFY(knopf && knopf->isEnabled());
        QTest::mouseClick(knopf, Qt::LeftButton);
        QVERIFY(a.fertigNach(1));
        auto* protokoll = a->findChild<QDialog*>(u"protokoll"_s);
        QVERIFY(protokoll && protokoll->isVisible());
        const auto* zeilen = protokoll->findChild<QListWidget*>();
        // What it did, then what is left for the teacher.
        QCOMPARE(zeilen->count(), 3);
        QCOMPARE(zeilen->item(2)->text(), u"Es bleibt nichts zu tun."_s);
        QVERIFY(QFileInfo::exists(a.pfad(u"aussortiert/Notizen.txt"_s)));
        QVERIFY(wartePruefung(*a.f));
        QVERIFY2(!a->uebersicht()->text().contains(u"das Spiel an"_s), qPrintable(a->uebersicht()->text()));
        QCOMPARE(a->modell()->zeile(u"Notizen.txt"_s), -1);
        QCOMPARE(kachel(*a.f, u"Kater.jpg"_s).data(Bildliste::UrteilRolle).toString(), u"In Ordnung"_s);
    }

    // Clicking a tile shows its word on the board's button and says how much of the
    // picture the child sees, on the chosen level's screen at half size.
    void kindansicht()
    {
        Ablage a;
        schreibeBild(a.pfad(u"Riese.png"_s), QSize(1600, 1200), Qt::darkGreen);
        QVERIFY(a.oeffne(3));
        QSignalSpy geladen(a->kindansicht(), &kbb::fenster::Kindansicht::bildGeladen);
        const QRect r = a->liste()->visualRect(kachel(*a.f, u"Riese.png"_s));
        QTest::mouseClick(a->liste()->viewport(), Qt::LeftButton, {}, r.center());
        QVERIFY(geladen.wait(10000));
        QCOMPARE(a->kindansicht()->wortKnopf()->text(), u"Riese"_s);
        QCOMPARE(a->kindansicht()->wortKnopf()->size(), QSize(97, 65));
        const auto* hinweis = a->kindansicht()->findChild<QLabel*>(u"hinweis"_s);
        QVERIFY2(hinweis && hinweis->text().contains(u"nur den Teil oben links"_s),
                 qPrintable(hinweis->text()));
        QWidget* schirm = a->kindansicht()->bildschirm();
        const auto farbe = [schirm](QPoint p) { return schirm->grab().toImage().pixelColor(p); };
        QCOMPARE(farbe({4, 4}), QColor(0x80, 0xFF, 0x80));
        QCOMPARE(farbe({100, 30}), QColor(Qt::darkGreen));
        auto* wahl = a->kindansicht()->findChild<QComboBox*>();
        QVERIFY(wahl);
        wahl->setFocus();
        QTest::keyClick(wahl, Qt::Key_Down);
        QCOMPARE(farbe({4, 4}), QColor(0x00, 0xC0, 0xC0));
    }

    void hilfe_data()
    {
        QTest::addColumn<bool>("taste"); // F1, else the menu "Hilfe"
        QTest::newRow("F1") << true;
        QTest::newRow("Menü Hilfe") << false;
    }
    // F1 or the menu "Hilfe" opens a short German help; every button of the tool
    // bar says in its tooltip more than its caption.
    void hilfe()
    {
        QFETCH(bool, taste);
        Ablage a;
        QVERIFY(a.oeffne(3, false));
        if (taste) {
            drueckeTaste(*a.f, Qt::Key_F1);
        } else {
            QMenu* menue = nullptr;
            for (QAction* aktion : a->menuBar()->actions())
                menue = aktion->text() == u"&Hilfe" ? aktion->menu() : menue;
            QVERIFY(menue);
            a->menuBar()->setActiveAction(menue->menuAction());
            QTRY_VERIFY(menue->isVisible());
            QVERIFY(waehleEintrag(menue, u"Hilfe zu Kieselblick – Bilder"_s));
        }
        auto* d = a->findChild<QDialog*>(u"hilfe"_s);
        QVERIFY(d && d->isVisible());
        const QString text = d->findChild<QTextBrowser*>()->toPlainText();
        for (const char* teil : {"Auswahlbox", "Rückgängig", "Beiseitelegen", "aussortiert", "Wort ändern"})
            QVERIFY2(text.contains(QString::fromUtf8(teil)), teil);
        for (QAction* aktion : a->findChild<QToolBar*>()->actions())
            QVERIFY2(aktion->text().isEmpty() || aktion->toolTip().size() > aktion->text().size() + 20,
                     qPrintable(aktion->text()));
        QVERIFY(a->saetzeKnopf()->toolTip().size() > 40);
    }
};

QTEST_MAIN(tst_Bilderfenster)
#include "tst_bilderfenster.moc"
