#pragma once

#include <QColor>
#include <QPalette>

namespace tk {

// The system colours, by index, as one scheme: the classic desktop's standard
// scheme, where a window's active border and a button's face are the same grey.
// The about screen relies on that: its background is the border colour and its
// opaque labels have the button face, and on the desktops the layouts were made
// for the two were one surface. An index the scheme does not have gives the
// button face.
QColor systemColour(int index);

// The same scheme as a Qt palette, so that the buttons, text fields and dialogs
// Qt draws itself match the controls that name system colours.
QPalette systemPalette();

} // namespace tk
