#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace tk {

// What a PNG's header says about the cost of decoding it.
struct PngLayout {
    QSize size;
    int bitsPerPixel = 0; // as stored: channels times bit depth
    bool interlaced = false;
};

// The header of a PNG file; nothing for a file that is no regular file or no PNG.
std::optional<PngLayout> readPngLayout(const QString& path);

// The time, in milliseconds, that decoding the part `clip` in full takes by the
// estimate below. A picture stored row after row is decoded down to the clip's
// last row. An interlaced one is stored in seven passes over the whole picture,
// each finer than the one before; the clip's pixels lie in all of them, so the
// first six passes (half the pixels) must be decoded before the seventh even
// starts: its cost grows with the whole picture, not with the clip.
double pngDecodeMillis(const PngLayout& layout, const QRect& clip);

// Decodes the part `clip` (stored pixels) of a PNG file and keeps nothing else: the
// rows are unpacked one at a time into a buffer one row wide, the clip's columns
// are copied out, and reading stops after the clip's last row. Qt's own reader
// unpacks the whole picture first, which for a 4000 x 3000 photo costs 48 MB and
// for 20000 x 20000 pixels is more than Qt agrees to allocate at all.
//
// The pixels are those Qt's reader gives, at 8 bits a channel: palettes and grey
// expanded to colour, a transparent colour (tRNS) turned into alpha, 16 bits
// scaled to 8. An interlaced file is read pass by pass; each pixel of a pass
// stands for the block around it that the later passes fill in, so the clip is
// whole after every pass, and exact after the last.
//
// With a deadline (milliseconds from the call) reading stops when it has passed,
// and the clip shows what has been read by then: an interlaced picture coarser, one
// stored row after row its upper rows, the rest transparent.
//
// A null image means "not done here": the path is no regular file, the file is no
// PNG, the clip does not lie inside the picture, or libpng reported an error. The
// caller then reads the file with Qt's reader, which decides whether it shows.
QImage decodePngClip(const QString& path, const QRect& clip, int deadlineMillis = -1);

// The whole picture scaled down to fit `atMost`, each pixel the average of the
// ones it stands for, for pictures too large for Qt's reader. An interlaced
// picture whose first pass (an eighth of each side) is large enough is read from
// that pass alone, a sixty-fourth of the work; any other is read row by row. A
// null image when the picture is no larger than `atMost` on both sides, or as
// for decodePngClip().
QImage decodePngReduced(const QString& path, QSize atMost);

} // namespace tk
