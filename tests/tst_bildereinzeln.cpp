// The companion's window, picture by picture: another word (F2, double-click,
// context menu), putting a picture aside (Del, context menu), another picture
// for a word, putting back what was put aside, undoing each of these and the
// larger changes with Ctrl+Z, the tiles in the order people sort, and a window
// that fits a small screen.
#include "support/fensterhilfe.h"

#include <QDialogButtonBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

using namespace kbtest::fenster;
using namespace Qt::StringLiterals;

namespace {

// Every file below the folder by its path, with its bytes.
QMap<QString, QByteArray> dateien(const QString& ordner)
{
    QMap<QString, QByteArray> karte;
    for (QDirIterator it(ordner, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QString pfad = it.next();
        karte.insert(QDir(ordner).relativeFilePath(pfad), inhalt(pfad));
    }
    return karte;
}

// The files of the folder itself, without "aussortiert".
QMap<QString, QByteArray> oben(const QString& ordner)
{
    QMap<QString, QByteArray> karte = dateien(ordner);
    karte.removeIf([](const auto& e) { return e.key().contains(u'/'); });
    return karte;
}

bool warte(QSignalSpy& fertig, int anzahl)
{
    return QTest::qWaitFor([&] { return fertig.count() >= anzahl; }, 20000);
}

} // namespace

class tst_Bildereinzeln : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void einzelaktion_data();
    void einzelaktion();
    void wortSchonDa();
    void zuruecklegen_data();
    void zuruecklegen();
    void bildErsetzen();
    void grosseAenderungRueckgaengig_data();
    void grosseAenderungRueckgaengig();
    void natuerlicheReihenfolge_data();
    void natuerlicheReihenfolge();
    void passtAufKleinenBildschirm();
};

void tst_Bildereinzeln::einzelaktion_data()
{
    QTest::addColumn<QString>("weg");
    QTest::addColumn<QString>("wort"); // the word typed; empty: the picture is put aside
    QTest::addColumn<QString>("danach");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("Entf") << "Entf"
                          << ""
                          << "aussortiert/Affe.png"
                          << "beiseitegelegt";
    QTest::newRow("Menü Beiseitelegen") << "Beiseitelegen"
                                        << ""
                                        << "aussortiert/Affe.png"
                                        << "beiseitegelegt";
    QTest::newRow("F2") << "F2"
                        << "Äffchen"
                        << "Äffchen.png"
                        << "umbenannt";
    QTest::newRow("Doppelklick") << "Doppelklick"
                                 << "Schimpanse"
                                 << "Schimpanse.png"
                                 << "umbenannt";
    QTest::newRow("Menü Wort ändern") << "Wort ändern …"
                                      << "affe"
                                      << "affe.png"
                                      << "umbenannt";
}

