#pragma once

#include "regeln/stufen.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace kb {

// Where a presentation screen shows its picture, in pixels at 96 dpi, worked out
// once from the rules' geometry. `ecke` and `schirm` are in the screen's client
// area; the rest in the picture's own pixels, its top-left corner at (0, 0).
struct Bildflaeche {
    // The client area of a presentation screen in the classic frame, and the
    // picture's top-left corner in it.
    QSize schirm;
    QPoint ecke;
    // The part of the window right of and below the picture's corner.
    QSize sichtbar;
    // The buttons that lie over the picture on the levels that show them.
    QList<QRect> knoepfe;
    // What the game decodes of a picture when it shows it, in the largest client
    // area a window of the game's outer size can have (no frame at all).
    QRect dekodiert;

    // True when a picture of this size is seen whole: inside the visible part and
    // under no button.
    bool zeigtGanz(QSize bild) const;
    // The largest size of the same shape, never larger than `bild`, that is seen whole.
    QSize eingepasst(QSize bild) const;
};

const Bildflaeche& bildflaeche();

// The button cmdweiter of a level in its screen's client area.
QRect weiterknopf(const Stufe& stufe);

// The word button of the answer boards, in pixels.
QSize wortknopf();

} // namespace kb
