// The companion's window on real folders: the verdicts and summary it shows, a
// picture dropped onto it with its word typed, a repeated word refused or
// replaced, a folder it may not change, and the repair through its button.
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

using kbb::fenster::Bilderfenster;
using kbb::fenster::Bildliste;

namespace {

const QString Bilder = QStringLiteral(KB_SOURCE_DIR "/assets/bilder");
const QString Share = QStringLiteral(KB_SOURCE_DIR "/assets");

void schreibeBild(const QString& pfad, QSize groesse, QColor farbe, const char* format = nullptr)
{
    QImage bild(groesse, QImage::Format_RGB32);
    bild.fill(farbe);
    QVERIFY(bild.save(pfad, format));
}

void schreibeText(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

QByteArray inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The first `anzahl` default pictures: enough different words for every level.
void fuelle(const QString& ordner, int anzahl = 15)
{
    const QStringList namen = QDir(Bilder).entryList(QDir::Files, QDir::Name).mid(0, anzahl);
    for (const QString& n : namen)
        QVERIFY(QFile::copy(QDir(Bilder).filePath(n), QDir(ordner).filePath(n)));
}

struct Offen {
    std::unique_ptr<Bilderfenster> fenster;
    explicit Offen(const QString& ordner) : fenster(std::make_unique<Bilderfenster>(ordner, Share))
    {
        fenster->show();
    }
    Bilderfenster* operator->() const { return fenster.get(); }
};

bool wartePruefung(Bilderfenster& f)
{
    return QTest::qWaitFor([&] { return f.berichtDa(); }, 20000);
}

QModelIndex kachel(Bilderfenster& f, const QString& name)
{
    return f.modell()->index(f.modell()->zeile(name));
}

// Drags files from a file manager onto the window and lets go.
bool lasseFallen(Bilderfenster& f, const QStringList& dateien)
{
    QMimeData daten;
    QList<QUrl> urls;
    for (const QString& d : dateien)
        urls.append(QUrl::fromLocalFile(d));
    daten.setUrls(urls);
    const QPoint mitte = f.rect().center();
    QDragEnterEvent hinein(mitte, Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&f, &hinein);
    if (!hinein.isAccepted())
        return false;
    QDropEvent fallen(QPointF(mitte), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&f, &fallen);
    return fallen.isAccepted();
}

kbb::fenster::Wortdialog* wortdialog(Bilderfenster& f)
{
    kbb::fenster::Wortdialog* d = nullptr;
    const bool offen = QTest::qWaitFor(
        [&] { return (d = f.findChild<kbb::fenster::Wortdialog*>()) && d->isVisible(); }, 5000);
    return offen ? d : nullptr;
}

void tippeWort(kbb::fenster::Wortdialog& d, const QString& wort)
{
    d.eingabe()->selectAll();
    QTest::keyClick(d.eingabe(), Qt::Key_Backspace);
    QTest::keyClicks(d.eingabe(), wort);
    QTest::keyClick(d.eingabe(), Qt::Key_Return);
}

QMessageBox* frage(Bilderfenster& f)
{
    QMessageBox* m = nullptr;
    const bool offen =
        QTest::qWaitFor([&] { return (m = f.findChild<QMessageBox*>()) && m->isVisible(); }, 20000);
    return offen ? m : nullptr;
}

QPushButton* knopf(QMessageBox& m, const QString& text)
{
    for (QAbstractButton* b : m.buttons())
        if (b->text() == text)
            return qobject_cast<QPushButton*>(b);
    return nullptr;
}

QWidget* werkzeug(Bilderfenster& f, QAction* aktion)
{
    return f.findChild<QToolBar*>()->widgetForAction(aktion);
}

// A folder even root may not change: immutable for root, without write bits for others.
bool schreibschuetze(const QString& ordner, bool an)
{
    if (::geteuid() == 0)
        return QProcess::execute(QStringLiteral("chattr"),
                                 {an ? QStringLiteral("+i") : QStringLiteral("-i"), ordner}) == 0;
    return QFile::setPermissions(ordner, an ? QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                            : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
}

} // namespace

class tst_Bilderfenster : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void urteile_data();
    void urteile();
    void uebersicht();
    void bildFallenLassen();
    void wortFehlerImDialog();
    void gleichesWort_data();
    void gleichesWort();
    void schreibgeschuetzt();
    void reparierenPerKnopf();
    void kindansicht();
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

// A photo dropped onto the window: the word dialog proposes its name, the
// teacher types the word and presses Enter, and the picture is in the folder,
// scaled to the picture area, and in the view.
void tst_Bilderfenster::bildFallenLassen()
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

void tst_Bilderfenster::wortFehlerImDialog()
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

void tst_Bilderfenster::gleichesWort_data()
{
    QTest::addColumn<QString>("antwort");
    QTest::addColumn<bool>("ersetzt");
    QTest::newRow("nicht hinzufügen") << "Nicht hinzufügen" << false;
    QTest::newRow("ersetzen") << "Ersetzen" << true;
}

// "Affe" is taken: the window asks; replacing moves the old picture to
// "aussortiert", refusing leaves the folder as it was.
void tst_Bilderfenster::gleichesWort()
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
    QCOMPARE(zeilen->count(), 2);
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

QTEST_MAIN(tst_Bilderfenster)
#include "tst_bilderfenster.moc"