// Each action on one picture changes just that file and says so under the
// summary; Ctrl+Z puts every file back as it was, byte for byte.
void tst_Bildereinzeln::einzelaktion()
{
    QFETCH(QString, weg);
    QFETCH(QString, wort);
    QFETCH(QString, danach);
    QFETCH(QString, meldung);
    QTemporaryDir tmp;
    fuelle(tmp.path());
    const auto vorher = dateien(tmp.path());
    Offen f(tmp.path());
    QVERIFY(wartePruefung(*f.fenster));
    QSignalSpy fertig(f.fenster.get(), &Bilderfenster::arbeitFertig);
    klickeKachel(*f.fenster, u"Affe.png"_s);

    if (weg == u"Entf")
        drueckeTaste(*f.fenster, Qt::Key_Delete);
    else if (weg == u"F2")
        drueckeTaste(*f.fenster, Qt::Key_F2);
    else if (weg == u"Doppelklick")
        QTest::mouseDClick(f->liste()->viewport(), Qt::LeftButton, {},
                           f->liste()->visualRect(kachel(*f.fenster, u"Affe.png"_s)).center());
    else {
        QMenu* menue = kontextmenue(*f.fenster, u"Affe.png"_s);
        QVERIFY(menue);
        QVERIFY(waehleEintrag(*menue, weg));
    }
    if (!wort.isEmpty()) {
        auto* d = wortdialog(*f.fenster);
        QVERIFY(d);
        QCOMPARE(d->eingabe()->text(), u"Affe"_s);
        tippeWort(*d, wort);
    }
    QVERIFY(warte(fertig, 1));
    QVERIFY(QFileInfo::exists(tmp.filePath(danach)));
    QVERIFY(!QDir(tmp.path()).entryList(QDir::Files).contains(u"Affe.png"_s));
    QCOMPARE(inhalt(tmp.filePath(danach)), vorher.value(u"Affe.png"_s));
    QVERIFY(f->arbeitszeile()->isVisible());
    QVERIFY2(f->arbeitszeile()->text().contains(meldung), qPrintable(f->arbeitszeile()->text()));

    QVERIFY(wartePruefung(*f.fenster));
    QVERIFY(f->rueckgaengigAktion()->isEnabled());
    drueckeTaste(*f.fenster, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(warte(fertig, 2));
    QCOMPARE(dateien(tmp.path()), vorher);
    QVERIFY(!f->rueckgaengigAktion()->isEnabled());
}

// A word another picture gives already is refused, and nothing moves.
void tst_Bildereinzeln::wortSchonDa()
{
    QTemporaryDir tmp;
    fuelle(tmp.path());
    const auto vorher = dateien(tmp.path());
    Offen f(tmp.path());
    QVERIFY(wartePruefung(*f.fenster));
    QSignalSpy fertig(f.fenster.get(), &Bilderfenster::arbeitFertig);
    klickeKachel(*f.fenster, u"Affe.png"_s);
    drueckeTaste(*f.fenster, Qt::Key_F2);
    auto* d = wortdialog(*f.fenster);
    QVERIFY(d);
    tippeWort(*d, u"anker"_s);
    QVERIFY(warte(fertig, 1));
    QCOMPARE(f->arbeitszeile()->text(), u"Das Wort „anker“ gibt es schon: „Anker.png“."_s);
    QCOMPARE(dateien(tmp.path()), vorher);
    QVERIFY(!f->rueckgaengigAktion()->isEnabled());
}

void tst_Bildereinzeln::zuruecklegen_data()
{
    QTest::addColumn<bool>("belegt"); // a new "Affe.png" came meanwhile
    QTest::newRow("Name frei") << false;
    QTest::newRow("Name belegt") << true;
}

// A picture put aside comes back from the view of "aussortiert", unless its
// name was taken meanwhile: then both files stay as they are.
void tst_Bildereinzeln::zuruecklegen()
{
    QFETCH(bool, belegt);
    QTemporaryDir tmp;
    fuelle(tmp.path());
    const QByteArray alt = inhalt(tmp.filePath(u"Affe.png"_s));
    Offen f(tmp.path());
    QVERIFY(wartePruefung(*f.fenster));
    QSignalSpy fertig(f.fenster.get(), &Bilderfenster::arbeitFertig);
    klickeKachel(*f.fenster, u"Affe.png"_s);
    drueckeTaste(*f.fenster, Qt::Key_Delete);
    QVERIFY(warte(fertig, 1));
    if (belegt)
        schreibeBild(tmp.filePath(u"Affe.png"_s), {200, 200}, Qt::cyan);
    QVERIFY(wartePruefung(*f.fenster));

    QMenu* menue = kontextmenue(*f.fenster, u"Anker.png"_s);
    QVERIFY(menue && waehleEintrag(*menue, u"Aussortierte Bilder …"_s));
    auto* ansicht = f->findChild<QDialog*>(u"aussortiert"_s);
    QVERIFY(ansicht && ansicht->isVisible());
    auto* liste = ansicht->findChild<QListWidget*>();
    QCOMPARE(liste->count(), 1);
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(liste->item(0)).center());
    QPushButton* zurueck = nullptr;
    for (QAbstractButton* b : ansicht->findChild<QDialogButtonBox*>()->buttons())
        if (b->text() == u"Zurücklegen")
            zurueck = qobject_cast<QPushButton*>(b);
    QVERIFY(zurueck && zurueck->isEnabled());
    QTest::mouseClick(zurueck, Qt::LeftButton);
    QVERIFY(warte(fertig, 2));
    QCOMPARE(QFileInfo::exists(tmp.filePath(u"aussortiert/Affe.png"_s)), belegt);
    QCOMPARE(inhalt(tmp.filePath(u"Affe.png"_s)) == alt, !belegt);
    if (belegt)
        QVERIFY2(f->arbeitszeile()->text().startsWith(u"„Affe.png“ gibt es im Ordner schon"_s),
                 qPrintable(f->arbeitszeile()->text()));
}

