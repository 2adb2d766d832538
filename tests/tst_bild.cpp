// Pictures with a stored orientation: the image control decodes only the part of
// a picture that can be seen, and that part must be exactly the part a full
// decode in the shown orientation would give.
#include "shell/toolkit/bild.h"
#include "support/spielumgebung.h"

#include <QBuffer>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QTest>

using namespace tk;
using kbtest::Spiel;

namespace {

// Every pixel tells where it lies: red runs left to right, green top to bottom,
// blue marks the quadrant. Any turn or mirror therefore changes the picture.
QImage lagebild(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const int quadrant = (x < size.width() / 2 ? 0 : 1) + (y < size.height() / 2 ? 0 : 2);
            image.setPixel(x, y, qRgb(255 * x / size.width(), 255 * y / size.height(), 40 + 60 * quadrant));
        }
    return image;
}

// Writes a JPEG that carries an EXIF orientation (1 to 8). Qt's writer stores no
// orientation, so the APP1 segment is put in right after the start marker.
QString schreibeJpeg(const QString& folder, const QImage& image, int orientierung)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(100);
    if (!writer.write(image))
        qWarning() << writer.errorString();
    // A big-endian TIFF header, one IFD at offset 8 with the single entry
    // Orientation (tag 0x0112, type SHORT, count 1), and no next IFD.
    QByteArray tiff("MM\x00\x2A\x00\x00\x00\x08", 8);
    tiff += QByteArray("\x00\x01", 2);
    tiff += QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01", 8);
    tiff += QByteArray(1, '\0') + char(orientierung) + QByteArray(2, '\0');
    tiff += QByteArray(4, '\0');
    const QByteArray nutzlast = QByteArray("Exif\x00\x00", 6) + tiff;
    const int laenge = int(nutzlast.size()) + 2;
    const QByteArray app1 = QByteArray("\xFF\xE1", 2) + char(laenge >> 8) + char(laenge & 0xFF) + nutzlast;
    jpeg.insert(2, app1);
    const QString path = folder + QStringLiteral("/lage%1.jpg").arg(orientierung);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size())
        qWarning() << "cannot write" << path;
    return path;
}

QImage vollstaendig(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

// The largest difference of any colour channel between two images of one size.
int groessteAbweichung(const QImage& a, const QImage& b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

// A screen whose picture sits near its lower right corner, so that only a part
// of a picture can be seen.
const FormLayout kleinerSchirm{
    .name = "frmBildTest",
    .caption = "Bild",
    .clientWidth = 2400,
    .clientHeight = 1800,
    .controls =
        {{.kind = Kind::Image, .name = "imgBild", .left = 1200, .top = 900, .width = 300, .height = 300}},
};

struct BildTest : Form {
    BildTest() : Form(kleinerSchirm) {}
};

} // namespace

class tst_Bild : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        Program::instance().registerForm(QStringLiteral("frmBildTest"),
                                         [] { return std::make_unique<BildTest>(); });
    }

    void orientations_data()
    {
        QTest::addColumn<int>("orientierung");
        for (int o = 1; o <= 8; ++o)
            QTest::newRow(qPrintable(QStringLiteral("EXIF %1").arg(o))) << o;
    }

    // Parts of the picture decoded on their own match the same parts of the whole
    // picture, for every stored orientation.
    void orientations()
    {
        QFETCH(int, orientierung);
        QTemporaryDir dir;
        const QString path = schreibeJpeg(dir.path(), lagebild(QSize(240, 160)), orientierung);
        // The file really carries the orientation, and a quarter turn swaps the sides.
        QImageReader probe(path);
        QCOMPARE(probe.transformation() == QImageIOHandler::TransformationNone, orientierung == 1);

        const QImage ganz = vollstaendig(path);
        const Picture bild = Picture::load(path);
        QCOMPARE(bild.size(), ganz.size());
        QCOMPARE(ganz.size(), orientierung >= 5 ? QSize(160, 240) : QSize(240, 160));
        const QList<QRect> teile{QRect(0, 0, 100, 70), QRect(37, 21, 90, 50),
                                 QRect(QPoint(60, 60), ganz.size()), QRect(5, 90, 30, 60),
                                 QRect(QPoint(0, 0), ganz.size())};
        for (const QRect& teil : teile) {
            const QRect erwartet = teil & ganz.rect();
            const QImage ausschnitt = bild.decode(teil).toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(ausschnitt.size(), erwartet.size());
            // JPEG blocks at the cut may come out a shade different; a wrong turn
            // or mirror differs by a hundred and more.
            const int abweichung = groessteAbweichung(ausschnitt, ganz.copy(erwartet));
            QVERIFY2(abweichung <= 12, qPrintable(QStringLiteral("Teil %1,%2 %3x%4 weicht um %5 ab")
                                                      .arg(teil.x())
                                                      .arg(teil.y())
                                                      .arg(teil.width())
                                                      .arg(teil.height())
                                                      .arg(abweichung)));
        }
    }

    // The image control of a screen shows the visible part of a turned photo
    // exactly as the whole photo would show there, and takes the full size.
    void imageControlShowsTheVisiblePartTurned()
    {
        Spiel spiel;
        spiel.starte(QStringLiteral("frmBildTest"));
        Form* f = spiel.aktuell();
        QVERIFY(f);
        const QString path = schreibeJpeg(spiel.programmOrdner(), lagebild(QSize(300, 200)),
                                          6); // a quarter turn clockwise
        Image& img = f->image(QStringLiteral("imgBild"));
        img.setPicture(Picture::load(path));
        QCOMPARE(img.Width(), 200 * 15.0);
        QCOMPARE(img.Height(), 300 * 15.0);
        const QPixmap gezeigt = static_cast<QLabel*>(img.widget())->pixmap();
        // The screen is 160 x 120 pixels and the picture starts at 80, 60.
        QCOMPARE(gezeigt.size(), QSize(80, 60));
        const QImage ganz = vollstaendig(path);
        QVERIFY(groessteAbweichung(gezeigt.toImage().convertToFormat(QImage::Format_RGB32),
                                   ganz.copy(0, 0, 80, 60)) <= 12);
    }
};

QTEST_MAIN(tst_Bild)
#include "tst_bild.moc"
