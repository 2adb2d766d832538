#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>

namespace tk {

class EnlargingJpeg;

// The longest the image control spends decoding a PNG, in milliseconds: when it
// has passed, the control shows what it has, an interlaced picture from the
// passes read so far (coarser), another from its upper rows. The one second that
// a picture may hold a round up leaves room for loading, drawing and a machine
// busy with other work.
inline constexpr int ShowDeadlineMillis = 400;

// What showing a part of a picture costs, judged from the file's header alone.
struct ShowCost {
    // What the image control shows when decoding the part would take longer than
    // ShowDeadlineMillis: it waits for the whole part, or it shows a coarser
    // picture, or the upper rows.
    enum class Beyond { Waits, Coarser, UpperRows };

    double millis = 0; // the estimated time of decoding the part in full
    Beyond beyond = Beyond::Waits;
    bool stepwise = false; // stored in passes over the whole picture: interlaced or progressive
};

// A picture as the game hands it around. Loading reads only the file's header:
// the size is known at once, while the pixels are decoded by the image control
// that shows it, and then only the part that can be seen on its screen. A
// teacher's 4000 x 3000 photo thus costs a small clip instead of 48 MB.
class Picture {
public:
    Picture() = default;

    // Reads a picture file. A missing file is error 53, a file that is no readable
    // picture error 481; both name the file, and 481 says why (Reason): no picture,
    // damaged, unreadable, a format no reader here knows, no regular file, such as
    // a pipe, which is never opened, or too large to read (a JPEG of several scans
    // whose coefficients would take more than a gigabyte). Of an icon file's images
    // the largest is shown.
    static Picture load(const QString& path);
    // A picture stored with the program (a Qt resource); high-DPI variants are used.
    static Picture fromResource(const QString& resource);

    bool isNull() const { return size_.isEmpty(); }
    // The picture's own size in pixels, in the orientation it is shown in.
    QSize size() const { return size_; }
    const QString& path() const { return path_; }

    // Decodes the part `visible` (in picture pixels, shown orientation). Throws
    // error 481 when the file turns out to be unreadable or no longer a regular file.
    // A PNG is decoded for ShowDeadlineMillis at most (see there). On a screen
    // of `ratio` device pixels to a pixel the part is scaled smoothly from its
    // own pixels to the screen's, at the same size.
    QPixmap decode(const QRect& visible, qreal ratio = 1.0) const;
    // For a screen of more device pixels than pixels: the part of an upright
    // JPEG being decoded and enlarged (see EnlargingJpeg), so that it can be
    // shown band by band; null for any other picture, which decode() scales.
    std::unique_ptr<EnlargingJpeg> enlarging(const QRect& visible, qreal ratio) const;
    // decode() without trying that: the part decoded whole, then scaled.
    QPixmap decodeScaled(const QRect& visible, qreal ratio) const;
    // The same as an image. Unlike a pixmap, an image may be made in any thread,
    // so a worker thread can judge a picture file exactly as the game loads it.
    QImage decodeImage(const QRect& visible) const;
    // What decoding the part `visible` costs, from the file's header.
    ShowCost showCost(const QRect& visible) const;
    // The whole picture in shown orientation, scaled down to fit `atMost`, for a
    // PNG or JPEG too large for Qt's reader to read whole; a null image for any
    // other, or one no larger than `atMost`.
    QImage decodeReduced(QSize atMost) const;

private:
    QString path_;
    QSize storedSize_;
    QSize size_;
    int transformation_ = 0;
    QByteArray format_; // as Qt's reader names it: "jpeg", "png", "ico", ...
    int image_ = 0;     // which of the images in an icon file is shown
    QPixmap resource_;
};

// The name of a picture format that no reader here knows ("HEIF", "WebP", "TIFF",
// ...), told by the file's first bytes or else by its extension; empty for
// anything else. This is what error 481 calls Reason::UnknownFormat.
QString foreignPictureFormat(const QString& path);

// Reads a picture stored with the program (a Qt resource) in the format its name
// gives. Not asking every image plugin whether it knows the data matters at
// start: that question alone loads all the plugins, the SVG module included.
QPixmap storedPixmap(const QString& resource);

// The image at the same size on a screen of `ratio` device pixels to a pixel:
// scaled smoothly from its own pixels to the screen's.
QPixmap atRatio(QImage image, qreal ratio);

// Maps a rectangle of the shown picture back to the rectangle of the stored one,
// for a picture whose stored orientation calls for `transformation` (a set of
// QImageIOHandler::Transformation flags).
QRect storedRect(const QRect& shown, const QSize& storedSize, int transformation);

} // namespace tk
