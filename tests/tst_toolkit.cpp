// The forms toolkit on two screens of its own, and its number rules and picture
// decoding.
#include "shell/modSkalieren.h"
#include "support/bildvergleich.h"
#include "support/spielumgebung.h"
#include "support/testbilder.h"
#include "toolkit/enlargement.h"
#include "toolkit/jpegclip.h"
#include "toolkit/numbers.h"
#include "toolkit/pngclip.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <atomic>
#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// clang-format off
const FormLayout layoutA{.name = "frmTestA", .caption = "Erster", .clientWidth = 6000, .clientHeight = 4500,
    .controls = {
        {.kind = Kind::CommandButton, .name = "cmdWeiter", .left = 300, .top = 1200, .width = 1500,
         .height = 600, .caption = "&Weiter", .tabIndex = 0},
        {.kind = Kind::CommandButton, .name = "cmdEnde", .left = 2400, .top = 1200, .width = 1500,
         .height = 600, .caption = "&Ende", .tabIndex = 1},
        {.kind = Kind::CommandButton, .name = "cmdBlock", .index = 3, .left = 4500, .top = 1200,
         .width = 1500, .height = 600, .style = ButtonStyle::Graphical, .tabIndex = 3},
        {.kind = Kind::Label, .name = "lblAuto", .left = 600, .top = 2100, .width = 90, .height = 390,
         .font = {"Comic Sans MS", 14.25}, .autoSize = true, .transparent = true},
        {.kind = Kind::Image, .name = "imgBild", .left = 6000, .top = 3000}}};
const FormLayout layoutB{.name = "frmTestB", .caption = "Zweiter", .clientWidth = 3000, .clientHeight = 1500,
    .controls = {{.kind = Kind::CommandButton, .name = "cmdWeiter", .left = 300, .top = 300, .width = 1500,
                  .height = 600, .caption = "Zurück", .tabIndex = 0}}};
// clang-format on

std::uintptr_t stackMark = 0;

// Each test screen hands over to the other with its button; a click on the
// screen itself fails.
struct FrmTest : Form {
    explicit FrmTest(const FormLayout& layout) : Form(layout)
    {
        control(u"cmdWeiter"_s).onClick = [this] {
            // The frame itself: a local's address may lie on a sanitizer's heap-backed stack.
            stackMark = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
            Unload();
            Show(name() == u"frmTestA"_s ? u"frmTestB"_s : u"frmTestA"_s, vbModal);
        };
        onFormClick([] { throw RuntimeError::overflow(); });
    }
    void Form_Load() override { kb::FormSkalieren(*this); }
};

// The value of an expression as text, or "Fehler" and the number of its run-time error.
#define ERGEBNIS(expr)                                                                                       \
    [] {                                                                                                     \
        try {                                                                                                \
            return QString::number(expr);                                                                    \
        } catch (const RuntimeError& e) {                                                                    \
            return u"Fehler %1"_s.arg(e.number());                                                           \
        }                                                                                                    \
    }()

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

