// The companion's window, picture by picture: another word, putting a picture
// aside, another picture for a word, putting back what was put aside, undoing
// each of these and the larger changes with Ctrl+Z, the tiles in the order
// people sort, and a window that fits a small screen.
#include "support/fensterhilfe.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>

using namespace kbtest::fenster;

namespace {

// The files of the folder itself, without "aussortiert".
QMap<QString, QByteArray> oben(const QString& ordner)
{
    QMap<QString, QByteArray> karte = kbtest::dateienIn(ordner);
    karte.removeIf([](const auto& e) { return e.key().startsWith(u"aussortiert"); });
    return karte;
}

// Undoes the last change with Ctrl+Z once the window has judged the folder again.
bool rueckgaengig(Ablage& a, int jobs)
{
    if (!wartePruefung(*a.f) || !a->rueckgaengigAktion()->isEnabled())
        return false;
    drueckeTaste(*a.f, Qt::Key_Z, Qt::ControlModifier);
    return a.fertigNach(jobs);
}

} // namespace

class tst_Bildereinzeln : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void einzelaktion_data()
    {
        QTest::addColumn<QString>("weg");
        QTest::addColumn<QString>("wort"); // the word typed; empty: the picture is put aside
        QTest::addColumn<QString>("danach");
        QTest::addColumn<QString>("meldung");
        const QString weg = u"aussortiert/Affe.png"_s;
        QTest::newRow("Entf") << u"Entf"_s << QString() << weg << u"beiseitegelegt"_s;
        QTest::newRow("Menü Beiseitelegen") << u"Beiseitelegen"_s << QString() << weg << u"beiseitegelegt"_s;
        QTest::newRow("F2") << u"F2"_s << u"Äffchen"_s << u"Äffchen.png"_s << u"umbenannt"_s;
        QTest::newRow("Doppelklick") << u"Doppelklick"_s << u"Schimpanse"_s << u"Schimpanse.png"_s
                                     << u"umbenannt"_s;
        QTest::newRow("Menü Wort ändern")
            << u"Wort ändern …"_s << u"affe"_s << u"affe.png"_s << u"umbenannt"_s;
        // A word another picture gives already is refused, and nothing moves.
        QTest::newRow("Wort schon da")
            << u"F2"_s << u"anker"_s << QString() << u"Das Wort „anker“ gibt es schon: „Anker.png“."_s;
    }
    // Each action on one picture changes just that file and says so under the
    // summary; Ctrl+Z puts every file back as it was, byte for byte.
    void einzelaktion()
    {
        QFETCH(QString, weg);
        QFETCH(QString, wort);
        QFETCH(QString, danach);
        QFETCH(QString, meldung);
        Ablage a;
        QVERIFY(a.oeffne());
        const auto vorher = kbtest::dateienIn(a.ordner());
        QVERIFY(a.handle(u"Affe.png"_s, weg));
        if (!wort.isEmpty()) {
            auto* d = offen<Wortdialog>(*a.f, 5000);
            QVERIFY(d);
            QCOMPARE(d->eingabe()->text(), u"Affe"_s);
            tippeWort(*d, wort);
        }
        QVERIFY(a.fertigNach(1));
        QVERIFY(a->arbeitszeile()->isVisible());
        QVERIFY2(a->arbeitszeile()->text().contains(meldung), qPrintable(a->arbeitszeile()->text()));
        if (danach.isEmpty()) {
            QCOMPARE(kbtest::dateienIn(a.ordner()), vorher);
            QVERIFY(!a->rueckgaengigAktion()->isEnabled());
            return;
        }
        QVERIFY(!QFileInfo::exists(a.pfad(u"Affe.png"_s)));
        QCOMPARE(kbtest::dateienIn(a.ordner()).value(danach), vorher.value(u"Affe.png"_s));
        QVERIFY(rueckgaengig(a, 2));
        QCOMPARE(kbtest::dateienIn(a.ordner()), vorher);
        QVERIFY(!a->rueckgaengigAktion()->isEnabled());
    }

    void zuruecklegen_data()
    {
        QTest::addColumn<bool>("belegt"); // a new "Affe.png" came meanwhile
        QTest::newRow("Name frei") << false;
        QTest::newRow("Name belegt") << true;
    }
    // A picture put aside comes back from the view of "aussortiert", unless its
    // name was taken meanwhile: then both files stay as they are.
    void zuruecklegen()
    {
        QFETCH(bool, belegt);
        Ablage a;
        QVERIFY(a.oeffne());
        const QByteArray alt = inhalt(a.pfad(u"Affe.png"_s));
        QVERIFY(a.handle(u"Affe.png"_s, u"Entf"_s));
        QVERIFY(a.fertigNach(1));
        if (belegt)
            schreibeBild(a.pfad(u"Affe.png"_s), {200, 200}, Qt::cyan);
        QVERIFY(wartePruefung(*a.f));
        QVERIFY(waehleEintrag(kontextmenue(*a.f, u"Anker.png"_s), u"Aussortierte Bilder …"_s));
        auto* ansicht = a->findChild<QDialog*>(u"aussortiert"_s);
        QVERIFY(ansicht && ansicht->isVisible());
        auto* liste = ansicht->findChild<QListWidget*>();
        QCOMPARE(liste->count(), 1);
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                          liste->visualItemRect(liste->item(0)).center());
        QAbstractButton* zurueck = nullptr;
        for (QAbstractButton* b : ansicht->findChild<QDialogButtonBox*>()->buttons())
            zurueck = b->text() == u"Zurücklegen" ? b : zurueck;
        QVERIFY(zurueck && zurueck->isEnabled());
        QTest::mouseClick(zurueck, Qt::LeftButton);
        QVERIFY(a.fertigNach(2));
        QCOMPARE(QFileInfo::exists(a.pfad(u"aussortiert/Affe.png"_s)), belegt);
        QCOMPARE(inhalt(a.pfad(u"Affe.png"_s)) == alt, !belegt);
        if (belegt)
            QVERIFY2(a->arbeitszeile()->text().startsWith(u"„Affe.png“ gibt es im Ordner schon"_s),
                     qPrintable(a->arbeitszeile()->text()));
    }

    // Another picture for the word, chosen in the file dialog with its preview:
    // the old one goes aside; Ctrl+Z brings it back and puts the new one aside.
    void bildErsetzen()
    {
        Ablage a;
        QVERIFY(a.oeffne());
        const QByteArray alt = inhalt(a.pfad(u"Affe.png"_s));
        const QString neu = a.quelle.filePath(u"IMG_0815.png"_s);
        schreibeBild(neu, {300, 240}, Qt::darkMagenta);
        QVERIFY(a.handle(u"Affe.png"_s, u"Bild ersetzen …"_s));
        auto* auswahl = a->findChild<QFileDialog*>();
        QVERIFY(auswahl && auswahl->isVisible() && auswahl->testOption(QFileDialog::DontUseNativeDialog));
        auto* vorschau = auswahl->findChild<QLabel*>(u"vorschau"_s);
        QVERIFY(vorschau && vorschau->isVisible());
        auswahl->selectFile(neu);
        Q_EMIT auswahl->currentChanged(neu);
        QTRY_VERIFY_WITH_TIMEOUT(!vorschau->pixmap().isNull(), 10000);
        QTest::mouseClick(auswahl->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open),
                          Qt::LeftButton);
        QVERIFY(a.fertigNach(1));
        QCOMPARE(inhalt(a.pfad(u"aussortiert/Affe.png"_s)), alt);
        QCOMPARE(QImage(a.pfad(u"Affe.png"_s)).pixelColor(5, 5), QColor(Qt::darkMagenta));
        QVERIFY(rueckgaengig(a, 2));
        QCOMPARE(inhalt(a.pfad(u"Affe.png"_s)), alt);
        QCOMPARE(QImage(a.pfad(u"aussortiert/Affe (2).png"_s)).pixelColor(5, 5), QColor(Qt::darkMagenta));
    }

    void grosseAenderungRueckgaengig_data()
    {
        QTest::addColumn<bool>("reparatur"); // else a set replaces the pictures
        QTest::newRow("Reparatur") << true;
        QTest::newRow("Bildersatz ersetzen") << false;
    }
    // After a repair or a set that replaced the pictures, Ctrl+Z gives the folder
    // back the files it had, byte for byte; what the change made new lies in
    // "aussortiert", and nothing is lost.
    void grosseAenderungRueckgaengig()
    {
        QFETCH(bool, reparatur);
        Ablage a;
        kbtest::schreibeDatei(QFile::encodeName(a.pfad(u"Notizen.txt"_s)), "Montag\n");
        schreibeBild(a.pfad(u"Kater.jpeg"_s), {300, 200}, Qt::blue, "JPEG");
        QVERIFY(a.oeffne(10));
        const auto vorher = oben(a.ordner());
        if (reparatur) {
            QTest::mouseClick(werkzeug(*a.f, a->reparierenAktion()), Qt::LeftButton);
        } else {
            QMenu* tiere = nullptr;
            for (QAction* aktion : a->saetzeKnopf()->menu()->actions())
                tiere = aktion->text().startsWith(u"Tiere") ? aktion->menu() : tiere;
            QVERIFY(tiere);
            tiere->actions().at(1)->trigger();
            QVERIFY(antworte(*a.f, u"Ersetzen"_s));
        }
        QVERIFY(a.fertigNach(1));
        QVERIFY(oben(a.ordner()) != vorher);
        auto* protokoll = a->findChild<QDialog*>(u"protokoll"_s);
        QVERIFY(protokoll);
        protokoll->close();
        QVERIFY(rueckgaengig(a, 2));
        QCOMPARE(oben(a.ordner()), vorher);
    }

    void natuerlicheReihenfolge_data()
    {
        QTest::addColumn<bool>("geprueft"); // before the report arrived, or after
        QTest::newRow("aus dem Ordner") << false;
        QTest::newRow("nach der Prüfung") << true;
    }
    // "Sonne2" comes before "Sonne10", "Äpfel" beside "Apfel" and before "Zebra".
    void natuerlicheReihenfolge()
    {
        QFETCH(bool, geprueft);
        Ablage a;
        int n = 0;
        for (const QString& wort :
             {u"Zebra"_s, u"Sonne10"_s, u"sonne11"_s, u"Sonne2"_s, u"Äpfel"_s, u"Sonne1"_s, u"Apfel"_s})
            schreibeBild(a.pfad(wort + u".png"_s), {300, 300}, QColor::fromHsv(40 * n++, 200, 200));
        QVERIFY(a.oeffne(0, geprueft));
        QStringList woerter;
        for (int i = 0; i < a->modell()->rowCount(); ++i)
            woerter.append(a->modell()->index(i).data().toString());
        QCOMPARE(woerter, (QStringList{u"Apfel"_s, u"Äpfel"_s, u"Sonne1"_s, u"Sonne2"_s, u"Sonne10"_s,
                                       u"sonne11"_s, u"Zebra"_s}));
    }

    // The window fits a screen of 1024 × 768 less a title bar and a task bar, and
    // can be made smaller still, the summary and the list in view.
    void passtAufKleinenBildschirm()
    {
        Ablage a;
        QVERIFY(a.oeffne(15, false));
        const QSize frei(1024, 768 - 30 - 40);
        QVERIFY2(a->width() <= frei.width() && a->height() <= frei.height(),
                 qPrintable(u"%1 × %2"_s.arg(a->width()).arg(a->height())));
        QVERIFY(a->minimumSizeHint().width() <= frei.width() &&
                a->minimumSizeHint().height() <= frei.height());
        a->resize(a->minimumSize());
        QCoreApplication::processEvents();
        QVERIFY(a->width() <= 800 && a->height() <= 600);
        QVERIFY(a->uebersicht()->isVisible() && a->liste()->height() > 100);
    }
};

QTEST_MAIN(tst_Bildereinzeln)
#include "tst_bildereinzeln.moc"
