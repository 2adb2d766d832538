// Whatever a teacher drops into "bilder": how the draw picks from it; each folder
// gives a level that plays, the refusal with its message, or the run-time error
// naming the folder or file; and each of 600 damaged pictures (JPEG, PNG, BMP,
// GIF, icon) is shown or ends the program naming the file, the undamaged ones
// shown as Qt's reader gives them (an icon: its largest image).
#include "support/spielumgebung.h"
#include "support/testbilder.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QImageWriter>
#include <QSet>
#include <random>
#include <unistd.h>

namespace {

// "art:name" makes a sub-folder, an empty file, a file nobody may read, a link to
// nowhere, a link to a folder, a name that is no UTF-8, or that many links to one picture.
void lege(const QString& bilder, const QString& eintrag)
{
    const QString art = eintrag.section(u':', 0, 0);
    const QString pfad = bilder + u'/' + eintrag.section(u':', -1);
    if (art == u"viele")
        for (int i = eintrag.section(u':', -1).toInt() - 1; i >= 0; --i)
            QVERIFY(QFile::link(u"../Bild.png"_s, bilder + u"/Bild%1.png"_s.arg(i, 6, 10, QLatin1Char('0'))));
    else if (art == u"ordner")
        QVERIFY(QDir().mkpath(pfad));
    else if (art == u"link")
        QVERIFY(QFile::link(bilder + u"/nirgends/weg.png"_s, pfad));
    else if (art == u"ordnerlink")
        QVERIFY(QDir().mkpath(bilder + u"/echt.png"_s) && QFile::link(u"echt.png"_s, pfad));
    else if (art == u"leer")
        QVERIFY(QFile(pfad).open(QIODevice::WriteOnly));
    else
        kbtest::schreibeBild(pfad, QSize(40, 30), "PNG");
    if (art == u"gesperrt")
        QVERIFY(QFile::setPermissions(pfad, {}));
    if (art == u"latin1")
        QVERIFY(::rename(QFile::encodeName(pfad),
                         QFile::encodeName(bilder) + '/' + pfad.section(u'/', -1).toLatin1()) == 0);
}

// An icon file of PNG-compressed images behind the icon directory, in this order.
QByteArray symbol(const QList<QImage>& bilder)
{
    QByteArray datei, daten;
    QDataStream kopf(&datei, QIODevice::WriteOnly);
    kopf.setByteOrder(QDataStream::LittleEndian);
    kopf << quint16(0) << quint16(1) << quint16(bilder.size());
    for (const QImage& bild : bilder) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        bild.save(&png, "png");
        kopf << quint8(bild.width()) << quint8(bild.height()) << quint16(0) << quint16(1) << quint16(32)
             << quint32(png.size()) << quint32(6 + 16 * bilder.size() + daten.size());
        daten += png.data();
    }
    return datei + daten;
}

// The picture behind the damaged files. An icon holds it among smaller images,
// the widest of them 256 pixels (0 in the icon's directory).
QByteArray vorlage(const char* format, QSize groesse)
{
    if (qstrcmp(format, "gif") == 0) { // Qt reads GIF but cannot write it: a stored one serves
        QFile gif(QStringLiteral(KB_SOURCE_DIR "/tests/daten/vorlage.gif"));
        return gif.open(QIODevice::ReadOnly) ? gif.readAll() : QByteArray();
    }
    QImage bild(groesse, QImage::Format_ARGB32);
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            bild.setPixel(x, y,
                          qRgba(x * 255 / groesse.width(), y * 255 / groesse.height(), (x ^ y) & 255, 200));
    if (qstrcmp(format, "ico") == 0)
        return symbol({bild.scaled(16, 16), bild.scaled(256, 8), bild, bild.scaled(32, 32)});
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    const bool progressiv = qstrcmp(format, "progressiv.jpg") == 0;
    QImageWriter schreiber(&puffer, progressiv ? "jpg" : format);
    schreiber.setQuality(60);
    schreiber.setProgressiveScanWrite(progressiv);
    schreiber.write(bild);
    return puffer.data();
}