class tst_Toolkit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        Program::instance().registerForm(u"frmTestA"_s, [] { return std::make_unique<FrmTest>(layoutA); });
        Program::instance().registerForm(u"frmTestB"_s, [] { return std::make_unique<FrmTest>(layoutB); });
    }

    // Rounding half to even, and overflows and bounds as run-time errors.
    void numberRules()
    {
        const QStringList ergebnisse{ERGEBNIS(CInt(0.5)),
                                     ERGEBNIS(CInt(1.5)),
                                     ERGEBNIS(CInt(2.5)),
                                     ERGEBNIS(CInt(-2.5)),
                                     ERGEBNIS(CInt(32767.49)),
                                     ERGEBNIS(CInt(-32768.5)),
                                     ERGEBNIS(CInt(32767.5)),
                                     ERGEBNIS(Int(-0.5)),
                                     ERGEBNIS(Integer(32767) + Integer(1)),
                                     ERGEBNIS(Integer(-32768) - Integer(1)),
                                     ERGEBNIS(Integer(33) * Integer(1000)),
                                     ERGEBNIS(DynArray<int>()(1))};
        QCOMPARE(ergebnisse,
                 (QStringList{u"0"_s, u"2"_s, u"2"_s, u"-2"_s, u"32767"_s, u"-32768"_s, u"Fehler 6"_s,
                              u"-1"_s, u"Fehler 6"_s, u"Fehler 6"_s, u"Fehler 6"_s, u"Fehler 9"_s}));
    }

    // An AutoSize label grows to the right; a standard button ignores its colour, a
    // graphical one shows it; a picture takes its own size and shows what lies in
    // the screen; a click handler that fails ends the program with the standard message.
    void controls()
    {
        Spiel spiel;
        Form* f = spiel.starte(u"frmTestA"_s);
        Label& l = f->find<Label>(u"lblAuto"_s);
        l.setCaption(u"Hallo"_s);
        const double hallo = l.Width();
        l.setCaption(u"Hallo Anna, schön dass du da bist!"_s);
        QVERIFY(hallo > 90 && l.Width() > hallo && l.Left() == 600 && l.widget()->x() == 40);
        CommandButton& standard = f->find<CommandButton>(u"cmdEnde"_s);
        const QImage vorher = standard.widget()->grab().toImage();
        standard.setBackColor(255);
        QVERIFY(standard.BackColor() == 255 && standard.widget()->grab().toImage() == vorher);
        CommandButton& block = f->find<CommandButton>(u"cmdBlock"_s, 3);
        block.setBackColor(0x0000FF00);
        QCOMPARE(block.widget()->grab().toImage().pixelColor(20, 20), QColor(0, 255, 0));
        Image& img = f->find<Image>(u"imgBild"_s);
        kbtest::schreibeBild(spiel.programmOrdner() + u"/gross.jpg"_s, QSize(450, 300), "JPEG");
        img.setPicture(Picture::load(spiel.programmOrdner() + u"/gross.jpg"_s));
        QCOMPARE(QSizeF(img.Width(), img.Height()), QSizeF(6750, 4500));
        const QSize platz = f->window()->size() - QSize(400, 200);
        QCOMPARE(qobject_cast<QLabel*>(img.widget())->pixmap().size(), platz.boundedTo(QSize(450, 300)));
        QTest::mouseClick(f->window()->windowHandle(), Qt::LeftButton, {}, QPoint(20, 580));
        QVERIFY(spiel.services.error && spiel.services.error->number() == 6);
        QCOMPARE(spiel.services.exitStatus, 1);
        QCOMPARE(Program::instance().loadedCount(), 0);
    }

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

    // At a board an upright JPEG is enlarged on a second thread while it is
    // decoded; that must give exactly what decoding first and enlarging after gives.
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

    void fileListSortsWithoutCaseAndSkipsHiddenFiles()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.path() + u"/Unterordner.png"_s);
        for (const char* name : {"birne.png", "Apfel.png", "Zebra.gif", "ähre.jpg", ".versteckt.png"})
            QFile(dir.path() + u'/' + QString::fromUtf8(name)).open(QIODevice::WriteOnly);
        QCOMPARE(listedFileNames(dir.path()),
                 (QStringList{"Apfel.png", "birne.png", "Zebra.gif", "ähre.jpg"}));
    }

    // Ten thousand screen changes through real clicks: the stack depth at the
    // handler and the number of live widgets stay flat.
    void tenThousandScreenChangesStayFlat()
    {
        Spiel spiel;
        QPointer<QWidget> first = spiel.starte(u"frmTestA"_s)->window();
        std::uintptr_t firstMark = 0;
        qsizetype widgets = 0;
        for (int round = 0; round < 5000; ++round) {
            Spiel::klick(spiel.aktuell()->find<CommandButton>(u"cmdWeiter"_s));
            Spiel::klick(spiel.aktuell()->find<CommandButton>(u"cmdWeiter"_s));
            if (round == 0)
                firstMark = stackMark, widgets = QApplication::allWidgets().size();
        }
        QVERIFY(first.isNull());
        QCOMPARE(stackMark, firstMark);
        QCOMPARE(QApplication::allWidgets().size(), widgets);
    }
};

QTEST_MAIN(tst_Toolkit)
#include "tst_toolkit.moc"
