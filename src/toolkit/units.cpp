#include "toolkit/units.h"

#include "toolkit/systemcolours.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <QWidget>

namespace tk {

QColor toQColor(OleColor colour)
{
    if (colour & 0x80000000u)
        return systemColour(int(colour & 0xFFu));
    return QColor(int(colour & 0xFFu), int((colour >> 8) & 0xFFu), int((colour >> 16) & 0xFFu));
}

void setColour(QWidget* widget, QPalette::ColorRole role, OleColor colour)
{
    QPalette p = widget->palette();
    p.setColor(role, toQColor(colour));
    widget->setPalette(p);
}

namespace {

// The faces the layouts name, the bundled face that stands in for each where it
// is not installed, and the layout face's line metrics in font units (2048 per
// em). Liberation Sans has Arial's metrics; Comic Neue is smaller than Comic
// Sans MS above and below the baseline.
struct LayoutFace {
    QLatin1StringView face;
    QLatin1StringView substitute;
    int ascent, descent;
    bool sameMetrics; // the substitute's lines need no correction
};

constexpr LayoutFace layoutFaces[] = {
    {QLatin1StringView("Comic Sans MS"), QLatin1StringView("Comic Neue"), 2257, 597, false},
    {QLatin1StringView("Arial"), QLatin1StringView("Liberation Sans"), 1854, 434, true},
    // A bitmap face whose sizes stepped; set like Arial, which no screen contradicts.
    {QLatin1StringView("MS Sans Serif"), QLatin1StringView("Liberation Sans"), 1854, 434, true},
};

QString substitute(const QString& face)
{
    for (const LayoutFace& f : layoutFaces)
        if (f.face == face)
            return f.substitute;
    return QStringLiteral("Liberation Sans");
}

QString resolveFace(const QString& face)
{
    // Asking Qt for a face that exists nowhere makes it search its alias tables,
    // which is slow; so the face is looked up once in the installed families.
    static QHash<QString, QString> cache;
    auto it = cache.constFind(face);
    if (it != cache.constEnd())
        return *it;
    const QString resolved = QFontDatabase::hasFamily(face) ? face : substitute(face);
    cache.insert(face, resolved);
    return resolved;
}

} // namespace

QFont toQFont(const FontDef& font)
{
    QFont f(resolveFace(QString::fromUtf8(font.name ? font.name : "MS Sans Serif")));
    const double points = font.size > 0 ? font.size : 8.25;
    f.setPixelSize(qMax(1, qRound(points * 96.0 / 72.0)));
    f.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
    f.setStyleStrategy(QFont::PreferAntialias);
    // Arial is the face of the about screen, whose authors' note leaves runs of
    // blanks for its link controls to cover. That layout counts on the whole-pixel
    // advances of the classic desktop (a blank of 4 pixels at 9.75 points), which
    // full hinting gives the substitute too.
    if (qstrcmp(font.name, "Arial") == 0)
        f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

std::optional<LineMetrics> layoutFaceLines(const QFont& font)
{
    for (const LayoutFace& f : layoutFaces) {
        if (f.sameMetrics || font.family() != f.substitute)
            continue;
        const double px = font.pixelSize() / 2048.0;
        return LineMetrics{f.ascent * px, f.descent * px};
    }
    return std::nullopt;
}

void loadBundledFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (const char* file : {":/fonts/ComicNeue-Regular.otf", ":/fonts/ComicNeue-Bold.otf",
                             ":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"})
        QFontDatabase::addApplicationFont(QString::fromLatin1(file));
}

} // namespace tk
