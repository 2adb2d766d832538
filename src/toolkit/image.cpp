#include "toolkit/controls.h"

#include "toolkit/form.h"
#include "toolkit/units.h"

#include <QLabel>

namespace tk {

Image::Image(Form& form, const ControlDef& def, QWidget* parent) : ControlOf(form, def)
{
    auto* l = new QLabel(parent);
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
