#include "toolkit/focusmark.h"

#include <QEvent>
#include <QPainter>

namespace tk {

namespace {

constexpr int Width = 2;

// The rectangle a pen of the mark's width covers when drawn along `r`'s inside.
QRectF penPath(const QRect& r)
{
    return QRectF(r).adjusted(Width / 2.0, Width / 2.0, -Width / 2.0, -Width / 2.0);
}

// Draws a pen of the mark's width along the inside of `r`, with sharp corners.
void strokeInside(QPainter& painter, const QRect& r, const QPen& pen)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(pen);
    painter.drawRect(penPath(r));
    painter.restore();
}

} // namespace

void drawFocusMark(QPainter& painter, const QRect& ring)
{
    strokeInside(painter, ring, QPen(Qt::white, Width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    QPen dashes(Qt::black, Width, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dashes.setDashPattern({2, 1}); // in pen widths: 4 pixels black, 2 white
    strokeInside(painter, ring, dashes);
}

void drawEnterFrame(QPainter& painter, const QRect& edge)
{
    strokeInside(painter, edge, QPen(Qt::black, Width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

FocusOverlay::FocusOverlay(QWidget* control) : QWidget(control)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(control->rect());
    setVisible(control->hasFocus());
    control->installEventFilter(this);
}

bool FocusOverlay::eventFilter(QObject* watched, QEvent* event)
{
    auto* control = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        setVisible(control->hasFocus());
        raise();
        break;
    case QEvent::Resize:
        setGeometry(control->rect());
        break;
    default:
        break;
    }
    return false;
}

void FocusOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFocusMark(painter, rect());
}

} // namespace tk