// 30 truncations from the whole file down to a thirtieth, then 70 copies with one
// to eight flipped bits, every fourth of them in the first 512 bytes (the headers).
QByteArray verderbe(const QByteArray& heil, int n, std::mt19937& zufall)
{
    if (n < 30)
        return heil.left(heil.size() * (30 - n) / 30);
    QByteArray kaputt = heil;
    const qsizetype bereich = n % 4 == 0 ? std::min<qsizetype>(512, heil.size()) : heil.size();
    for (int k = int(zufall() % 8); k >= 0; --k)
        kaputt[zufall() % bereich] ^= char(1 << (zufall() % 8));
    return kaputt;
}

// The random number that makes the draw pick the file `name`.
float zahlFuer(const Form* f, const QString& name)
{
    const FileListBox& File1 = f->find<FileListBox>(u"File1"_s);
    return (float(File1.entries().indexOf(name)) + 0.5f) / float(File1.ListCount());
}

} // namespace

class tst_Bilddateien : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each slot seeds once; a repeated position, a repeated word (one name with two
    // extensions) and a file without a word (four characters or fewer) are drawn
    // again at once without seeding. The word is the name less four characters as
    // a reader counts them: an emoji or a letter with its accent is one.
    void ziehungWeistWiederholungenAb()
    {
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(6)
                           << u"Hund.jpg"_s << u"Hund.png"_s << u"Zebra.jpeg"_s << u"A🌙xyz"_s
                           << u"Bäre\u0301xyz"_s << u"Ohr"_s << u"a.gi"_s);
        Form* f = spiel.starte(u"frmSchw1"_s);
        for (const char* name :
             {"Hund.jpg", "Hund.jpg", "Hund.png", "Ohr", "Zebra.jpeg", "a.gi", "A🌙xyz", "Bäre\u0301xyz"})
            spiel.services.scriptedNumbers.push_back(zahlFuer(f, QString::fromUtf8(name)));
        for (int klick = 0; klick < 4; ++klick)
            Spiel::klick(f->find<CommandButton>(u"cmdweiter"_s));
        QCOMPARE(spiel.services.randomizeCalls, 4);
        QCOMPARE(spiel.services.rndCalls, 8);
        QCOMPARE(kbtest::bildnamen(), (QStringList{u"Hund"_s, u"Zebra."_s, u"A"_s, u"Bär"_s}));
        Spiel::klick(f->find<CommandButton>(u"cmdweiter"_s));
        QCOMPARE(spiel.aktuellerName(), u"frmAusw1"_s);
    }

    void ordner_data()
    {
        QTest::addColumn<int>("stufe");
        QTest::addColumn<QStringList>("dateien"); // none at all: the folder is missing
        QTest::addColumn<QString>("erwartet");    // the file of an error is drawn first
        const QStringList acht = kbtest::bilddateien(8);
        const auto zeile = [](const char* name, int stufe, const QStringList& dateien, const char* erwartet) {
            QTest::newRow(name) << stufe << dateien << QString::fromUtf8(erwartet);
        };
        const char* const nur8 = "nur 8 verwendbare Bilder";
        zeile("fehlt", 1, {}, "Fehler 76 /bilder");
        zeile("leer", 2, {u"ordner:."_s}, "kein verwendbares Bild");
        zeile("zu wenige", 1, acht, nur8);
        zeile("nur eins", 5, kbtest::bilddateien(1), "nur ein verwendbares Bild");
        zeile("genau 9", 1, kbtest::bilddateien(9), "spielt");
        zeile("ein Wort, zwei Endungen", 1, QStringList(acht) << u"Bild01.jpg"_s, nur8);
        zeile("Namen ohne Wort", 1, QStringList(acht) << u"Ohr"_s << u"a.gi"_s, nur8);
        zeile("Umlaute, Leerzeichen, Emoji", 1,
              {u"Bär.png"_s, u"Größe.png"_s, u"Ölfass.jpg"_s, u"rote Rübe.png"_s, u" .png.png"_s,
               u"Fisch🐟.png"_s, u"🐳.png"_s, u"Kuh🐄abc"_s, u"ß  ß.bmp"_s},
              "spielt");
        zeile("Unterordner", 1, QStringList(acht) << u"ordner:Baum.png"_s, nur8);
        zeile("null Bytes", 1, QStringList(acht) << u"leer:Null.png"_s, "Fehler 481 /bilder/Null.png");
        zeile("nicht lesbar", 1, QStringList(acht) << u"gesperrt:Zu.png"_s, "Fehler 481 /bilder/Zu.png");
        zeile("Name nicht UTF-8", 1, QStringList(acht) << u"latin1:Bär.png"_s, nur8);
        zeile("Link ins Leere", 1, QStringList(acht) << u"link:Weg.png"_s, nur8);
        zeile("Link auf einen Ordner", 1, QStringList(acht) << u"ordnerlink:Baum.png"_s, nur8);
        zeile("100000 Bilder", 2, {u"viele:100000"_s}, "spielt");
    }
    void ordner()
    {
        QFETCH(int, stufe);
        QFETCH(QStringList, dateien);
        QFETCH(QString, erwartet);
        Spiel spiel;
        const QString bilder = spiel.bilder();
        // Qt cannot name the file that is no UTF-8, nor remove it with its folder.
        const auto weg = qScopeGuard([&bilder] { ::unlink(QFile::encodeName(bilder) + "/B\xe4r.png"); });
        if (!dateien.isEmpty())
            QVERIFY(QDir().mkpath(bilder));
        kbtest::schreibeBild(spiel.programmOrdner() + u"/Bild.png"_s, QSize(40, 30), "PNG");
        for (const QString& eintrag : dateien)
            lege(bilder, eintrag);
        if (QFile lesen(bilder + u"/Zu.png"_s); lesen.exists() && lesen.open(QIODevice::ReadOnly))
            erwartet = u"spielt"_s; // as root the program reads it all the same

        const QString schirm = u"frmSchw%1"_s.arg(stufe);
        spiel.starte(schirm);
        const auto geladen = [&schirm] { return tk::Program::instance().loaded(schirm); };
        if (geladen() && erwartet.startsWith(u"Fehler"))
            spiel.services.scriptedNumbers = {zahlFuer(geladen(), erwartet.section(u'/', -1))};
        // A refused level is never played: were it played, its draw would never end.
        const bool spielen = erwartet == u"spielt" || erwartet.startsWith(u"Fehler");
        for (int klick = 0; spielen && geladen() && klick < 20; ++klick)
            Spiel::klick(geladen()->find<tk::CommandButton>(u"cmdweiter"_s));

        const auto& fehler = spiel.services.error;
        if (erwartet.startsWith(u"Fehler")) {
            QVERIFY(fehler && spiel.beendet() && spiel.services.exitStatus == 1);
            QCOMPARE(fehler->number(), erwartet.section(u' ', 1, 1).toInt());
            QCOMPARE(fehler->message().section(u' ', -1), spiel.programmOrdner() + erwartet.section(u' ', 2));
        } else if (erwartet != u"spielt") {
            QCOMPARE(spiel.aktuellerName(), u"frmSchwierigkeit"_s);
            QVERIFY(spiel.services.promptTexts.isEmpty() && spiel.services.rndCalls == 0);
            QCOMPARE(spiel.services.messages,
                     QStringList{u"Im Bilderordner „%1“ gibt es %2.\n\nSchwierigkeitsstufe %3 braucht %4 "
                                 "Bilder mit verschiedenen Namen."_s.arg(QDir::toNativeSeparators(bilder),
                                                                         erwartet, QString::number(stufe),
                                                                         stufe == 1 ? u"9"_s : u"15"_s)});
        } else {
            QVERIFY2(!fehler, qPrintable(fehler ? fehler->message() : QString()));
            QCOMPARE(spiel.aktuellerName(), stufe == 1 ? u"frmAusw1"_s : u"frmAusw2"_s);
            // The board's words: all different, all from the first 32767 files by name.
            QSet<QString> moeglich;
            // Less four characters; none of these names has an accent of its own.
            for (QString wort :
                 QDir(bilder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase).mid(0, 32767)) {
                for (int i = 0; i < 4; ++i)
                    wort.chop(wort.size() > 1 && wort.back().isLowSurrogate() ? 2 : 1);
                moeglich.insert(wort);
            }
            const QStringList woerter = kbtest::bildnamen();
            const QSet<QString> tafel(woerter.begin(), woerter.end());
            QCOMPARE(tafel.size(), stufe == 1 ? 9 : 15);
            QVERIFY(moeglich.contains(tafel));
        }
    }

    // Valid pictures of kinds the usual programs do not write: each is drawn on a
    // level screen and shows there as it is, its top row at the top. The giant ones
    // show within a second, if coarser: the click that draws one may take three
    // (generous, for a machine busy with other work and for the sanitizers), where
    // decoding them in full took 26 to 41 seconds.
    void gueltigeBilderZeigenSich_data()
    {
        QTest::addColumn<QString>("art"); // bmp:<bits>:<first row stored>, png:[zeilensprung], jpeg
        QTest::addColumn<QSize>("groesse");
        QTest::newRow("BMP, oberste Zeile zuerst, Zeilen aufgefüllt") << u"bmp:24:oben"_s << QSize(3, 2);
        QTest::newRow("BMP, oberste Zeile zuerst, 32 Bit") << u"bmp:32:oben"_s << QSize(2, 3);
        QTest::newRow("BMP, unterste Zeile zuerst") << u"bmp:24:unten"_s << QSize(3, 2);
        QTest::newRow("PNG, riesig, mit Zeilensprung") << u"png:zeilensprung"_s << QSize(65535, 65535);
        QTest::newRow("PNG, riesig") << u"png:"_s << QSize(65535, 65535);
        QTest::newRow("JPEG, riesig, progressiv") << u"jpeg"_s << QSize(16000, 16000);
    }
    void gueltigeBilderZeigenSich()
    {
        QFETCH(QString, art);
        QFETCH(QSize, groesse);
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(8));
        const QString name = u"Neu."_s + art.section(u':', 0, 0), pfad = spiel.bilder() + u'/' + name;
        // Every pixel of a small picture its own colour: one upside down or shifted shows.
        QImage muster(groesse.boundedTo({3, 3}), QImage::Format_RGB32);
        for (int y = 0; y < muster.height(); ++y)
            for (int x = 0; x < muster.width(); ++x)
                muster.setPixel(x, y, qRgb(40 + 100 * x, 30 + 90 * y, 200 - 60 * x));
        if (art.startsWith(u"bmp"))
            kbtest::schreibeDatei(pfad, kbtest::bmpDatei(muster, art.section(u':', 1, 1).toInt(),
                                                         art.section(u':', 2) == u"oben"));
        else if (art.startsWith(u"png"))
            kbtest::schreibeEinfarbigesPng(pfad, groesse, art.endsWith(u"zeilensprung"), muster.pixel(0, 0));
        else
            kbtest::schreibeGrauesProgressivesJpeg(pfad, groesse), muster.fill(qRgb(128, 128, 128));
        tk::Form* f = spiel.starte(u"frmSchw1"_s);
        spiel.services.scriptedNumbers = {zahlFuer(f, name)};
        QElapsedTimer uhr;
        uhr.start();
        Spiel::klick(f->find<tk::CommandButton>(u"cmdweiter"_s));
        QVERIFY2(uhr.elapsed() < 3000, qPrintable(QString::number(uhr.elapsed())));
        const auto& fehler = spiel.services.error;
        QVERIFY2(!fehler, qPrintable(fehler ? fehler->message() : QString()));
        const tk::Image& bild = f->find<tk::Image>(u"imgBild"_s);
        QCOMPARE(bild.picture().path(), pfad);
        QCOMPARE(bild.picture().size(), groesse);
        const QImage gezeigt = qobject_cast<const QLabel*>(bild.widget())->pixmap().toImage();
        if (art.startsWith(u"bmp"))
            QCOMPARE(gezeigt.convertToFormat(QImage::Format_RGB32), muster);
        else // one colour throughout, in the coarsest pass as in the finest
            for (const QPoint p : {QPoint(0, 0), QPoint(7, 9), QPoint(300, 200), QPoint(600, 520)})
                QCOMPARE(gezeigt.pixel(p), muster.pixel(0, 0));
    }

    void jedesKaputteBildZeigtSichOderNenntDieDatei()
    {
        Spiel spiel;
        const QString bilder = spiel.bilder();
        QVERIFY(QDir().mkpath(bilder));
        std::mt19937 zufall(4711);
        const std::pair<const char*, QSize> formate[] = {{"jpg", {800, 600}}, {"progressiv.jpg", {800, 600}},
                                                         {"png", {200, 150}}, {"bmp", {64, 48}},
                                                         {"gif", {64, 48}},   {"ico", {48, 48}}};
        QStringList korpus;
        QHash<QString, QImage> ganz; // the undamaged files, as they should show
        for (const auto& [format, groesse] : formate) {
            const QByteArray heil = vorlage(format, groesse);
            for (int n = 0; n < 100; ++n) {
                const QString f = QString::fromLatin1(format);
                korpus << f.section(u'.', 0, 0) + u"%1."_s.arg(n, 3, 10, QLatin1Char('0')) +
                              f.section(u'.', -1);
                if (n == 0) // of the icon its largest image, the same as the PNG
                    ganz[korpus.last()] = QImage::fromData(f == u"ico" ? vorlage("png", groesse) : heil)
                                              .convertToFormat(QImage::Format_ARGB32_Premultiplied);
                QFile datei(bilder + u'/' + korpus.last());
                QVERIFY(datei.open(QIODevice::WriteOnly) && datei.write(verderbe(heil, n, zufall)) >= 0);
            }
        }
        const QtMessageHandler vorher = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString&) {}); // decoders complain a lot
        const auto zurueck = qScopeGuard([vorher] { qInstallMessageHandler(vorher); });
        int gezeigt = 0, fehler = 0;
        for (const QString& name : std::as_const(korpus)) {
            tk::Program::instance().reset();
            spiel.services.error.reset();
            tk::Form* f = spiel.starte(u"frmSchw1"_s);
            spiel.services.scriptedNumbers = {zahlFuer(f, name)};
            Spiel::klick(f->find<tk::CommandButton>(u"cmdweiter"_s));
            if (const auto& e = spiel.services.error) {
                QVERIFY2(!ganz.contains(name) && (e->number() == 481 || e->number() == 53),
                         qPrintable(e->message()));
                QCOMPARE(e->message().section(u' ', -1), bilder + u'/' + name);
                ++fehler;
            } else {
                const tk::Image& bild = f->find<tk::Image>(u"imgBild"_s);
                QCOMPARE(bild.picture().path(), bilder + u'/' + name);
                const QImage teil = qobject_cast<const QLabel*>(bild.widget())->pixmap().toImage();
                QVERIFY2(!teil.isNull(), qPrintable(name));
                if (ganz.contains(name)) {
                    QCOMPARE(bild.picture().size(), ganz[name].size());
                    QCOMPARE(teil.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                             ganz[name].copy(teil.rect()));
                }
                ++gezeigt;
            }
        }
        QVERIFY(gezeigt > 0 && fehler > 0);
    }
};

QTEST_MAIN(tst_Bilddateien)
#include "tst_bilddateien.moc"
