// The visible part of a JPEG, decoded by the picture code itself, must be exactly
// the part Qt's reader gives: for colour, progressive and grey files, in all eight
// stored orientations, at block edges and off them, and for a damaged file.
#include "shell/toolkit/bild.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A photo-like picture (gradients with grain) of an odd size, as JPEG bytes.
QByteArray jpeg(bool progressive, bool grey)
{
    QImage image(333, 251, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           qRgb((3 * x + (x * y) % 29) & 255, (2 * y + (x ^ y) % 31) & 255, (x + y) & 255));
    if (grey)
        image = image.convertToFormat(QImage::Format_Grayscale8);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// The same bytes with an EXIF orientation (1 to 8) right after the start marker.
QByteArray mitLage(QByteArray bytes, int lage)
{
    const QByteArray exif = QByteArray("Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 25) +
                            char(lage) + QByteArray(6, '\0');
    bytes.insert(2, QByteArray("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif);
    return bytes;
}

QImage wieQt(const QString& path, const QRect& shown, const QSize& size)
{
    QImageReader kopf(path);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (shown != QRect(QPoint(), size))
        reader.setClipRect(tk::storedRect(shown, kopf.size(), int(kopf.transformation())));
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class tst_Bildausschnitt : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void partEqualsQtsPart_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        for (int lage = 1; lage <= 8; ++lage) {
            QTest::addRow("colour, EXIF %d", lage) << mitLage(jpeg(false, false), lage);
            QTest::addRow("progressive, EXIF %d", lage) << mitLage(jpeg(true, false), lage);
            QTest::addRow("grey, EXIF %d", lage) << mitLage(jpeg(false, true), lage);
        }
        QByteArray kaputt = jpeg(false, false);
        kaputt.truncate(kaputt.size() / 2);
        QTest::addRow("cut off in the middle") << kaputt;
    }
    void partEqualsQtsPart()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QFile file(dir.filePath(u"foto.jpg"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const tk::Picture bild = tk::Picture::load(file.fileName());
        const QRect ganz(QPoint(), bild.size());
        for (const QRect teil : {QRect(0, 0, 100, 70), QRect(37, 21, 90, 50), QRect(16, 8, 32, 16),
                                 QRect(5, 3, 1, 1), QRect(200, 100, 400, 400), ganz}) {
            const QImage part = bild.decode(teil).toImage().convertToFormat(QImage::Format_RGB32);
            QVERIFY2(part == wieQt(file.fileName(), teil & ganz, bild.size()),
                     qPrintable(QDebug::toString(teil)));
        }
    }
};

QTEST_MAIN(tst_Bildausschnitt)
#include "tst_bildausschnitt.moc"
