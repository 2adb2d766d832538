#pragma once

#include <QByteArray>
#include <QImage>

// Picture files written byte by byte, for the kinds no writer at hand makes.
namespace kbtest {

// A BMP of the picture at 24 or 32 bits a pixel, its rows stored top row first
// (a negative height in its header) or, as most programs write it, bottom row first.
QByteArray bmpDatei(const QImage& bild, int bitsProPixel, bool obenZuerst);

} // namespace kbtest
