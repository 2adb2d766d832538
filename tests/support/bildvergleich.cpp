#include "support/bildvergleich.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <array>

namespace kbtest {

std::pair<double, double> tinte(const QFont& schrift, const QString& text, double links, double faktor)
{
    const QFontMetricsF fm(schrift);
    constexpr double Rand = 20;
    const QSizeF flaeche(links + fm.horizontalAdvance(text) + 2 * Rand, fm.height() + 2 * Rand);
    QImage bild((flaeche * faktor).toSize(), QImage::Format_RGB32);
    bild.setDevicePixelRatio(faktor);
    bild.fill(Qt::white);
    {
        QPainter maler(&bild);
        maler.setFont(schrift);
        maler.setPen(Qt::black);
        maler.drawText(QPointF(Rand + links, Rand + fm.ascent()), text);
    }
    int erste = bild.width(), letzte = -1;
    for (int y = 0; y < bild.height(); ++y) {
        const auto* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        for (int x = 0; x < bild.width(); ++x)
            if (zeile[x] != 0xFFFFFFFFu)
                erste = std::min(erste, x), letzte = std::max(letzte, x);
    }
    if (letzte < 0)
        return {0.0, 0.0};
    return {erste - Rand * faktor, letzte + 1 - Rand * faktor};
}

double abstand(const QImage& a, const QImage& b)
{
    double summe = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            summe +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return summe / (3.0 * std::max(1, a.width() * a.height()));
}

double wiederholteZeilen(const QImage& bild)
{
    int zeilen = 0, wiederholt = 0;
    for (int y = 1; y < bild.height(); ++y) {
        const auto* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        if (std::all_of(zeile, zeile + bild.width(), [&](QRgb p) { return p == zeile[0]; }))
            continue;
        ++zeilen;
        wiederholt +=
            std::equal(zeile, zeile + bild.width(), reinterpret_cast<const QRgb*>(bild.constScanLine(y - 1)));
    }
    return zeilen ? double(wiederholt) / zeilen : 0.0;
}

int groessterUnterschied(const QImage& a, const QImage& b)
{
    const auto mittel = [](const QImage& bild, int bx, int by) {
        int r = 0, g = 0, bl = 0;
        for (int y = by; y < by + 10; ++y)
            for (int x = bx; x < bx + 10; ++x) {
                const QRgb p = bild.pixel(x, y);
                r += qRed(p), g += qGreen(p), bl += qBlue(p);
            }
        return std::array<int, 3>{r / 100, g / 100, bl / 100};
    };
    int groesster = 0;
    for (int by = 0; by + 10 <= a.height(); by += 10)
        for (int bx = 0; bx + 10 <= a.width(); bx += 10) {
            const auto p = mittel(a, bx, by), q = mittel(b, bx, by);
            for (int k = 0; k < 3; ++k)
                groesster = std::max(groesster, std::abs(p[k] - q[k]));
        }
    return groesster;
}

} // namespace kbtest
