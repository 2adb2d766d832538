#pragma once

// Comparing what the screens draw: pictures as a whole and block by block, the
// ink of a line of text, and how a picture was enlarged.
#include <QFont>
#include <QImage>
#include <QString>
#include <utility>

namespace kbtest {

// The columns a line of text inks as a screen draws it: in its font at the
// pixel ratio `faktor`, the left end of its baseline at `links` (pixels of the
// layout). In device pixels, counted from the control's left edge; an empty
// span for a line without ink.
std::pair<double, double> tinte(const QFont& schrift, const QString& text, double links, double faktor);

// The mean difference of the colour channels of two pictures of one size.
double abstand(const QImage& a, const QImage& b);

// The share of a picture's rows that repeat the row above exactly: a photo
// enlarged by repeating its pixels repeats nearly every other row (4 of 9 at
// 1.8), one scaled smoothly hardly any.
double wiederholteZeilen(const QImage& bild);

// The largest difference of a colour channel between the average colours of
// two pictures of one size, block by block of 10 x 10 pixels. Edges drawn
// smoother or a glyph's ink a little apart change a block's average only a
// little; a control missing, a picture or a colour not as it should be change
// it much.
int groessterUnterschied(const QImage& a, const QImage& b);

} // namespace kbtest
