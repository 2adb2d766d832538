#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Reading a picture as it is seen and writing a smaller copy of it.
namespace kbb {

struct GelesenesBild {
    QImage bild;       // turned as the camera says
    QByteArray format; // Qt's name of the format, "jpeg", "png", ...
};

// A null picture for a file that is no picture, or no ordinary file.
GelesenesBild liesBild(const QString& pfad);

// The picture read straight at the size at which it is seen whole, never
// larger: a large photo is decoded at a fraction of its pixels instead of in
// full and then scaled.
GelesenesBild liesEingepasst(const QString& pfad);

// The picture scaled down until it is seen whole on the presentation screens.
QImage eingepasst(const QImage& bild);

// Writes the picture as a new file through a temporary file; JPEG at quality 90.
class Ablage;
bool speichereBild(const Ablage& ablage, const QString& name, const QImage& bild, const QByteArray& format);
bool speichereBild(const QString& ordner, const QString& name, const QImage& bild, const QByteArray& format);

} // namespace kbb
