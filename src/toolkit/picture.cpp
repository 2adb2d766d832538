#include "toolkit/picture.h"

#include "toolkit/enlargement.h"
#include "toolkit/filenames.h"
#include "toolkit/jpegclip.h"
#include "toolkit/pngclip.h"
#include "toolkit/runtimeerror.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageIOHandler>
#include <QImageReader>
#include <QTransform>
#include <limits>
#include <optional>

namespace tk {

namespace {

// The screen's pixels for `shown` pixels of a picture at `ratio`.
QSize atPixels(const QSize& shown, qreal ratio)
{
    return {qMax(1, qRound(shown.width() * ratio)), qMax(1, qRound(shown.height() * ratio))};
}

// The transform that takes stored coordinates to shown ones, in the order Qt's
// reader applies the orientation: a quarter turn on its own, or mirror and flip
// first and then a quarter turn clockwise.
QTransform storedToShown(const QSize& stored, int t)
{
    const double w = stored.width();
    const double h = stored.height();
    if (t == QImageIOHandler::TransformationRotate270)
        return QTransform(0, -1, 1, 0, 0, w);
    QTransform m;
    if (t & QImageIOHandler::TransformationMirror)
        m = m * QTransform(-1, 0, 0, 1, w, 0);
    if (t & QImageIOHandler::TransformationFlip)
        m = m * QTransform(1, 0, 0, -1, 0, h);
    if (t & QImageIOHandler::TransformationRotate90)
        m = m * QTransform(0, 1, -1, 0, h, 0);
    return m;
}

// A drawing stored with the program may have a twin at twice the pixels,
// "name@2x.png" beside "name.png". On a screen of twice the pixel density the twin
// is drawn, so the drawing stays sharp at the same size; the reader takes the
// ratio from the "@2x" in the name. At any other density above 1 the twin is
// scaled smoothly to the screen's pixels once, rather than by every paint
// without smoothing.
QPixmap resourceForScreen(const QString& resource)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    const qsizetype dot = resource.lastIndexOf(QLatin1Char('.'));
    if (ratio > 1.0 && dot > 0) {
        const QString twin = resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
        if (QFile::exists(twin)) {
            QPixmap pixels = storedPixmap(twin);
            if (!pixels.isNull())
                return ratio == pixels.devicePixelRatio() ? pixels : atRatio(pixels.toImage(), ratio);
        }
    }
    return storedPixmap(resource);
}

// Turns a decoded part of a picture from its stored orientation into the shown
// one, as Qt's reader does it: a quarter turn on its own, or mirror and flip
// first and then a quarter turn clockwise.
QImage turnedToShown(QImage image, int t)
{
    if (t == QImageIOHandler::TransformationRotate270)
        return image.transformed(QTransform().rotate(270));
    image = std::move(image).mirrored(t & QImageIOHandler::TransformationMirror,
                                      t & QImageIOHandler::TransformationFlip);
    if (t & QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(90));
    return image;
}

// An icon file holds one drawing in several sizes; the largest by area is shown,
// and the reader is left at it. Qt's reader gives each image's size from the
// icon's directory, without decoding it.
int largestImage(QImageReader& reader)
{
    if (reader.format() != "ico" && reader.format() != "cur")
        return 0;
    int best = 0;
    qint64 bestArea = -1;
    for (int i = 0, count = reader.imageCount(); i < count && reader.jumpToImage(i); ++i) {
        const QSize size = reader.size();
        if (qint64(size.width()) * size.height() > bestArea)
            best = i, bestArea = qint64(size.width()) * size.height();
    }
    reader.jumpToImage(best);
    return best;
}

// The picture's size as its header gives it. A BMP stored top row first says so
// by a negative height, which Qt's reader hands on as it is, although it reads
// such a file the right way up: the size is that height without its sign.
QSize storedSizeOf(QImageReader& reader)
{
    const QSize size = reader.size();
    if (reader.format() == "bmp" && size.height() < 0 && size.height() > std::numeric_limits<int>::min())
        return {size.width(), -size.height()};
    return size;
}

// A JPEG of several scans (progressive, say) holds all its coefficients in memory
// while it is read, two bytes each: 8.6 GB for 65500 x 65500 grey pixels. A
// camera's largest photo needs a few hundred megabytes; beyond a gigabyte the
// picture is refused, before any memory is taken.
constexpr qint64 JpegCoefficientLimit = qint64(1) << 30;

// Qt's readers decode the other formats whole; a 4000 x 4000 BMP took 10 ns a
// pixel on the reference machine while it was busy with other builds.
constexpr double WholeDecodeNanos = 10.0;

bool tooLargeToRead(const QString& path, const QByteArray& format)
{
    if (format != "jpeg")
        return false;
    const std::optional<JpegLayout> layout = readJpegLayout(path);
    return layout && layout->multiScan && layout->coefficientBytes > JpegCoefficientLimit;
}

// JPEG and PNG files have decoders of their own for a part of the picture; a
// null image leaves the file to Qt's reader.
QImage decodedClip(const QString& path, const QByteArray& format, const QRect& clip)
{
    if (format == "jpeg")
        return decodeJpegClip(path, clip);
    if (format == "png")
        return decodePngClip(path, clip, ShowDeadlineMillis);
    return {};
}

// Picture formats that no reader here knows, told by their first bytes: HEIF and
// AVIF from phones, WebP from the web, TIFF (and the camera raw formats built on
// it), Photoshop, GIMP, JPEG XL, JPEG 2000 and SVG. Gives the format's name.
QString foreignFormatOfContent(const QByteArray& head)
{
    static const QList<QByteArray> isoBrands = {"heic", "heix", "hevc", "heim", "heis", "hevm",
                                                "hevs", "mif1", "msf1", "avif", "avis"};
    if (head.mid(4, 4) == "ftyp" && isoBrands.contains(head.mid(8, 4)))
        return head.mid(8, 2) == "av" ? QStringLiteral("AVIF") : QStringLiteral("HEIF");
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return QStringLiteral("WebP");
    static const std::pair<QByteArray, const char*> magics[] = {
        {QByteArray("II*\0", 4), "TIFF"},
        {QByteArray("MM\0*", 4), "TIFF"},
        {QByteArray("8BPS"), "Photoshop"},
        {QByteArray("gimp xcf"), "GIMP"},
        {QByteArray("\xFF\x0A", 2), "JPEG XL"},
        {QByteArray("\0\0\0\x0CJXL ", 8), "JPEG XL"},
        {QByteArray("\0\0\0\x0CjP  ", 8), "JPEG 2000"},
        {QByteArray("\xFF\x4F\xFF\x51", 4), "JPEG 2000"}};
    for (const auto& [magic, name] : magics)
        if (head.startsWith(magic))
            return QString::fromLatin1(name);
    return head.contains("<svg") ? QStringLiteral("SVG") : QString();
}

// The same formats told by the file's extension, for a file whose first bytes say
// nothing a reader here knows.
QString foreignFormatOfName(const QString& path)
{
    static const QStringList suffixes = {
        QStringLiteral("heic"), QStringLiteral("heif"), QStringLiteral("webp"), QStringLiteral("avif"),
        QStringLiteral("jxl"),  QStringLiteral("tif"),  QStringLiteral("tiff"), QStringLiteral("svg"),
        QStringLiteral("psd"),  QStringLiteral("xcf"),  QStringLiteral("dng"),  QStringLiteral("cr2"),
        QStringLiteral("nef"),  QStringLiteral("arw"),  QStringLiteral("jp2"),  QStringLiteral("raw")};
    const QString suffix = QFileInfo(path).suffix();
    return suffixes.contains(suffix.toLower()) ? suffix.toUpper() : QString();
}

QString foreignFormat(QFile& file)
{
    const QString byContent = foreignFormatOfContent(file.read(4096));
    return byContent.isEmpty() ? foreignFormatOfName(file.fileName()) : byContent;
}

// Why no reader here can read a file that it can open: a format it does not
// know, or no picture at all.
Reason unknownContent(QFile& file)
{
    return foreignFormat(file).isEmpty() ? Reason::NoPicture : Reason::UnknownFormat;
}

} // namespace

