#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <cstdint>
#include <optional>

class QWidget;

namespace tk {

// Positions and sizes are kept in twips, 1/1440 inch: 15 twips make one pixel at
// 96 dots per inch. Qt's own high-DPI scaling works on top of these pixels.
inline constexpr double TwipsPerPixel = 15.0;

inline int twipsToPixels(double twips)
{
    return qRound(twips / TwipsPerPixel);
}
inline double pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

// Colours are 0x00BBGGRR values (red in the low byte). A value with the top bit
// set names a system colour by index.
using OleColor = std::uint32_t;
inline constexpr OleColor NoColor = 0xFFFFFFFFu; // a layout that leaves a colour unset
inline constexpr OleColor SysActiveBorder = 0x8000000Au;
inline constexpr OleColor SysButtonFace = 0x8000000Fu;
inline constexpr OleColor SysButtonText = 0x80000012u;
inline constexpr OleColor SysWindowText = 0x80000008u;

QColor toQColor(OleColor colour);
// Gives one colour role of a widget's palette a layout colour.
void setColour(QWidget* widget, QPalette::ColorRole role, OleColor colour);

// A font as the layouts give it: face name, size in points, weight 400 or 700.
struct FontDef {
    const char* name = nullptr;
    double size = 0;
    int weight = 400;
};

// Builds the Qt font for a layout font. Sizes become pixel sizes at 96 dots per
// inch so that text measures the same on every machine; faces that are not
// installed are replaced by the fonts that ship inside the program.
QFont toQFont(const FontDef& font);

// A face's line in pixels: the baseline lies `ascent` below the line's top, the
// next line starts `descent` below the baseline.
struct LineMetrics {
    double ascent = 0;
    double descent = 0;
    double height() const { return ascent + descent; }
};

// The lines of the face a layout named, for a font that toQFont gave a bundled
// substitute of other metrics. None when the font is the layout's own face or
// a substitute with its metrics: Qt's own line metrics are right then.
std::optional<LineMetrics> layoutFaceLines(const QFont& font);

// Registers the bundled fonts. Called once at start.
void loadBundledFonts();

} // namespace tk
