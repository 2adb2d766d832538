// Reading the pictures a teacher puts in: parts of JPEG and PNG files decoded
// as Qt's reader decodes the whole, the enlargement at a board, a PNG too large
// for Qt's reader, and every file that is no picture, told by its reason.
#include "support/bildvergleich.h"
#include "support/spielumgebung.h"
#include "support/testbilder.h"
#include "toolkit/enlargement.h"
#include "toolkit/jpegclip.h"
#include "toolkit/pngclip.h"
#include "toolkit/processors.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <atomic>
#include <fcntl.h>
#include <sched.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A photo-like JPEG of odd size with an EXIF orientation (Qt writes none, so an
// APP1 segment with a one-entry IFD goes right after the start marker).
QString schreibeJpeg(const QString& folder, int lage, bool progressive, bool grey)
{
    QImage image(333, 251, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((3 * x + (x * y) % 29) & 255, (2 * y + (x ^ y) % 31) & 255, 128));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.write(grey ? image.convertToFormat(QImage::Format_Grayscale8) : image);
    const QByteArray exif = QByteArray("Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 25) +
                            char(lage) + QByteArray(6, '\0');
    jpeg.insert(2, QByteArray("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif);
    QFile file(folder + u"/lage.jpg"_s);
    if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size())
        qWarning() << "cannot write" << file.fileName();
    return file.fileName();
}

// A PNG of 333 x 251 pixels of the kind given (colour type, bit depth,
// interlaced, transparent): bytes without order, but some pixels all zeros, the
// value that a transparent grey or colour file lets through.
QString schreibePng(const QString& folder, const QList<int>& art)
{
    const int kanaele[] = {1, 0, 3, 1, 2, 0, 4};
    const std::size_t proPixel = std::max(1, kanaele[art[0]] * art[1] / 8);
    const QString path = folder + u"/muster.png"_s;
    kbtest::schreibePng(
        path, {333, 251}, art[0], art[1], art[2], art[3], [proPixel](int y, uchar* z, std::size_t n) {
            for (std::size_t i = 0; i < n; ++i)
                z[i] =
                    (i / proPixel * 3 + std::size_t(y)) % 11 ? uchar((i * 2654435761u ^ y * 40503u) >> 9) : 0;
        });
    return path;
}

} // namespace

Q_DECLARE_METATYPE(tk::Reason)

class tst_Bildlesen : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clippedDecodeEqualsFullDecode_data()
    {
        QTest::addColumn<int>("lage");       // JPEG: 3 progressive, 6 grey
        QTest::addColumn<QList<int>>("png"); // colour type, bit depth, interlaced, transparent
        for (int lage = 1; lage <= 8; ++lage)
            QTest::addRow("EXIF %d", lage) << lage << QList<int>();
        // Files with alpha have no tRNS; Qt 6.4 garbles 16-bit colour with one.
        const std::pair<int, int> arten[] = {{3, 2},  {3, 8}, {0, 1},  {0, 8}, {0, 16},
                                             {4, 16}, {2, 8}, {2, 16}, {6, 8}, {6, 16}};
        for (const auto& [typ, tiefe] : arten)
            for (int extra = 0; extra < 4; ++extra)
                if (extra < 2 || (typ < 4 && !(typ == 2 && tiefe == 16)))
                    QTest::addRow("PNG %d/%d%s%s", typ, tiefe, extra & 1 ? " verschachtelt" : "",
                                  extra & 2 ? " durchsichtig" : "")
                        << 1 << QList<int>{typ, tiefe, extra & 1, extra & 2};
    }
    // The pixels of a part, as Qt's reader gives them; of PNG files those of the
    // clip decoder itself, which Picture would otherwise leave to Qt's reader.
    void clippedDecodeEqualsFullDecode()
    {
        QFETCH(int, lage);
        QFETCH(QList<int>, png);
        QTemporaryDir dir;
        const QString path = png.isEmpty() ? schreibeJpeg(dir.path(), lage, lage == 3, lage == 6)
                                           : schreibePng(dir.path(), png);
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QImage ganz = reader.read().convertToFormat(QImage::Format_ARGB32);
        const Picture bild = Picture::load(path);
        QCOMPARE(bild.size(), lage >= 5 ? QSize(251, 333) : QSize(333, 251));
        for (const QRect teil : {QRect(0, 0, 100, 70), QRect(37, 21, 90, 50), QRect(16, 8, 32, 16),
                                 QRect(200, 100, 400, 400), ganz.rect()}) {
            const QImage part =
                png.isEmpty() ? bild.decode(teil).toImage() : decodePngClip(path, teil & ganz.rect());
            QVERIFY2(part.convertToFormat(QImage::Format_ARGB32) == ganz.copy(teil & ganz.rect()),
                     qPrintable(QDebug::toString(teil)));
        }
    }

    // At a board an upright JPEG is decoded on a second thread while this one
    // enlarges it; that must give exactly what decoding first and enlarging after gives.
    void enlargedWhileDecoding_data()
    {
        QTest::addColumn<int>("art"); // 1 grey, 2 progressive
        QTest::addColumn<QRect>("teil");
        QTest::addColumn<double>("faktor");
        QTest::newRow("oben links, Tafel") << 0 << QRect(0, 0, 300, 200) << 1.8;
        QTest::newRow("Mitte, ungerade") << 0 << QRect(37, 21, 90, 51) << 1.25;
        QTest::newRow("ganz, dreifach") << 0 << QRect(0, 0, 333, 251) << 3.0;
        QTest::newRow("grau") << 1 << QRect(5, 17, 200, 230) << 1.8;
        QTest::newRow("progressiv") << 2 << QRect(0, 100, 333, 151) << 1.8;
    }
    void enlargedWhileDecoding()
    {
        QFETCH(int, art);
        QFETCH(QRect, teil);
        QFETCH(double, faktor);
        QTemporaryDir dir;
        const Picture bild = Picture::load(schreibeJpeg(dir.path(), 1, art == 2, art == 1));
        const QImage zugleich = bild.decode(teil, faktor).toImage();
        const QImage nacheinander =
            atRatio(bild.decodeImage(teil).convertToFormat(QImage::Format_RGB32), faktor).toImage();
        QCOMPARE(zugleich.size(), (QSizeF(teil.size()) * faktor).toSize());
        QCOMPARE(zugleich.devicePixelRatio(), faktor);
        QVERIFY(zugleich.convertToFormat(QImage::Format_RGB32) == nacheinander);
        // Given up at once, the decoding thread ends as well: this returns.
        QVERIFY(bild.enlarging(teil, faktor) != nullptr);
    }

    // Enlarging keeps every place where it was: the enlargement of a mirrored
    // picture is the mirrored enlargement, and a plain colour stays plain.
    void enlargementKeepsPlaces()
    {
        QImage bild(7, 5, QImage::Format_RGB32);
        for (int i = 0; i < 35; ++i)
            bild.setPixel(i % 7, i / 7, qRgb(i * 37 % 256, i * 91 % 256, i * 13 % 256));
        for (const QSize ziel : {QSize(7, 5), QSize(13, 9), QSize(21, 15), QSize(50, 8)}) {
            const QImage gross = enlarged(bild, ziel), gespiegelt = enlarged(bild.mirrored(true, true), ziel);
            QCOMPARE(gross.size(), ziel);
            QVERIFY(kbtest::groessterUnterschied(gross.mirrored(true, true), gespiegelt) <= 1);
            QImage grau = bild;
            grau.fill(qRgb(200, 100, 50));
            QCOMPARE(enlarged(grau, ziel).pixel(ziel.width() / 2, ziel.height() - 1), qRgb(200, 100, 50));
        }
    }

    // The thread that enlarges beside the decoder leaves the decoder's processor
    // where it may use another one; left to itself the system now and then puts
    // both on one processor while the other stands idle.
    void leavingAProcessor()
    {
        if (currentProcessor() < 0)
            QSKIP("This system does not tell which processor a thread runs on.");
        cpu_set_t erlaubt;
        QVERIFY(sched_getaffinity(0, sizeof erlaubt, &erlaubt) == 0);
        int vorher = -1, nachher = -1;
        std::thread([&] {
            vorher = currentProcessor();
            leaveProcessor(vorher);
            nachher = currentProcessor();
        }).join();
        QVERIFY(vorher >= 0);
        if (CPU_COUNT(&erlaubt) > 1)
            QVERIFY(nachher != vorher);
        else
            QCOMPARE(nachher, vorher);
    }

    // Black and white squares of 96 pixels in 70 KB: Qt's reader knows the size but
    // refuses to decode so many pixels. The top left part is what a level shows.
    void hugePngShowsItsParts()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + u"/riese.png"_s;
        kbtest::schreibePng(path, {20000, 20000}, PNG_COLOR_TYPE_GRAY, 1, false, false,
                            [](int y, uchar* z, std::size_t n) {
                                for (std::size_t i = 0; i < n; ++i)
                                    z[i] = (i / 12 + std::size_t(y) / 96) % 2 ? 0xFF : 0;
                            });
        const Picture riese = Picture::load(path);
        QCOMPARE(riese.size(), QSize(20000, 20000));
        for (const QRect teil : {QRect(0, 0, 620, 556), QRect(10007, 12301, 150, 100)}) {
            // A part far down takes longer than a level waits: the decoder reads it without the deadline.
            const QImage bild = teil.y() == 0 ? riese.decode(teil).toImage() : decodePngClip(path, teil);
            for (const QPoint p : {QPoint(0, 0), QPoint(95, 95), QPoint(96, 0), QPoint(37, 99),
                                   QPoint(teil.width() - 1, teil.height() - 1)}) {
                const QPoint q = p + teil.topLeft();
                QCOMPARE(bild.pixelColor(p), (q.x() / 96 + q.y() / 96) % 2 ? Qt::white : Qt::black);
            }
        }
    }

    // A file that is no picture the game can show is error 481 with the reason
    // why; a missing one is error 53. Both name the file. Root reads any file, so
    // as root the unreadable file is opened with a plain user's file-system rights.
    void unusablePicturesSayWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("art"); // as kbtest::lege makes it
        QTest::addColumn<int>("nummer");
        QTest::addColumn<Reason>("grund");
        QTest::newRow("kein Bild") << u"Thumbs.db"_s << u"text"_s << 481 << Reason::NoPicture;
        QTest::newRow("abgeschnitten") << u"Kaputt.png"_s << u"halb"_s << 481 << Reason::Damaged;
        QTest::newRow("HEIC am Inhalt") << u"Urlaub.bin"_s << u"heic"_s << 481 << Reason::UnknownFormat;
        QTest::newRow("HEIC am Namen") << u"Urlaub.heic"_s << u"text"_s << 481 << Reason::UnknownFormat;
        QTest::newRow("keine Leserechte") << u"Geheim.png"_s << u"png:300:300"_s << 481 << Reason::Unreadable;
        QTest::newRow("Ordner") << u"Ordner.png"_s << QString() << 481 << Reason::SpecialFile;
        QTest::newRow("fehlt") << u"Weg.png"_s << QString() << 53 << Reason::None;
    }

    void unusablePicturesSayWhy()
    {
        QFETCH(QString, name);
        QFETCH(QString, art);
        QFETCH(int, nummer);
        QFETCH(Reason, grund);
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
        const QString pfad = dir.filePath(name);
        if (grund == Reason::SpecialFile)
            QVERIFY(QDir().mkdir(pfad));
        else if (nummer == 481)
            kbtest::lege(dir.path(), name, art);
        const bool gesperrt = grund == Reason::Unreadable;
        if (gesperrt)
            QVERIFY(QFile::setPermissions(pfad, {}));
        const int gruppeVorher = ::setfsgid(gesperrt ? 65534 : ::getegid());
        const int vorher = ::setfsuid(gesperrt ? 65534 : ::geteuid());
        std::optional<RuntimeError> fehler;
        try {
            Picture::load(pfad).decodeImage(QRect(0, 0, 800, 600));
        } catch (const RuntimeError& e) {
            fehler = e;
        }
        ::setfsuid(uid_t(vorher));
        ::setfsgid(gid_t(gruppeVorher));
        QVERIFY(fehler);
        QCOMPARE(fehler->number(), nummer);
        QCOMPARE(fehler->reason(), grund);
        QCOMPARE(fehler->message(),
                 (nummer == 53 ? u"Datei nicht gefunden: "_s : u"Ungültiges Bild: "_s) + pfad);
    }

    // A pipe, a link to one, and a loaded picture that has become one since, are no
    // pictures (error 481) and are never opened: opening a pipe waits for a writer.
    // Were one opened, the watcher's writer would end the wait: the test fails, not hangs.
    void pipesAreNeverOpened()
    {
        QTemporaryDir dir;
        const QString rohr = dir.path() + u"/rohr"_s, link = dir.path() + u"/link.png"_s;
        const QString bild = dir.path() + u"/bild.png"_s;
        kbtest::schreibeBild(bild);
        const Picture geladen = Picture::load(bild);
        QVERIFY(::mkfifo(QFile::encodeName(rohr).constData(), 0600) == 0 && QFile::remove(bild) &&
                QFile::link(rohr, link) && QFile::link(rohr, bild));
        std::atomic<bool> geoeffnet = false;
        {
            std::jthread waechter([&, pfad = QFile::encodeName(rohr)](std::stop_token halt) {
                for (; !halt.stop_requested(); std::this_thread::sleep_for(std::chrono::milliseconds(2)))
                    if (const int fd = ::open(pfad.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
                        geoeffnet = true, ::close(fd);
            });
            try {
                Picture::load(rohr);
                QFAIL("Eine Pipe ist kein Bild.");
            } catch (const RuntimeError& e) {
                QCOMPARE(e.reason(), Reason::SpecialFile);
            }
            QVERIFY_THROWS_EXCEPTION(RuntimeError, Picture::load(link));
            QVERIFY_THROWS_EXCEPTION(RuntimeError, geladen.decode(QRect(0, 0, 40, 30)));
            QVERIFY(decodeJpegClip(rohr, QRect(0, 0, 4, 3)).isNull() &&
                    decodePngClip(rohr, QRect(0, 0, 4, 3)).isNull());
        }
        QVERIFY(!geoeffnet);
    }
};

QTEST_MAIN(tst_Bildlesen)
#include "tst_bildlesen.moc"