QString foreignPictureFormat(const QString& path)
{
    QFile file(path);
    return isRegularFile(path) && file.open(QIODevice::ReadOnly) ? foreignFormat(file) : QString();
}

QPixmap storedPixmap(const QString& resource)
{
    QImageReader reader(resource, QFileInfo(resource).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull())
        return QPixmap(resource); // named for another format than it has
    return QPixmap::fromImage(std::move(image));
}

QRect storedRect(const QRect& shown, const QSize& storedSize, int transformation)
{
    const QTransform back = storedToShown(storedSize, transformation).inverted();
    return back.mapRect(QRectF(shown)).toAlignedRect() & QRect(QPoint(0, 0), storedSize);
}

Picture Picture::load(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw RuntimeError::fileNotFound(path);
    if (!isRegularFile(path))
        throw RuntimeError::invalidPicture(path, Reason::SpecialFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError::invalidPicture(path, Reason::Unreadable);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // canRead() comes first: Qt's icon reader refuses once it has been asked for a size.
    if (!reader.canRead())
        throw RuntimeError::invalidPicture(path, unknownContent(file));
    Picture p;
    p.format_ = reader.format();
    if (tooLargeToRead(path, p.format_))
        throw RuntimeError::invalidPicture(path, Reason::TooLarge);
    p.image_ = largestImage(reader);
    const QSize stored = storedSizeOf(reader);
    if (!stored.isValid() || stored.isEmpty())
        throw RuntimeError::invalidPicture(path, Reason::Damaged);
    p.path_ = path;
    p.storedSize_ = stored;
    p.transformation_ = int(reader.transformation());
    p.size_ = (p.transformation_ & QImageIOHandler::TransformationRotate90) ? stored.transposed() : stored;
    return p;
}

Picture Picture::fromResource(const QString& resource)
{
    Picture p;
    p.resource_ = resourceForScreen(resource);
    p.size_ = p.resource_.deviceIndependentSize().toSize();
    return p;
}

QPixmap Picture::decode(const QRect& visible, qreal ratio) const
{
    if (const std::unique_ptr<EnlargingJpeg> growing = enlarging(visible, ratio);
        growing && growing->finish())
        return QPixmap::fromImage(growing->image());
    return decodeScaled(visible, ratio);
}

QPixmap Picture::decodeScaled(const QRect& visible, qreal ratio) const
{
    if (!resource_.isNull())
        return resource_;
    QImage image = decodeImage(visible);
    if (image.isNull())
        return QPixmap();
    return ratio == 1.0 ? QPixmap::fromImage(std::move(image)) : atRatio(std::move(image), ratio);
}

std::unique_ptr<EnlargingJpeg> Picture::enlarging(const QRect& visible, qreal ratio) const
{
    const QRect shown = visible & QRect(QPoint(0, 0), size_);
    if (ratio <= 1.0 || format_ != "jpeg" || transformation_ != 0 || shown.isEmpty())
        return nullptr;
    return EnlargingJpeg::start(path_, shown, atPixels(shown.size(), ratio), ratio);
}

// Enlarging is done by our own smooth enlargement, which is what a JPEG at a
// board gets as well, so that every picture looks alike there.
QPixmap atRatio(QImage image, qreal ratio)
{
    const QSize pixels = atPixels(image.deviceIndependentSize().toSize(), ratio);
    const bool ours =
        (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied) &&
        pixels.width() >= image.width() && pixels.height() >= image.height();
    QImage scaled = image.size() == pixels ? std::move(image)
                    : ours                 ? enlarged(image, pixels)
                           : image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(std::move(scaled));
}

QImage Picture::decodeImage(const QRect& visible) const
{
    if (!resource_.isNull())
        return resource_.toImage();
    const QRect shown = visible & QRect(QPoint(0, 0), size_);
    if (shown.isEmpty())
        return {};
    if (!isRegularFile(path_))
        throw RuntimeError::invalidPicture(path_, Reason::SpecialFile);
    const QRect stored = storedRect(shown, storedSize_, transformation_);
    QImage part = decodedClip(path_, format_, stored);
    if (!part.isNull())
        return turnedToShown(std::move(part), transformation_);
    QImageReader reader(path_);
    reader.setAutoTransform(true);
    if (image_ > 0)
        reader.jumpToImage(image_);
    if (shown != QRect(QPoint(0, 0), size_))
        reader.setClipRect(stored);
    QImage image = reader.read();
    if (image.isNull())
        throw RuntimeError::invalidPicture(path_, Reason::Damaged);
    return image;
}

ShowCost Picture::showCost(const QRect& visible) const
{
    ShowCost cost;
    const QRect shown = visible & QRect(QPoint(0, 0), size_);
    if (!resource_.isNull() || shown.isEmpty())
        return cost;
    const QRect stored = storedRect(shown, storedSize_, transformation_);
    if (format_ == "png") {
        if (const std::optional<PngLayout> layout = readPngLayout(path_)) {
            cost.millis = pngDecodeMillis(*layout, stored);
            cost.stepwise = layout->interlaced;
            cost.beyond = layout->interlaced ? ShowCost::Beyond::Coarser : ShowCost::Beyond::UpperRows;
        }
    } else if (format_ == "jpeg") {
        if (const std::optional<JpegLayout> layout = readJpegLayout(path_)) {
            cost.millis = jpegDecodeMillis(*layout, stored);
            cost.stepwise = layout->multiScan;
        }
    } else {
        cost.millis = double(storedSize_.width()) * storedSize_.height() * WholeDecodeNanos / 1e6;
    }
    return cost;
}

QImage Picture::decodeReduced(QSize atMost) const
{
    const bool turned = transformation_ & QImageIOHandler::TransformationRotate90;
    const QSize storedAtMost = turned ? atMost.transposed() : atMost;
    if (resource_.isNull() && format_ == "png")
        if (QImage reduced = decodePngReduced(path_, storedAtMost); !reduced.isNull())
            return turnedToShown(std::move(reduced), transformation_);
    if (!resource_.isNull() || format_ != "jpeg" || !isRegularFile(path_) ||
        (storedSize_.width() <= storedAtMost.width() && storedSize_.height() <= storedAtMost.height()))
        return {};
    // libjpeg decodes at an eighth of the size and more cheaply; Qt's reader
    // scales in stored orientation and turns afterwards.
    QImageReader reader(path_);
    reader.setAutoTransform(true);
    reader.setScaledSize(storedSize_.scaled(storedAtMost, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

} // namespace tk
