#include "toolkit/jpegclip.h"

#include "toolkit/enlargement.h"
#include "toolkit/filenames.h"
#include "toolkit/jpegsource.h"
#include "toolkit/processors.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <system_error>

namespace tk {

namespace {

// libjpeg reports errors by calling error_exit, which must not return: it jumps
// back to decode(). Warnings are only counted.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf back;
    int warnings = 0;
};

void jumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->back, 1);
}

void countWarning(j_common_ptr info, int level)
{
    if (level < 0)
        ++reinterpret_cast<ErrorJump*>(info->err)->warnings;
}

bool plainJpeg(const jpeg_decompress_struct& info, const QRect& clip)
{
    const bool grey = info.num_components == 1 && info.jpeg_color_space == JCS_GRAYSCALE;
    const bool colour =
        info.num_components == 3 && (info.jpeg_color_space == JCS_YCbCr || info.jpeg_color_space == JCS_RGB);
    return (grey || colour) && QRect(0, 0, int(info.image_width), int(info.image_height)).contains(clip);
}

// Decodes the clip from a decompressor that has read the header. libjpeg may
// jump out of here back to decode(); nothing here needs cleaning up then. With
// `enlargement` the rows go to it, else into `*image`; with it every picture comes
// out in colour, and the enlargement hears of each band of rows.
bool readClip(jpeg_decompress_struct& info, const QRect& clip, QImage* image, Enlargement* enlargement)
{
    const bool grey = info.num_components == 1 && !enlargement;
    const int bytes = grey ? 1 : 4;
    // libjpeg's default decoding, as Qt's reader uses it at its default quality.
    info.out_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    // The outermost columns of a cropped row are smoothed as if they were the
    // picture's edge, so the crop reaches one block group beyond the clip on both
    // sides; libjpeg then widens it to whole block groups. `left` is where the
    // clip starts in the decoded row.
    const int margin = DCTSIZE * info.max_h_samp_factor;
    const int from = std::max(clip.x() - margin, 0);
    const int to = std::min(clip.x() + clip.width() + margin, int(info.image_width));
    JDIMENSION x = JDIMENSION(from), width = JDIMENSION(to - from);
    jpeg_crop_scanline(&info, &x, &width);
    const std::size_t left = std::size_t(clip.x() - int(x)) * std::size_t(bytes);
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               width * JDIMENSION(bytes), 1);
    if (!enlargement) {
        *image = QImage(clip.size(), grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
        if (image->isNull())
            return false;
    }
    if (clip.y() > 0)
        jpeg_skip_scanlines(&info, JDIMENSION(clip.y()));
    // A band of rows at a time, so that the enlarging thread is woken seldom;
    // the last rows in small bands, so that it is done soon after them.
    constexpr int Band = 32, LastBand = 4;
    for (int y = 0; y < clip.height(); ++y) {
        jpeg_read_scanlines(&info, row, 1);
        uchar* to = enlargement ? reinterpret_cast<uchar*>(enlargement->rowToFill(y)) : image->scanLine(y);
        if (!to)
            return false; // the enlargement was given up
        std::memcpy(to, row[0] + left, std::size_t(clip.width()) * std::size_t(bytes));
        const int band = y + 1 + Band > clip.height() ? LastBand : Band;
        if (enlargement && ((y + 1) % band == 0 || y + 1 == clip.height()))
            enlargement->rowsReady(y + 1);
    }
    return true;
}

