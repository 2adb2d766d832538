#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace tk {

// Decodes the part `clip` (stored pixels, stored orientation) of a JPEG file, and
// nothing to the right of it: the rows down to the clip's bottom have to be read,
// but only the columns of the clip are turned into pixels. Qt's own reader turns
// every column of those rows into pixels, which for the top-left part of a
// 4000 x 3000 photo is six times the work.
//
// The pixels are those Qt's reader gives for the same part (the same fast
// decoding Qt chooses by default). A null image means "not done here": the path
// is no regular file, the file is no plain grey or colour JPEG, or libjpeg reported anything at all, even a
// warning. The caller then reads the file with Qt's reader, which decides, exactly
// as before, whether it shows or is unreadable.
QImage decodeJpegClip(const QString& path, const QRect& clip);

} // namespace tk
