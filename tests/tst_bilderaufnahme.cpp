// Adding pictures to the companion's window as a teacher does: a picture dropped
// onto it with its word typed, words warned about or refused, a repeated word
// refused or replaced, and files that are no pictures at all.
#include "support/fensterhilfe.h"

#include "regeln/wort.h"
#include "toolkit/controls.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>
#include <atomic>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <thread>

using namespace kbtest::fenster;

class tst_Bilderaufnahme : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A photo dropped onto the window: a camera's name is no word, so the field
    // starts empty and adding waits for one; the word typed and Enter put the
    // picture into the folder, scaled to the picture area, and into the view.
    void bildFallenLassen()
    {
        Ablage a;
        QVERIFY(a.oeffne());
        const QString foto = a.quelle.filePath(u"IMG_2041.jpg"_s);
        schreibeBild(foto, QSize(2000, 1500), QColor(0x40, 0x90, 0x30), "JPEG");
        QVERIFY(lasseFallen(*a.f, {foto}));
        auto* dialog = offen<Wortdialog>(*a.f);
        QVERIFY(dialog);
        QCOMPARE(dialog->eingabe()->text(), QString());
        QVERIFY(!dialog->okKnopf()->isEnabled());
        tippeWort(*dialog, u"Wiese"_s);
        QVERIFY(a.fertigNach(1));
        const QSize neu = QImageReader(a.pfad(u"Wiese.jpg"_s)).size(); // above the button, filling its width
        QVERIFY2(neu.width() > 560 && neu.boundedTo({616, 432}) == neu, qPrintable(QDebug::toString(neu)));
        QTRY_VERIFY_WITH_TIMEOUT(a->berichtDa() && a->modell()->zeile(u"Wiese.jpg"_s) >= 0, 20000);
        QCOMPARE(kachel(*a.f, u"Wiese.jpg"_s).data(Bildliste::UrteilRolle).toString(), u"In Ordnung"_s);
    }

    void gleichesWort_data()
    {
        QTest::addColumn<QString>("antwort");
        QTest::addColumn<bool>("ersetzt");
        QTest::newRow("nicht hinzufügen") << u"Nicht hinzufügen"_s << false;
        QTest::newRow("ersetzen") << u"Ersetzen"_s << true;
    }
    // "Affe" is taken: the window asks; replacing moves the old picture to
    // "aussortiert", refusing leaves the folder as it was.
    void gleichesWort()
    {
        QFETCH(QString, antwort);
        QFETCH(bool, ersetzt);
        Ablage a;
        QVERIFY(a.oeffne());
        const QByteArray alt = inhalt(a.pfad(u"Affe.png"_s));
        auto* dialog = a.bringe(u"mein affe.png"_s);
        QVERIFY(dialog);
        tippeWort(*dialog, u"affe"_s);
        QMessageBox* m = offen<QMessageBox>(*a.f);
        QVERIFY(m);
        QVERIFY2(m->text().contains(u"„Affe.png“"_s), qPrintable(m->text()));
        QVERIFY(antworte(*a.f, antwort));
        QVERIFY(a.fertigNach(1));
        const QString aussortiert = a.pfad(u"aussortiert/Affe.png"_s);
        QCOMPARE(QFileInfo::exists(aussortiert), ersetzt);
        QCOMPARE(QFileInfo::exists(a.pfad(u"affe.png"_s)), ersetzt);
        QCOMPARE(QFileInfo::exists(a.pfad(u"Affe.png"_s)), !ersetzt);
        QCOMPARE(inhalt(ersetzt ? aussortiert : a.pfad(u"Affe.png"_s)), alt);
    }

    void keineNormaleDatei_data()
    {
        QTest::addColumn<QString>("art"); // a named pipe, or a device (/dev/zero)
        QTest::addColumn<bool>("fallen"); // dropped onto the window, else chosen in the file dialog
        QTest::newRow("Pipe, fallen gelassen") << u"Pipe"_s << true;
        QTest::newRow("Pipe, ausgewählt") << u"Pipe"_s << false;
        QTest::newRow("Gerät, ausgewählt") << u"Gerät"_s << false;
    }
    // A pipe or a device offered as a picture is never opened (opening a
    // pipe waits for a writer, a device may never end): no word is asked for, the
    // status line says why it is no picture, the window keeps answering, and the
    // next picture is added as usual. Were the pipe opened, the watcher's writer
    // would end the wait: the test fails, not hangs.
    void keineNormaleDatei()
    {
        QFETCH(QString, art);
        QFETCH(bool, fallen);
        Ablage a;
        const QString pfad = art == u"Gerät" ? u"/dev/zero"_s : a.quelle.filePath(art + u".png"_s);
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
        QVERIFY(a.oeffne(3));
        QElapsedTimer uhr;
        qint64 letzter = 0, laengsteStille = 0;
        QTimer takt;
        connect(&takt, &QTimer::timeout, this, [&] {
            laengsteStille = std::max(laengsteStille, uhr.elapsed() - letzter), letzter = uhr.elapsed();
        });
        uhr.start(), takt.start(10);
        if (fallen) {
            QVERIFY(lasseFallen(*a.f, {pfad}));
        } else {
            a->hinzufuegenAktion()->trigger();
            QFileDialog* auswahl = a->findChild<QFileDialog*>();
            QVERIFY(auswahl && auswahl->isVisible());
            auswahl->selectFile(pfad);
            QAbstractButton* oeffnen =
                auswahl->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
            QVERIFY(oeffnen->isEnabled());
            QTest::mouseClick(oeffnen, Qt::LeftButton);
        }
        QVERIFY(a.fertigNach(1));
        QVERIFY(!a->findChild<Wortdialog*>());
        QCOMPARE(a->statusBar()->currentMessage(),
                 u"„%1“ ist keine normale Datei, sondern etwa eine Pipe oder ein Gerät: daraus kann "
                 "Kieselblick kein Bild lesen."_s.arg(QFileInfo(pfad).fileName()));
        // Generous: a window that answers redraws every few milliseconds.
        QVERIFY2(laengsteStille < 1000, qPrintable(QString::number(laengsteStille)));
        auto* dialog = a.bringe(u"Hase.png"_s);
        QVERIFY(dialog);
        tippeWort(*dialog, u"Hase"_s);
        QVERIFY(a.fertigNach(2));
        QVERIFY(QFileInfo::exists(a.pfad(u"Hase.png"_s)));
        QVERIFY(!geoeffnet);
    }

    void wortVorschlag_data()
    {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("vorschlag");
        QTest::newRow("Kamera") << u"IMG_20251006_101522.jpg"_s << QString();
        QTest::newRow("Bildschirmfoto") << u"Bildschirmfoto vom 2025-10-06 10-15-22.png"_s << QString();
        QTest::newRow("Ziffern") << u"20251006_101522.jpg"_s << QString();
        QTest::newRow("Wort mit Leerzeichen") << u" Igel .png"_s << u"Igel"_s;
        QTest::newRow("zwei Wörter") << u"Rote Beete.png"_s << u"Rote Beete"_s;
        QTest::newRow("Bildwort") << u"Bilderbuch.png"_s << u"Bilderbuch"_s;
    }
    // The word dialog proposes the file's name only where it is a word.
    void wortVorschlag()
    {
        QFETCH(QString, datei);
        QFETCH(QString, vorschlag);
        Ablage a;
        QVERIFY(a.oeffne(3, false));
        auto* dialog = a.bringe(datei);
        QVERIFY(dialog);
        QCOMPARE(dialog->eingabe()->text(), vorschlag);
        QCOMPARE(dialog->okKnopf()->isEnabled(), !vorschlag.isEmpty());
    }

    void warnungBeimTippen_data()
    {
        QTest::addColumn<QString>("wort");
        QTest::addColumn<QString>("meldung"); // its beginning; empty: none
        QTest::addColumn<bool>("erlaubt");
        QTest::newRow("gut") << u"Igel"_s << QString() << true;
        QTest::newRow("zu lang für den Knopf")
            << u"Donaudampfschifffahrt"_s << u"Das Wort ist zu lang für einen Knopf der Auswahlbox"_s << true;
        QTest::newRow("Punkt am Ende")
            << u"Hase."_s << u"Das Wort darf nicht mit einem Punkt enden."_s << false;
        QTest::newRow("Schrägstrich") << u"Igel/Maus"_s << u"Das Wort darf keinen Schrägstrich"_s << false;
        QTest::newRow("unsichtbar") << u"Ig\u200Bel"_s << u"Das Wort darf keine Zeilenumbrüche"_s << false;
    }
    // Typing warns at once, beneath the field in room for two lines, never over
    // the picture; a word too long for the button may still be added, a refused
    // one not even by Enter. Another word then adds the picture.
    void warnungBeimTippen()
    {
        QFETCH(QString, wort);
        QFETCH(QString, meldung);
        QFETCH(bool, erlaubt);
        Ablage a;
        QVERIFY(a.oeffne(3, false));
        auto* d = a.bringe(u"Foto.png"_s);
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
        QVERIFY(meldung.isEmpty() || d->fehler()->isVisible());
        QCOMPARE(d->okKnopf()->isEnabled(), erlaubt);
        QVERIFY(d->fehler()->height() >= 2 * d->fehler()->fontMetrics().lineSpacing());
        const QLabel* bild = nullptr;
        for (const QLabel* l : d->findChildren<QLabel*>())
            if (l->size() == QSize(160, 120))
                bild = l;
        QVERIFY(bild && !bild->geometry().intersects(d->fehler()->geometry()));
        if (erlaubt)
            return;
        QTest::keyClick(d->eingabe(), Qt::Key_Return);
        QVERIFY(d->isVisible());
        tippeWort(*d, u"Hase"_s);
        QCOMPARE(d->fehler()->text(), QString());
        QVERIFY(a.fertigNach(1));
        QVERIFY(QFileInfo::exists(a.pfad(u"Hase.png"_s)));
    }

    void vieleBilder_data()
    {
        QTest::addColumn<QString>("antwort");
        QTest::addColumn<bool>("fuerAlle");
        QTest::addColumn<int>("ersetzt"); // pictures of the three that replaced the old
        QTest::newRow("Ersetzen für alle") << u"Ersetzen"_s << true << 3;
        QTest::newRow("Nicht hinzufügen für alle") << u"Nicht hinzufügen"_s << true << 0;
        QTest::newRow("Abbrechen") << u"Abbrechen"_s << false << 0;
    }
    // Three photos whose words are taken: one answer "Für alle" serves all three,
    // "Abbrechen" ends the whole batch without another question.
    void vieleBilder()
    {
        QFETCH(QString, antwort);
        QFETCH(bool, fuerAlle);
        QFETCH(int, ersetzt);
        Ablage a;
        QVERIFY(a.oeffne());
        const QStringList namen{u"Affe.png"_s, u"Anker.png"_s, u"Apfel.png"_s};
        QStringList quellen;
        for (const QString& n : namen) {
            quellen.append(a.quelle.filePath(n));
            schreibeBild(quellen.last(), QSize(200, 150), Qt::darkRed);
        }
        QVERIFY(lasseFallen(*a.f, quellen));
        auto* d = offen<Wortdialog>(*a.f);
        QVERIFY(d);
        tippeWort(*d, kb::Wort(namen[0]));
        QMessageBox* m = offen<QMessageBox>(*a.f);
        QVERIFY(m && m->checkBox());
        QCOMPARE(m->windowTitle(), u"Wort schon vorhanden"_s);
        if (fuerAlle)
            QTest::mouseClick(m->checkBox(), Qt::LeftButton, {}, QPoint(6, m->checkBox()->height() / 2));
        QTest::mouseClick(knopf(*m, antwort), Qt::LeftButton);
        // The next words are asked for, and no question comes again.
        for (int i = 1; i < 3 && antwort != u"Abbrechen"; ++i) {
            QPointer<QMessageBox> nochmal;
            QTRY_VERIFY_WITH_TIMEOUT(((d = a->findChild<Wortdialog*>()) && d->isVisible() &&
                                      d->eingabe()->text() == kb::Wort(namen[i])) ||
                                         ((nochmal = a->findChild<QMessageBox*>()) && nochmal->isVisible()),
                                     20000);
            QVERIFY2(!nochmal || !nochmal->isVisible(), "the question came again");
            tippeWort(*d, d->eingabe()->text());
        }
        QVERIFY(a.fertigNach(1));
        QTRY_VERIFY(!a->findChild<QMessageBox*>());
        int neu = 0;
        for (const QString& n : namen)
            neu += QImage(a.pfad(n)).pixelColor(3, 3) == QColor(Qt::darkRed) ? 1 : 0;
        QCOMPARE(neu, ersetzt);
        QCOMPARE(tk::listedFileNames(a.pfad(u"aussortiert"_s)).size(), ersetzt);
        if (antwort == u"Abbrechen")
            QCOMPARE(a->arbeitszeile()->text(), u"Abgebrochen: 3 Bilder wurden nicht hinzugefügt."_s);
    }
};

QTEST_MAIN(tst_Bilderaufnahme)
#include "tst_bilderaufnahme.moc"
