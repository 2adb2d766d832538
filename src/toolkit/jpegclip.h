#pragma once

#include "toolkit/enlargement.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

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

// The same clip decoded on a thread of its own while the calling thread enlarges
// it smoothly (see Enlargement), always as 32-bit colour, band by band, and may
// show each band as soon as it is made. The enlargement thus costs little more
// than the decoding, and showing it hardly more than the last band.
class EnlargingJpeg {
public:
    // Starts decoding the clip, to be enlarged to `enlargedTo` at `ratio` device
    // pixels to a pixel. Null where that is not the way: no regular file, an
    // enlargement smaller than the clip, or no thread to be had (a system at its
    // limit); the caller then decodes first and enlarges after.
    static std::unique_ptr<EnlargingJpeg> start(const QString& path, const QRect& clip,
                                                const QSize& enlargedTo, qreal ratio);
    EnlargingJpeg(const EnlargingJpeg&) = delete;
    EnlargingJpeg& operator=(const EnlargingJpeg&) = delete;
    ~EnlargingJpeg();

    // The enlargement, shared: its rows are written in place as they are made.
    QImage image() const { return enlargement_.result(); }
    // Makes the rows of the enlargement above `rows`; false once the decoding failed.
    bool enlargeTo(int rows) { return enlargement_.enlargeTo(rows); }
    // Makes the rest and waits for the decoding. False means "not done here",
    // as for decodeJpegClip.
    bool finish();

private:
    EnlargingJpeg(std::FILE* file, const QRect& clip, const QSize& enlargedTo, qreal ratio);
    void decodeRows();

    std::FILE* file_;
    QRect clip_;
    Enlargement enlargement_;
    std::thread decoding_;
    bool decoded_ = false; // written by the decoding thread, read after it has ended
};

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
