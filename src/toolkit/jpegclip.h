#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

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

// The same clip enlarged smoothly to `enlargedTo` (see Enlargement), always as
// 32-bit colour. The enlargement is made on a second thread while the rows are
// being decoded, so it adds little to the decoding's time.
QImage decodeJpegClip(const QString& path, const QRect& clip, const QSize& enlargedTo);

// What a JPEG's header says about the cost of decoding it.
struct JpegLayout {
    QSize size;
    // Stored in several scans over the whole picture (progressive, or one colour
    // after another): libjpeg keeps every coefficient of the picture in memory and
    // reads the whole file before the first row comes out.
    bool multiScan = false;
    qint64 coefficientBytes = 0; // the memory that takes
    qint64 fileBytes = 0;
};

// The header of a JPEG file; nothing for a file that is no regular file or no JPEG.
std::optional<JpegLayout> readJpegLayout(const QString& path);

// The estimated time, in milliseconds, of decoding the part `clip` in full: for
// a picture of one scan the rows down to the clip's last, for one of several
// scans all of the picture's coefficients and every byte of the file.
double jpegDecodeMillis(const JpegLayout& layout, const QRect& clip);

} // namespace tk
