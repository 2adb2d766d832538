#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace tk {

// Decodes the part `clip` (stored pixels) of a PNG file and keeps nothing else: the
// rows are unpacked one at a time into a buffer one row wide, the clip's columns
// are copied out, and reading stops after the clip's last row. Qt's own reader
// unpacks the whole picture first, which for a 4000 x 3000 photo costs 48 MB and
// for 20000 x 20000 pixels is more than Qt agrees to allocate at all.
//
// The pixels are those Qt's reader gives, at 8 bits a channel: palettes and grey
// expanded to colour, a transparent colour (tRNS) turned into alpha, 16 bits
// scaled to 8. An interlaced file is unpacked pass by pass, each pass into the
// clip alone, so it costs the time of a full decode but not its memory.
//
// A null image means "not done here": the path is no regular file, the file is no
// PNG, the clip does not lie inside the picture, or libpng reported an error. The
// caller then reads the file with Qt's reader, which decides whether it shows.
QImage decodePngClip(const QString& path, const QRect& clip);

} // namespace tk