// Another picture for the word, chosen in the file dialog with its preview:
// the old one goes aside; Ctrl+Z brings it back and puts the new one aside.
void tst_Bildereinzeln::bildErsetzen()
{
    QTemporaryDir tmp, quelle;
    fuelle(tmp.path());
    const QByteArray alt = inhalt(tmp.filePath(u"Affe.png"_s));
    const QString neu = quelle.filePath(u"IMG_0815.png"_s);
    schreibeBild(neu, {300, 240}, Qt::darkMagenta);
    Offen f(tmp.path());
    QVERIFY(wartePruefung(*f.fenster));
    QSignalSpy fertig(f.fenster.get(), &Bilderfenster::arbeitFertig);
    QMenu* menue = kontextmenue(*f.fenster, u"Affe.png"_s);
    QVERIFY(menue && waehleEintrag(*menue, u"Bild ersetzen …"_s));
    auto* auswahl = f->findChild<QFileDialog*>();
    QVERIFY(auswahl && auswahl->isVisible());
    QVERIFY(auswahl->testOption(QFileDialog::DontUseNativeDialog));
    auto* vorschau = auswahl->findChild<QLabel*>(u"vorschau"_s);
    QVERIFY(vorschau && vorschau->isVisible());
    auswahl->selectFile(neu);
    Q_EMIT auswahl->currentChanged(neu);
    QTRY_VERIFY_WITH_TIMEOUT(!vorschau->pixmap().isNull(), 10000);
    QTest::mouseClick(auswahl->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open),
                      Qt::LeftButton);
    QVERIFY(warte(fertig, 1));
    QCOMPARE(inhalt(tmp.filePath(u"aussortiert/Affe.png"_s)), alt);
    QCOMPARE(QImage(tmp.filePath(u"Affe.png"_s)).pixelColor(5, 5), QColor(Qt::darkMagenta));

    QVERIFY(wartePruefung(*f.fenster));
    drueckeTaste(*f.fenster, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(warte(fertig, 2));
    QCOMPARE(inhalt(tmp.filePath(u"Affe.png"_s)), alt);
    QCOMPARE(QImage(tmp.filePath(u"aussortiert/Affe (2).png"_s)).pixelColor(5, 5), QColor(Qt::darkMagenta));
}

void tst_Bildereinzeln::grosseAenderungRueckgaengig_data()
{
    QTest::addColumn<QString>("aenderung");
    QTest::newRow("Reparatur") << "Reparatur";
    QTest::newRow("Bildersatz ersetzen") << "Satz";
}

