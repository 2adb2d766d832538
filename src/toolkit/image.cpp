#include "toolkit/controls.h"

#include "toolkit/form.h"
#include "toolkit/jpegclip.h"
#include "toolkit/units.h"

#include <QLabel>
#include <QPainter>

namespace tk {

namespace {

// How many rows of a growing enlargement are drawn at a time: few, so that
// the control keeps close behind the decoding and little is left after it.
constexpr int PaintBand = 16;

// A label that copies an opaque picture of the screen's own pixels straight to
// the screen. Qt's painter copies a picture of 1.8 device pixels to a pixel, as at
// a board, pixel by pixel through its scaling code, even though nothing is
// scaled; that took three times as long as the copy.
//
// At a board a photo is shown while it is still being decoded: the label paints
// each band of the enlargement as soon as it is made, so that the photo is on
// the screen almost as soon as its last row is decoded.
class PictureLabel final : public QLabel {
public:
    using QLabel::QLabel;

    // Shows `growing` as it is made, and returns it once it is complete; null
    // where its decoding failed, and then the label shows what it showed before.
    QPixmap showGrowing(EnlargingJpeg& growing)
    {
        const QPixmap before = pixmap();
        const QImage image = growing.image();
        const QPixmap pixels = QPixmap::fromImage(image, Qt::NoFormatConversion);
        // Only a pixmap that shares the enlargement's rows can be shown growing.
        if (pixels.toImage().constBits() == image.constBits() &&
            image.devicePixelRatio() == devicePixelRatio()) {
            showOpaque(pixels);
            growing_ = &growing;
            repaint();
            growing_ = nullptr;
        }
        if (growing.finish())
            return pixels;
        showOpaque(before);
        return {};
    }

    void showOpaque(const QPixmap& pixels)
    {
        // A picture without transparency covers the visible part of the control, so
        // the screen behind it need not be painted first; at a board that halves the
        // cost of showing a photo.
        const bool opaque = !pixels.isNull() && !pixels.hasAlphaChannel();
        setAttribute(Qt::WA_TranslucentBackground, !opaque);
        setAttribute(Qt::WA_OpaquePaintEvent, opaque);
        setPixmap(pixels);
    }

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
        QPainter painter(this);
        painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
        // A finished picture goes in one piece; a growing one band by band.
        const int band = growing_ ? PaintBand : std::max(image.height(), 1);
        for (int top = 0; top < image.height(); top += band) {
            const int rows = std::min(band, image.height() - top);
            if (growing_ && !growing_->enlargeTo(top + rows))
                return;
            const QImage band(image.constScanLine(top), image.width(), rows, image.bytesPerLine(),
                              image.format());
            painter.drawImage(QPointF(0, top), band);
        }
    }

private:
    EnlargingJpeg* growing_ = nullptr;
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
    auto* l = static_cast<PictureLabel*>(widget_.data());
    const QPoint at = l->mapTo(form_.window(), QPoint(0, 0));
    const QSize client = form_.window()->size();
    const QRect visible(0, 0, client.width() - at.x(), client.height() - at.y());
    const qreal ratio = l->devicePixelRatio();
    const auto takeSize = [&] {
        if (!picture.isNull())
            resize(pixelsToTwips(picture.size().width()), pixelsToTwips(picture.size().height()));
    };
    // A photo at a board is shown while it is decoded, in its place and size.
    if (const std::unique_ptr<EnlargingJpeg> growing = picture.enlarging(visible, ratio)) {
        const double width = width_, height = height_;
        takeSize();
        if (!l->showGrowing(*growing).isNull()) {
            picture_ = picture;
            return;
        }
        // Decoded anew below, which may end the program with a run-time error:
        // until then the screen stays as it was.
        resize(width, height);
    }
    const QPixmap pixels = picture.decodeScaled(visible, ratio);
    picture_ = picture;
    l->showOpaque(pixels);
    takeSize();
}

} // namespace tk
