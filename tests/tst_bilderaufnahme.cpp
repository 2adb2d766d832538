// Adding pictures to the companion's window as a teacher does: a picture dropped
// onto it with its word typed, a word that cannot be a file name, a repeated word
// refused or replaced, and files that are no pictures at all.
#include "support/fensterhilfe.h"

#include <QImageReader>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace kbtest::fenster;

class tst_Bilderaufnahme : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bildFallenLassen();
    void wortFehlerImDialog();
    void gleichesWort_data();
    void gleichesWort();
};

// A photo dropped onto the window: the word dialog proposes its name, the
// teacher types the word and presses Enter, and the picture is in the folder,
// scaled to the picture area, and in the view.
void tst_Bilderaufnahme::bildFallenLassen()
{
    QTemporaryDir tmp, quelle;
    fuelle(tmp.path());
    const QString foto = quelle.filePath(QStringLiteral("IMG_2041.jpg"));
    schreibeBild(foto, QSize(2000, 1500), QColor(0x40, 0x90, 0x30), "JPEG");
    Offen f(tmp.path());
    QVERIFY(wartePruefung(*f.fenster));
    QSignalSpy fertig(f.fenster.get(), &Bilderfenster::arbeitFertig);

    QVERIFY(lasseFallen(*f.fenster, {foto}));
    auto* dialog = wortdialog(*f.fenster);
    QVERIFY(dialog);
    QCOMPARE(dialog->eingabe()->text(), QStringLiteral("IMG_2041"));
    tippeWort(*dialog, QStringLiteral("Wiese"));

    QTRY_COMPARE_WITH_TIMEOUT(fertig.count(), 1, 20000);
    const QString neu = tmp.filePath(QStringLiteral("Wiese.jpg"));
    QVERIFY(QFileInfo::exists(neu));
    QVERIFY(QImageReader(neu).size().width() < 2000);
    QTRY_VERIFY_WITH_TIMEOUT(f->berichtDa() && f->modell()->zeile(QStringLiteral("Wiese.jpg")) >= 0, 20000);
    QCOMPARE(kachel(*f.fenster, QStringLiteral("Wiese.jpg")).data(Bildliste::UrteilRolle).toString(),
             QStringLiteral("In Ordnung"));
}

void tst_Bilderaufnahme::wortFehlerImDialog()
{
    QTemporaryDir tmp, quelle;
    fuelle(tmp.path(), 3);
    const QString bild = quelle.filePath(QStringLiteral("Hase.png"));
    schreibeBild(bild, QSize(200, 150), Qt::gray);
    Offen f(tmp.path());
    QVERIFY(lasseFallen(*f.fenster, {bild}));
    auto* dialog = wortdialog(*f.fenster);
    QVERIFY(dialog);
    dialog->eingabe()->selectAll();
    QTest::keyClicks(dialog->eingabe(), QStringLiteral("Hase."));
    QVERIFY(dialog->fehler()->isVisible());
    QCOMPARE(dialog->fehler()->text(), QStringLiteral("Das Wort darf nicht mit einem Punkt enden."));
    QTest::keyClick(dialog->eingabe(), Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QTest::keyClick(dialog->eingabe(), Qt::Key_Backspace);
    QVERIFY(!dialog->fehler()->isVisible());
    QSignalSpy fertig(f.fenster.get(), &Bilderfenster::arbeitFertig);
    QTest::keyClick(dialog->eingabe(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(fertig.count(), 1, 20000);
    QVERIFY(QFileInfo::exists(tmp.filePath(QStringLiteral("Hase.png"))));
}

void tst_Bilderaufnahme::gleichesWort_data()
{
    QTest::addColumn<QString>("antwort");
    QTest::addColumn<bool>("ersetzt");
    QTest::newRow("nicht hinzufügen") << "Nicht hinzufügen" << false;
    QTest::newRow("ersetzen") << "Ersetzen" << true;
}

// "Affe" is taken: the window asks; replacing moves the old picture to
// "aussortiert", refusing leaves the folder as it was.
void tst_Bilderaufnahme::gleichesWort()
{
    QFETCH(QString, antwort);
    QFETCH(bool, ersetzt);
    QTemporaryDir tmp, quelle;
    fuelle(tmp.path());
    const QByteArray alt = inhalt(tmp.filePath(QStringLiteral("Affe.png")));
    const QString neu = quelle.filePath(QStringLiteral("mein affe.png"));
    schreibeBild(neu, QSize(300, 200), Qt::magenta);
    Offen f(tmp.path());
    QVERIFY(wartePruefung(*f.fenster));
    QSignalSpy fertig(f.fenster.get(), &Bilderfenster::arbeitFertig);

    QVERIFY(lasseFallen(*f.fenster, {neu}));
    auto* dialog = wortdialog(*f.fenster);
    QVERIFY(dialog);
    tippeWort(*dialog, QStringLiteral("affe"));
    QMessageBox* m = frage(*f.fenster);
    QVERIFY(m);
    QVERIFY2(m->text().contains(QStringLiteral("„Affe.png“")), qPrintable(m->text()));
    QPushButton* wahl = knopf(*m, antwort);
    QVERIFY(wahl);
    QTest::mouseClick(wahl, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(fertig.count(), 1, 20000);

    const QString aussortiert = tmp.filePath(QStringLiteral("aussortiert/Affe.png"));
    QCOMPARE(QFileInfo::exists(aussortiert), ersetzt);
    QCOMPARE(QFileInfo::exists(tmp.filePath(QStringLiteral("affe.png"))), ersetzt);
    QCOMPARE(QFileInfo::exists(tmp.filePath(QStringLiteral("Affe.png"))), !ersetzt);
    QCOMPARE(inhalt(ersetzt ? aussortiert : tmp.filePath(QStringLiteral("Affe.png"))), alt);
}

QTEST_MAIN(tst_Bilderaufnahme)
#include "tst_bilderaufnahme.moc"
