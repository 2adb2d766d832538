#include "toolkit/fokusmarke.h"

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

} // namespace

void drawFocusMark(QPainter& painter, const QRect& ring)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, Width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(penPath(ring));
    QPen dashes(Qt::black, Width, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dashes.setDashPattern({2, 1}); // in pen widths: 4 pixels black, 2 white
    painter.setPen(dashes);
    painter.drawRect(penPath(ring));
    painter.restore();
}

void drawEnterFrame(QPainter& painter, const QRect& edge)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, Width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(penPath(edge));
    painter.restore();
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
