// Adding pictures to the companion's window as a teacher does: a picture dropped
// onto it with its word typed, a word that cannot be a file name, a repeated word
// refused or replaced, and files that are no pictures at all.
#include "support/fensterhilfe.h"

#include "regeln/wort.h"
#include "toolkit/controls.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>

using namespace kbtest::fenster;
using namespace Qt::StringLiterals;

class tst_Bilderaufnahme : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bildFallenLassen();
    void wortFehlerImDialog();
    void gleichesWort_data();
    void gleichesWort();
    void keineNormaleDatei_data();
    void keineNormaleDatei();
    void wortVorschlag_data();
    void wortVorschlag();
    void warnungBeimTippen_data();
    void warnungBeimTippen();
    void vieleBilder_data();
    void vieleBilder();
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
    // A camera's name is no word: the field starts empty, and adding waits for one.
    QCOMPARE(dialog->eingabe()->text(), QString());
    QVERIFY(!dialog->okKnopf()->isEnabled());
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
    QCOMPARE(dialog->fehler()->text(), QString());
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

void tst_Bilderaufnahme::keineNormaleDatei_data()
{
    QTest::addColumn<QString>("art"); // pipe, device or socket
    QTest::addColumn<bool>("fallen"); // dropped onto the window, else chosen in the file dialog
    QTest::newRow("Pipe, fallen gelassen") << "Pipe" << true;
    QTest::newRow("Pipe, ausgewählt") << "Pipe" << false;
    QTest::newRow("Gerät, ausgewählt") << "Gerät" << false;
    QTest::newRow("Socket, fallen gelassen") << "Socket" << true;
}