// After a repair or a set that replaced the pictures, Ctrl+Z gives the folder
// back the files it had, byte for byte; what the change made new lies in
// "aussortiert", and nothing is lost.
void tst_Bildereinzeln::grosseAenderungRueckgaengig()
{
    QFETCH(QString, aenderung);
    QTemporaryDir tmp;
    fuelle(tmp.path(), 10);
    schreibeText(tmp.filePath(u"Notizen.txt"_s), "Montag\n");
    schreibeBild(tmp.filePath(u"Kater.jpeg"_s), {300, 200}, Qt::blue, "JPEG");
    const auto vorher = dateien(tmp.path());
    Offen f(tmp.path());
    QVERIFY(wartePruefung(*f.fenster));
    QSignalSpy fertig(f.fenster.get(), &Bilderfenster::arbeitFertig);
    if (aenderung == u"Reparatur") {
        QTest::mouseClick(werkzeug(*f.fenster, f->reparierenAktion()), Qt::LeftButton);
    } else {
        QMenu* tiere = nullptr;
        for (QAction* a : f->saetzeKnopf()->menu()->actions())
            if (a->text().startsWith(u"Tiere"))
                tiere = a->menu();
        QVERIFY(tiere);
        tiere->actions().at(1)->trigger();
        QMessageBox* m = frage(*f.fenster);
        QVERIFY(m);
        QTest::mouseClick(knopf(*m, u"Ersetzen"_s), Qt::LeftButton);
    }
    QVERIFY(warte(fertig, 1));
    QVERIFY(oben(tmp.path()) != vorher);
    auto* protokoll = f->findChild<QDialog*>(u"protokoll"_s);
    QVERIFY(protokoll);
    protokoll->close();
    QVERIFY(wartePruefung(*f.fenster));
    drueckeTaste(*f.fenster, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(warte(fertig, 2));
    QCOMPARE(oben(tmp.path()), vorher);
}

void tst_Bildereinzeln::natuerlicheReihenfolge_data()
{
    QTest::addColumn<bool>("geprueft"); // before the report arrived, or after
    QTest::newRow("aus dem Ordner") << false;
    QTest::newRow("nach der Prüfung") << true;
}

// "Sonne2" comes before "Sonne10", "Äpfel" beside "Apfel" and before "Zebra".
void tst_Bildereinzeln::natuerlicheReihenfolge()
{
    QFETCH(bool, geprueft);
    QTemporaryDir tmp;
    const QStringList erwartet{u"Apfel"_s,   u"Äpfel"_s,   u"Sonne1"_s, u"Sonne2"_s,
                               u"Sonne10"_s, u"sonne11"_s, u"Zebra"_s};
    int n = 0;
    for (const QString& wort :
         {u"Zebra"_s, u"Sonne10"_s, u"sonne11"_s, u"Sonne2"_s, u"Äpfel"_s, u"Sonne1"_s, u"Apfel"_s})
        schreibeBild(tmp.filePath(wort + u".png"_s), {300, 300}, QColor::fromHsv(40 * n++, 200, 200));
    Offen f(tmp.path());
    if (geprueft)
        QVERIFY(wartePruefung(*f.fenster));
    QStringList woerter;
    for (int i = 0; i < f->modell()->rowCount(); ++i)
        woerter.append(f->modell()->index(i).data().toString());
    QCOMPARE(woerter, erwartet);
}

// The window fits a screen of 1024 × 768 less a title bar and a task bar, and
// can be made smaller still.
void tst_Bildereinzeln::passtAufKleinenBildschirm()
{
    QTemporaryDir tmp;
    fuelle(tmp.path());
    Offen f(tmp.path());
    const QSize frei(1024, 768 - 30 - 40);
    QVERIFY2(f->width() <= frei.width() && f->height() <= frei.height(),
             qPrintable(u"%1 × %2"_s.arg(f->width()).arg(f->height())));
    QVERIFY(f->minimumSizeHint().width() <= frei.width());
    QVERIFY(f->minimumSizeHint().height() <= frei.height());
    f->resize(f->minimumSize());
    QCoreApplication::processEvents();
    QVERIFY(f->width() <= 800 && f->height() <= 600);
    // The summary and the list stay in view.
    QVERIFY(f->uebersicht()->isVisible() && f->liste()->height() > 100);
}

QTEST_MAIN(tst_Bildereinzeln)
#include "tst_bildereinzeln.moc"
