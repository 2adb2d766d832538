#include "bilderordner/kern/bildbearbeitung.h"

#include "bilderordner/kern/ablage.h"
#include "regeln/bildflaeche.h"
#include "toolkit/filenames.h"

#include <QImageReader>
#include <QImageWriter>

namespace kbb {

GelesenesBild liesBild(const QString& pfad)
{
    // A pipe or a device is never opened: reading it may never end.
    if (!tk::isRegularFile(pfad))
        return {};
    QImageReader reader(pfad);
    reader.setAutoTransform(true);
    GelesenesBild g;
    g.format = reader.format();
    g.bild = reader.read();
    return g;
}

GelesenesBild liesEingepasst(const QString& pfad)
{
    QImageReader reader(pfad);
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