// A pipe, a device or a socket offered as a picture is never opened (opening a
// pipe waits for a writer, a device may never end): no word is asked for, the
// status line says in a sentence why it is no picture, the window keeps
// answering all along, and the next picture is added as usual. Were the pipe
// opened, the watcher's writer would end the wait: the test fails, not hangs.
void tst_Bilderaufnahme::keineNormaleDatei()
{
    QFETCH(QString, art);
    QFETCH(bool, fallen);
    QTemporaryDir tmp, quelle;
    fuelle(tmp.path(), 3);
    QString pfad = art == u"Gerät" ? QStringLiteral("/dev/zero") : quelle.filePath(art + u".png"_s);
    const int steckdose = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const auto zu = qScopeGuard([steckdose] { ::close(steckdose); });
    if (art == u"Socket") {
        sockaddr_un adresse{};
        adresse.sun_family = AF_UNIX;
        std::strncpy(adresse.sun_path, QFile::encodeName(pfad).constData(), sizeof adresse.sun_path - 1);
        QVERIFY(::bind(steckdose, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse) == 0);
    }
    std::atomic<bool> geoeffnet = false;
    std::optional<std::jthread> waechter;
    if (art == u"Pipe") {
        QVERIFY(::mkfifo(QFile::encodeName(pfad).constData(), 0600) == 0);
        waechter.emplace([&, rohr = QFile::encodeName(pfad)](std::stop_token halt) {
            for (; !halt.stop_requested(); std::this_thread::sleep_for(std::chrono::milliseconds(2)))
                if (const int fd = ::open(rohr.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
                    geoeffnet = true, ::close(fd);
        });
    }
    Offen f(tmp.path());
    QVERIFY(wartePruefung(*f.fenster));
    QSignalSpy fertig(f.fenster.get(), &Bilderfenster::arbeitFertig);
    QElapsedTimer uhr;
    qint64 letzter = 0, laengsteStille = 0;
    QTimer takt;
    connect(&takt, &QTimer::timeout, this, [&] {
        laengsteStille = std::max(laengsteStille, uhr.elapsed() - letzter), letzter = uhr.elapsed();
    });
    uhr.start(), takt.start(10);

    if (fallen) {
        QVERIFY(lasseFallen(*f.fenster, {pfad}));
    } else {
        f->hinzufuegenAktion()->trigger();
        QFileDialog* auswahl = f->findChild<QFileDialog*>();
        QVERIFY(auswahl && auswahl->isVisible());
        auswahl->selectFile(pfad);
        auto* knoepfe = auswahl->findChild<QDialogButtonBox*>();
        QVERIFY(knoepfe && knoepfe->button(QDialogButtonBox::Open)->isEnabled());
        QTest::mouseClick(knoepfe->button(QDialogButtonBox::Open), Qt::LeftButton);
    }
    QTRY_COMPARE_WITH_TIMEOUT(fertig.count(), 1, 10000);
    QVERIFY(!f->findChild<kbb::fenster::Wortdialog*>());
    QCOMPARE(f->statusBar()->currentMessage(),
             u"„%1“ ist keine normale Datei, sondern etwa eine Pipe oder ein Gerät: daraus kann "
             "Kieselblick kein Bild lesen."_s.arg(QFileInfo(pfad).fileName()));
    // Generous: a window that answers redraws every few milliseconds.
    QVERIFY2(laengsteStille < 1000, qPrintable(QString::number(laengsteStille)));

    const QString hase = quelle.filePath(u"Hase.png"_s);
    schreibeBild(hase, QSize(200, 150), Qt::gray);
    QVERIFY(lasseFallen(*f.fenster, {hase}));
    auto* dialog = wortdialog(*f.fenster);
    QVERIFY(dialog);
    tippeWort(*dialog, u"Hase"_s);
    QTRY_COMPARE_WITH_TIMEOUT(fertig.count(), 2, 20000);
    QVERIFY(QFileInfo::exists(tmp.filePath(u"Hase.png"_s)));
    QVERIFY(!geoeffnet);
}

void tst_Bilderaufnahme::wortVorschlag_data()
{
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QString>("vorschlag");
    QTest::newRow("Kamera") << "IMG_20251006_101522.jpg"
                            << "";
    QTest::newRow("Sony") << "DSC01234.JPG"
                          << "";
    QTest::newRow("Pixel") << "PXL_20251006_101522123.MP.jpg"
                           << "";
    QTest::newRow("Bildschirmfoto") << "Screenshot_2025-10-06-10-15-22.png"
                                    << "";
    QTest::newRow("Gnome") << "Bildschirmfoto vom 2025-10-06 10-15-22.png"
                           << "";
    QTest::newRow("Ziffern") << "20251006_101522.jpg"
                             << "";
    QTest::newRow("Wort") << "Marienkäfer.jpg"
                          << "Marienkäfer";
    QTest::newRow("Wort mit Leerzeichen") << " Igel .png"
                                          << "Igel";
    QTest::newRow("zwei Wörter") << "Rote Beete.png"
                                 << "Rote Beete";
    QTest::newRow("Bildwort") << "Bilderbuch.png"
                              << "Bilderbuch";
}

// The word dialog proposes the file's name only where it is a word.
void tst_Bilderaufnahme::wortVorschlag()
{
    QFETCH(QString, datei);
    QFETCH(QString, vorschlag);
    QTemporaryDir tmp, quelle;
    fuelle(tmp.path(), 3);
    schreibeBild(quelle.filePath(datei), QSize(200, 150), Qt::gray, "PNG");
    Offen f(tmp.path());
    QVERIFY(lasseFallen(*f.fenster, {quelle.filePath(datei)}));
    auto* dialog = wortdialog(*f.fenster);
    QVERIFY(dialog);
    QCOMPARE(dialog->eingabe()->text(), vorschlag);
    QCOMPARE(dialog->okKnopf()->isEnabled(), !vorschlag.isEmpty());
}

void tst_Bilderaufnahme::warnungBeimTippen_data()
{
    QTest::addColumn<QString>("wort");
    QTest::addColumn<QString>("meldung"); // its beginning; empty: none
    QTest::addColumn<bool>("erlaubt");
    QTest::newRow("gut") << "Igel"
                         << "" << true;
    QTest::newRow("zu lang für den Knopf") << "Donaudampfschifffahrt"
                                           << "Das Wort ist zu lang für einen Knopf der Auswahlbox" << true;
    QTest::newRow("Schrägstrich") << "Igel/Maus"
                                  << "Das Wort darf keinen Schrägstrich" << false;
    QTest::newRow("unsichtbar") << u"Ig\u200Bel"_s << "Das Wort darf keine Zeilenumbrüche" << false;
}

// Typing warns at once, beneath the field in room for two lines, never over
// the picture; a word too long for the button may still be added.
void tst_Bilderaufnahme::warnungBeimTippen()
{
    QFETCH(QString, wort);
    QFETCH(QString, meldung);
    QFETCH(bool, erlaubt);
    QTemporaryDir tmp, quelle;
    fuelle(tmp.path(), 3);
    schreibeBild(quelle.filePath(u"Foto.png"_s), QSize(200, 150), Qt::gray);
    Offen f(tmp.path());
    QVERIFY(lasseFallen(*f.fenster, {quelle.filePath(u"Foto.png"_s)}));
    auto* d = wortdialog(*f.fenster);
    QVERIFY(d);
    d->eingabe()->selectAll();
    // A character no key types comes in from the clipboard, as from a text copied elsewhere.
    if (std::any_of(wort.begin(), wort.end(), [](QChar c) { return c.unicode() > 0xFF; })) {
        QGuiApplication::clipboard()->setText(wort);
        QTest::keyClick(d->eingabe(), Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(d->eingabe(), wort);
    }
    QCOMPARE(d->eingabe()->text(), wort);
    QVERIFY2(meldung.isEmpty() ? d->fehler()->text().isEmpty() : d->fehler()->text().startsWith(meldung),
             qPrintable(d->fehler()->text()));
    QCOMPARE(d->okKnopf()->isEnabled(), erlaubt);
    QVERIFY(d->fehler()->height() >= 2 * d->fehler()->fontMetrics().lineSpacing());
    const QLabel* bild = nullptr;
    for (const QLabel* l : d->findChildren<QLabel*>())
        if (l->size() == QSize(160, 120))
            bild = l;
    QVERIFY(bild);
    QVERIFY(!bild->geometry().intersects(d->fehler()->geometry()));
}

void tst_Bilderaufnahme::vieleBilder_data()
{
    QTest::addColumn<QString>("antwort");
    QTest::addColumn<bool>("fuerAlle");
    QTest::addColumn<int>("ersetzt"); // pictures of the three that replaced the old
    QTest::newRow("Ersetzen für alle") << "Ersetzen" << true << 3;
    QTest::newRow("Nicht hinzufügen für alle") << "Nicht hinzufügen" << true << 0;
    QTest::newRow("Abbrechen") << "Abbrechen" << false << 0;
}

// Three photos whose words are taken: one answer "Für alle" serves all three,
// "Abbrechen" ends the whole batch without another question.
void tst_Bilderaufnahme::vieleBilder()
{
    QFETCH(QString, antwort);
    QFETCH(bool, fuerAlle);
    QFETCH(int, ersetzt);
    QTemporaryDir tmp, quelle;
    fuelle(tmp.path());
    const QStringList namen{u"Affe.png"_s, u"Anker.png"_s, u"Apfel.png"_s};
    QStringList quellen;
    for (const QString& n : namen) {
        quellen.append(quelle.filePath(n));
        schreibeBild(quellen.last(), QSize(200, 150), Qt::darkRed);
    }
    Offen f(tmp.path());
    QVERIFY(wartePruefung(*f.fenster));
    QSignalSpy fertig(f.fenster.get(), &Bilderfenster::arbeitFertig);
    QVERIFY(lasseFallen(*f.fenster, quellen));
    auto* d = wortdialog(*f.fenster);
    QVERIFY(d);
    tippeWort(*d, kb::Wort(namen[0]));
    QMessageBox* m = frage(*f.fenster);
    QVERIFY(m);
    QCOMPARE(m->windowTitle(), u"Wort schon vorhanden"_s);
    QVERIFY(m->checkBox());
    if (fuerAlle)
        QTest::mouseClick(m->checkBox(), Qt::LeftButton, {}, QPoint(6, m->checkBox()->height() / 2));
    QTest::mouseClick(knopf(*m, antwort), Qt::LeftButton);
    // The next words are asked for, and no question comes again.
    for (int i = 1; i < 3 && antwort != u"Abbrechen"; ++i) {
        QPointer<QMessageBox> nochmal;
        QTRY_VERIFY_WITH_TIMEOUT(((d = f->findChild<kbb::fenster::Wortdialog*>()) && d->isVisible() &&
                                  d->eingabe()->text() == kb::Wort(namen[i])) ||
                                     ((nochmal = f->findChild<QMessageBox*>()) && nochmal->isVisible()),
                                 20000);
        QVERIFY2(!nochmal || !nochmal->isVisible(), "the question came again");
        tippeWort(*d, d->eingabe()->text());
    }
    QTRY_COMPARE_WITH_TIMEOUT(fertig.count(), 1, 20000);
    QTRY_VERIFY(!f->findChild<QMessageBox*>());
    int neu = 0;
    for (const QString& n : namen)
        neu += QImage(tmp.filePath(n)).pixelColor(3, 3) == QColor(Qt::darkRed) ? 1 : 0;
    QCOMPARE(neu, ersetzt);
    QCOMPARE(tk::listedFileNames(tmp.filePath(u"aussortiert"_s)).size(), ersetzt);
    if (antwort == u"Abbrechen")
        QCOMPARE(f->arbeitszeile()->text(), u"Abgebrochen: 3 Bilder wurden nicht hinzugefügt."_s);
}

QTEST_MAIN(tst_Bilderaufnahme)
#include "tst_bilderaufnahme.moc"