// Reads a JPEG's header and hands the decompressor to `step`. Everything
// between setjmp and the end of `step` is plain data or owned by libjpeg's
// pools, so that a jump back leaks nothing; images live in the caller. Returns
// false on any error, and with `strict` on any warning too. Decoding reads
// ahead (see readAheadFrom); reading the header alone takes no more than it needs.
template <typename Step> bool withHeader(std::FILE* file, bool strict, Step step)
{
    jpeg_decompress_struct info;
    ErrorJump error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jumpBack;
    error.manager.emit_message = countWarning;
    if (setjmp(error.back)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    if (strict)
        readAheadFrom(info, file);
    else
        jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    const bool done = step(info);
    jpeg_destroy_decompress(&info);
    return done && (!strict || error.warnings == 0);
}

bool decode(std::FILE* file, const QRect& clip, QImage* image, Enlargement* enlargement)
{
    return withHeader(file, true, [&](jpeg_decompress_struct& info) {
        return plainJpeg(info, clip) && readClip(info, clip, image, enlargement);
    });
}

// The decoding time measured on the reference machine (2 cores shared with other
// builds, libjpeg-turbo 2.1.5): a 4000 x 3000 photo of one scan shows its top
// 556 rows in about 10 ns a pixel of those rows; a progressive 8000 x 6000 photo
// of 16.7 MB takes 650 ms, a progressive 16000 x 16000 grey picture of 0.5 MB
// 375 ms. Per coefficient 2 ns and per byte of the file 40 ns lie above both.
constexpr double RowPixelNanos = 12.0;
constexpr double CoefficientNanos = 2.0;
constexpr double FileByteNanos = 40.0;

bool readLayout(std::FILE* file, JpegLayout& layout)
{
    return withHeader(file, false, [&](jpeg_decompress_struct& info) {
        layout.size = QSize(int(info.image_width), int(info.image_height));
        layout.multiScan = jpeg_has_multiple_scans(&info);
        for (int c = 0; c < info.num_components; ++c)
            layout.coefficientBytes += qint64(info.comp_info[c].width_in_blocks) *
                                       qint64(info.comp_info[c].height_in_blocks) * DCTSIZE2 *
                                       qint64(sizeof(JCOEF));
        return true;
    });
}

std::FILE* openJpeg(const QString& path)
{
    return std::fopen(QFile::encodeName(path).constData(), "rb");
}

} // namespace

std::optional<JpegLayout> readJpegLayout(const QString& path)
{
    if (!isRegularFile(path))
        return std::nullopt;
    std::FILE* file = openJpeg(path);
    if (!file)
        return std::nullopt;
    JpegLayout layout;
    const bool read = readLayout(file, layout);
    std::fclose(file);
    layout.fileBytes = QFileInfo(path).size();
    return read ? std::optional(layout) : std::nullopt;
}

double jpegDecodeMillis(const JpegLayout& layout, const QRect& clip)
{
    if (layout.multiScan)
        return (double(layout.coefficientBytes) / double(sizeof(JCOEF)) * CoefficientNanos +
                double(layout.fileBytes) * FileByteNanos) /
               1e6;
    return double(std::min(clip.bottom() + 1, layout.size.height())) * layout.size.width() * RowPixelNanos /
           1e6;
}

QImage decodeJpegClip(const QString& path, const QRect& clip)
{
    if (clip.isEmpty() || !isRegularFile(path))
        return {};
    std::FILE* file = openJpeg(path);
    if (!file)
        return {};
    QImage image;
    const bool done = decode(file, clip, &image, nullptr);
    std::fclose(file);
    return done ? image : QImage();
}

std::unique_ptr<EnlargingJpeg> EnlargingJpeg::start(const QString& path, const QRect& clip,
                                                    const QSize& enlargedTo, qreal ratio)
{
    if (clip.isEmpty() || enlargedTo.width() < clip.width() || enlargedTo.height() < clip.height() ||
        !isRegularFile(path))
        return nullptr;
    std::FILE* file = openJpeg(path);
    if (!file)
        return nullptr;
    std::unique_ptr<EnlargingJpeg> growing(new EnlargingJpeg(file, clip, enlargedTo, ratio));
    // The two threads work side by side, so the decoding one keeps off this one's processor.
    const int enlarging = currentProcessor();
    try {
        growing->decoding_ = std::thread([g = growing.get(), enlarging] {
            leaveProcessor(enlarging);
            g->decodeRows();
        });
    } catch (const std::system_error&) {
        return nullptr;
    }
    return growing;
}

EnlargingJpeg::EnlargingJpeg(std::FILE* file, const QRect& clip, const QSize& enlargedTo, qreal ratio)
    : file_(file), clip_(clip), enlargement_(clip.size(), enlargedTo, ratio)
{
}

EnlargingJpeg::~EnlargingJpeg()
{
    if (decoding_.joinable()) {
        // Given up before the end: the decoding stops at the next row.
        enlargement_.stopReading();
        decoding_.join();
    }
    std::fclose(file_);
}

void EnlargingJpeg::decodeRows()
{
    decoded_ = decode(file_, clip_, nullptr, &enlargement_);
    if (!decoded_)
        enlargement_.abandon();
}

bool EnlargingJpeg::finish()
{
    const bool made = enlargement_.run();
    if (decoding_.joinable())
        decoding_.join();
    return made && decoded_;
}

} // namespace tk
