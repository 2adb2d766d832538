#pragma once

#include <QRect>
#include <QWidget>

class QPainter;

namespace tk {

// The marks that show a child where the keyboard is. The focus mark is a ring two
// pixels wide of black dashes on white, so that it stands out on every colour a
// button or a screen may have. The button that Enter presses carries a solid
// black frame two pixels wide around its edge, as the desktops of old marked
// their default button.
void drawFocusMark(QPainter& painter, const QRect& ring);
void drawEnterFrame(QPainter& painter, const QRect& edge);

// Draws the focus mark over a control whose children would cover a mark the
// control painted itself. It lies over the whole control, takes no mouse and
// no focus, and shows while the control has the focus.
class FocusOverlay : public QWidget {
public:
    explicit FocusOverlay(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tk
