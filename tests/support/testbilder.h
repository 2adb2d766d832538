#pragma once

#include <QByteArray>
#include <QImage>
#include <QMap>
#include <QRgb>
#include <QSize>
#include <QString>

// Picture files written byte by byte, for the kinds no writer at hand makes:
// a BMP stored top row first, and pictures far larger than memory would hold.
namespace kbtest {

// A BMP of the picture at 24 or 32 bits a pixel, its rows stored top row first
// (a negative height in its header) or, as most programs write it, bottom row first.
QByteArray bmpDatei(const QImage& bild, int bitsProPixel, bool obenZuerst);

// A PNG of one colour at any size up to 2^31 - 1 pixels a side, one bit a pixel
// (a palette of that colour and white), with or without interlacing. Its data
// stream repeats one compressed block, so a picture of 65535 x 65535 pixels is
// half a megabyte and written in a moment.
void schreibeEinfarbigesPng(const QString& pfad, QSize groesse, bool verschachtelt, QRgb farbe);

// A progressive grey JPEG of any size up to 65500 pixels a side that holds only
// its first scan, the average of each block: every block mid-grey (128). One bit
// a block, so 16000 x 16000 pixels take half a megabyte.
void schreibeGrauesProgressivesJpeg(const QString& pfad, QSize groesse);

// Writes a file with exactly these bytes, its name given as the bytes on disk.
void schreibeDatei(const QByteArray& pfad, const QByteArray& inhalt);
// A picture of one colour in Qt's format of that name ("PNG", "JPEG", "BMP"),
// each call another colour.
QByteArray bildDaten(QSize size, const char* format);
// A JPEG whose camera says "turn a quarter to the right" (EXIF orientation 6).
QByteArray hochkantFoto(QSize gespeichert);
// Puts a file of the given kind into the folder: "png:W:H", "jpeg:W:H",
// "bmpoben:W:H" (a BMP stored top row first), "riese:W:H" and "riese:W:H:z" (a
// PNG of one colour, with interlacing), "progressiv:W:H" (a grey JPEG), "text",
// "halb" (a PNG cut short), "heic".
void lege(const QString& ordner, const QString& name, const QString& art);

// Every file below a folder with a digest of its content; links by their text.
QMap<QString, QByteArray> dateienIn(const QString& ordner);
// Makes a folder one even root may not change (immutable for root, without
// write bits for others), or changeable again.
bool schreibschuetze(const QString& ordner, bool an);

} // namespace kbtest
