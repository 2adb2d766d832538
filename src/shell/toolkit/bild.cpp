#include "shell/toolkit/bild.h"

#include "shell/toolkit/laufzeitfehler.h"

#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QTransform>

namespace tk {

namespace {

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

} // namespace

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
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!info.isFile() || !reader.canRead() || !stored.isValid() || stored.isEmpty())
        throw RuntimeError::invalidPicture(path);
    Picture p;
    p.path_ = path;
    p.storedSize_ = stored;
    p.transformation_ = int(reader.transformation());
    p.size_ = (p.transformation_ & QImageIOHandler::TransformationRotate90) ? stored.transposed() : stored;
    return p;
}

Picture Picture::fromResource(const QString& resource)
{
    Picture p;
    p.resource_ = QPixmap(resource);
    p.size_ = p.resource_.deviceIndependentSize().toSize();
    return p;
}

QPixmap Picture::decode(const QRect& visible) const
{
    if (!resource_.isNull())
        return resource_;
    const QRect shown = visible & QRect(QPoint(0, 0), size_);
    if (shown.isEmpty())
        return {};
    QImageReader reader(path_);
    reader.setAutoTransform(true);
    if (shown != QRect(QPoint(0, 0), size_))
        reader.setClipRect(storedRect(shown, storedSize_, transformation_));
    QImage image = reader.read();
    if (image.isNull())
        throw RuntimeError::invalidPicture(path_);
    return QPixmap::fromImage(std::move(image));
}

} // namespace tk
