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

QImage eingepasst(const QImage& bild)
{
    const QSize ziel = kb::bildflaeche().eingepasst(bild.size());
    if (ziel == bild.size())
        return bild;
    return bild.scaled(ziel, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool speichereBild(const QString& ordner, const QString& name, const QImage& bild, const QByteArray& format)
{
    return ablage::schreibe(ordner, name, [&](QIODevice& ziel) {
        QImageWriter writer(&ziel, format);
        if (format == "jpeg")
            writer.setQuality(90);
        return writer.write(bild);
    });
}

} // namespace kbb
