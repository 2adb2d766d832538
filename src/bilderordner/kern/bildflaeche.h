#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace kbb {

// Where a presentation screen shows its picture, in the picture's own pixels: the
// picture's top-left corner is (0, 0). Worked out once from the game's layouts.
struct Bildflaeche {
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

} // namespace kbb
