#include "toolkit/controls.h"

#include "toolkit/form.h"
#include "toolkit/units.h"

#include <QLabel>
#include <QPainter>

namespace tk {

namespace {

// A label that copies an opaque picture of the screen's own pixels straight to
// the screen. Qt's painter copies a picture of 1.8 device pixels to a pixel, as at
// a board, pixel by pixel through its scaling code, even though nothing is
// scaled; that took three times as long as the copy.
class PictureLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const QPixmap shown = pixmap();
        const qreal ratio = shown.devicePixelRatio();
        if (ratio == 1.0 || ratio != devicePixelRatio() || shown.hasAlphaChannel()) {
            QLabel::paintEvent(event);
            return;
        }
        const QImage image = shown.toImage();
        const QImage pixels(image.constBits(), image.width(), image.height(), image.bytesPerLine(),
                            image.format());
        QPainter painter(this);
        painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
        painter.drawImage(QPointF(0, 0), pixels);
    }
};

} // namespace

Image::Image(Form& form, const ControlDef& def, QWidget* parent) : ControlOf(form, def)
{
    auto* l = new PictureLabel(parent);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setFocusPolicy(Qt::NoFocus);
    l->setAttribute(Qt::WA_TranslucentBackground);
    attach(l, def);
    if (def.picture && *def.picture)
        setPicture(Picture::fromResource(QString::fromUtf8(def.picture)));
}

void Image::setPicture(const Picture& picture)
{
    auto* l = static_cast<QLabel*>(widget_.data());
    const QPoint at = l->mapTo(form_.window(), QPoint(0, 0));
    const QSize client = form_.window()->size();
    const QRect visible(0, 0, client.width() - at.x(), client.height() - at.y());
    const QPixmap pixels = picture.decode(visible, l->devicePixelRatio());
    picture_ = picture;
    // A picture without transparency covers the visible part of the control, so
    // the screen behind it need not be painted first; at a board that halves the
    // cost of showing a photo.
    const bool opaque = !pixels.isNull() && !pixels.hasAlphaChannel();
    l->setAttribute(Qt::WA_TranslucentBackground, !opaque);
    l->setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    l->setPixmap(pixels);
    if (!picture.isNull()) {
        width_ = pixelsToTwips(picture.size().width());
        height_ = pixelsToTwips(picture.size().height());
    }
    applyGeometry();
}

} // namespace tk
