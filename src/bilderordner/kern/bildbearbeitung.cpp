#include "bilderordner/kern/bildbearbeitung.h"

#include "bilderordner/kern/ablage.h"
#include "regeln/bildflaeche.h"
#include "toolkit/filenames.h"
#include "toolkit/picture.h"
#include "toolkit/runtimeerror.h"

#include <QImageReader>
#include <QImageWriter>

namespace kbb {

namespace {

// Whether Qt's reader would refuse to hold the whole picture.
bool zuGrossFuerQt(const QSize& groesse)
{
    return qint64(groesse.width()) * groesse.height() * 4 >
           qint64(QImageReader::allocationLimit()) * 1024 * 1024;
}

} // namespace

GelesenesBild liesBild(const QString& pfad)
{
    // A pipe or a device is never opened: reading it may never end.
    if (!tk::isRegularFile(pfad))
        return {};
    QImageReader reader(pfad);
    reader.setAutoTransform(true);
    GelesenesBild g;
    g.format = reader.format();
    // A picture of more pixels than Qt's reader agrees to hold is read reduced,
    // to the size it will be saved at: never larger than the picture area.
    if ((g.format == "png" || g.format == "jpeg") && zuGrossFuerQt(reader.size())) {
        try {
            g.bild = tk::Picture::load(pfad).decodeReduced(kb::bildflaeche().sichtbar);
        } catch (const tk::RuntimeError&) {
        }
        return g;
    }
    g.bild = reader.read();
    return g;
}

GelesenesBild liesEingepasst(const QString& pfad)
{
    QImageReader reader(pfad);
    // A file that is none, or a picture too large for Qt's reader, takes the
    // careful way.
    if (!tk::isRegularFile(pfad) ||
        ((reader.format() == "png" || reader.format() == "jpeg") && zuGrossFuerQt(reader.size())))
        return liesBild(pfad);
    reader.setAutoTransform(true);
    GelesenesBild g;
    g.format = reader.format();
    // The size is that of the stored picture; a quarter turn swaps it on screen.
    const bool gedreht = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize gespeichert = reader.size();
    if (gespeichert.isValid()) {
        const QSize gezeigt = gedreht ? gespeichert.transposed() : gespeichert;
        const QSize ziel = kb::bildflaeche().eingepasst(gezeigt);
        if (ziel != gezeigt)
            reader.setScaledSize(gedreht ? ziel.transposed() : ziel);
    }
    g.bild = reader.read();
    return g;
}

QImage eingepasst(const QImage& bild)
{
    const QSize ziel = kb::bildflaeche().eingepasst(bild.size());
    if (ziel == bild.size())
        return bild;
    return bild.scaled(ziel, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool speichereBild(const Ablage& ablage, const QString& name, const QImage& bild, const QByteArray& format)
{
    return ablage.schreibe(name, [&](QIODevice& ziel) {
        QImageWriter writer(&ziel, format);
        if (format == "jpeg")
            writer.setQuality(90);
        return writer.write(bild);
    });
}

bool speichereBild(const QString& ordner, const QString& name, const QImage& bild, const QByteArray& format)
{
    return speichereBild(Ablage(ordner), name, bild, format);
}

} // namespace kbb
