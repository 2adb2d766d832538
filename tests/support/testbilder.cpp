#include "support/testbilder.h"

#include <QDataStream>
#include <QIODevice>

namespace kbtest {

QByteArray bmpDatei(const QImage& bild, int bitsProPixel, bool obenZuerst)
{
    const int b = bild.width(), h = bild.height(), proPixel = bitsProPixel / 8;
    const int zeile = (b * proPixel + 3) / 4 * 4;
    QByteArray daten;
    QDataStream s(&daten, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("BM", 2);
    s << quint32(54 + zeile * h) << quint32(0) << quint32(54);
    s << quint32(40) << qint32(b) << qint32(obenZuerst ? -h : h) << quint16(1) << quint16(bitsProPixel)
      << quint32(0) << quint32(zeile * h) << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
    for (int i = 0; i < h; ++i) {
        const int y = obenZuerst ? i : h - 1 - i;
        for (int x = 0; x < b; ++x) {
            const QRgb p = bild.pixel(x, y);
            s << quint8(qBlue(p)) << quint8(qGreen(p)) << quint8(qRed(p));
            if (proPixel == 4)
                s << quint8(0);
        }
        for (int rest = zeile - b * proPixel; rest > 0; --rest)
            s << quint8(0);
    }
    return daten;
}

} // namespace kbtest
