#include "toolkit/pngclip.h"

#include "toolkit/filenames.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <vector>

namespace tk {

namespace {

constexpr int BytesPerPixel = 4;

// The decoding time per pixel and per row, measured on the reference machine (2
// cores shared with other builds at a load average of about 7; libpng 1.6.39;
// photo-like data; the transforms that requestRgba() asks for): from 2.7 ns a
// pixel for 1-bit grey and 5.7 ns for a 1-bit palette through 11 ns for 8-bit
// grey and 19 ns for 8-bit colour to 76 ns for 16-bit colour with alpha. The
// estimate 7 ns + 1.25 ns per stored bit lies above every one of them. So the
// part a level shows of an interlaced picture costs, by the estimate, 4 ms per
// megapixel of the whole picture at 1 bit, 19 ms at 24 bits (bench_riesenbilder
// measured 16 ms for a photo) and 24 ms at 32 bits: more than the image
// control's deadline from about 100, 21 and 17 megapixels on. A picture stored
// row after row costs the rows down to the clip alone: 0.3 s for the 560 rows of
// a picture 65535 pixels wide at 1 bit.
constexpr double PixelNanos = 7.0;
constexpr double BitNanos = 1.25;
constexpr double RowNanos = 100.0;

// Where the pixels of a pass lie (first column and row, steps), and the block
// each stands for until later passes fill it in. Adam7 has seven passes; a
// picture that is not interlaced has one of every pixel.
struct Pass {
    int x0, y0, dx, dy, bw, bh;
};
constexpr Pass Adam7[7] = {{0, 0, 8, 8, 8, 8}, {4, 0, 8, 8, 4, 8}, {0, 4, 4, 8, 4, 4}, {2, 0, 4, 4, 2, 4},
                           {0, 2, 2, 4, 2, 2}, {1, 0, 2, 2, 1, 2}, {0, 1, 1, 2, 1, 1}};
constexpr Pass Whole{0, 0, 1, 1, 1, 1};

int stepsIn(int extent, int start, int step)
{
    return extent > start ? (extent - start + step - 1) / step : 0;
}

// The passes of a picture that hold pixels, in their order in the file (libpng
// skips empty ones). Plain data: libpng may jump out of the frames that hold it.
struct Passes {
    Pass list[7];
    int count = 0;
};

Passes passesOf(QSize size, bool interlaced)
{
    Passes passes;
    if (!interlaced)
        passes.list[passes.count++] = Whole;
    for (const Pass& p : Adam7)
        if (interlaced && stepsIn(size.width(), p.x0, p.dx) > 0 && stepsIn(size.height(), p.y0, p.dy) > 0)
            passes.list[passes.count++] = p;
    return passes;
}

// The rows of a pass down to the last one whose block reaches into the clip.
int rowsDownTo(const Pass& p, int height, const QRect& clip)
{
    return std::min(stepsIn(height, p.y0, p.dy), stepsIn(clip.bottom() + 1, p.y0, p.dy));
}

// What the decoding fills in. It lives in decodePngClip(), outside the frames
// that libpng may jump out of, so that a jump destroys nothing half-way.
struct Decoded {
    QImage image;
    std::vector<png_byte> row; // one row of the whole picture's width
    bool alpha = false;
    bool complete = false;
};

// An error jumps back to decode() without a word: the caller hands the file to
// Qt's reader, which reports what it finds. Warnings (a colour profile libpng
// does not like, say) leave the pixels as they are; Qt's reader shows such files too.
[[noreturn]] void jumpBack(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

QSize sizeOf(png_structp png, png_infop info)
{
    return {int(png_get_image_width(png, info)), int(png_get_image_height(png, info))};
}

// Asks libpng for 8-bit RGBA rows whatever the file holds, and for the rows of
// an interlaced picture pass by pass as they are stored. Returns whether the
// picture has transparency; without, the alpha byte is a filler of 255.
bool requestRgba(png_structp png, png_infop info, std::vector<png_byte>& row)
{
    const bool alpha =
        (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    png_set_expand(png); // palette to colour, grey under 8 bits to 8, tRNS to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    row.resize(png_get_rowbytes(png, info));
    return alpha;
}

// Each pixel of a row of the pass fills its block, as far as it lies in the clip.
void fillRow(const png_byte* row, int y, const Pass& p, int columns, const QRect& clip, QImage& image)
{
    const int top = std::max(y, clip.top()), bottom = std::min(y + p.bh - 1, clip.bottom());
    const int first = std::max(0, (clip.left() - p.x0) / p.dx);
    const int last = std::min(columns - 1, (clip.right() - p.x0 + p.dx) / p.dx - 1);
    for (int i = first; i <= last; ++i) {
        const int x = p.x0 + i * p.dx;
        const int from = std::max(x, clip.left()), to = std::min(x + p.bw - 1, clip.right());
        for (int line = top; line <= bottom; ++line)
            for (int c = from; c <= to; ++c)
                std::memcpy(image.scanLine(line - clip.top()) + std::size_t(c - clip.left()) * BytesPerPixel,
                            row + std::size_t(i) * BytesPerPixel, BytesPerPixel);
    }
}

// Every pass but the last runs over all its rows, as libpng needs them to reach
// the next pass; the last one stops after the clip's bottom row. So does the
// whole when the deadline has passed.
bool readClip(png_structp png, png_infop info, const QRect& clip, int deadline, Decoded& out)
{
    const QSize size = sizeOf(png, info);
    if (!QRect(QPoint(0, 0), size).contains(clip))
        return false;
    out.alpha = requestRgba(png, info, out.row);
    if (out.row.size() != std::size_t(size.width()) * BytesPerPixel)
        return false;
    out.image = QImage(clip.size(), QImage::Format_RGBA8888);
    if (out.image.isNull())
        return false;
    out.image.fill(Qt::transparent);
    QElapsedTimer clock;
    clock.start();
    const Passes passes = passesOf(size, png_get_interlace_type(png, info) != PNG_INTERLACE_NONE);
    for (int n = 0; n < passes.count; ++n) {
        const Pass& p = passes.list[n];
        const int columns = stepsIn(size.width(), p.x0, p.dx);
        const int rows =
            n + 1 < passes.count ? stepsIn(size.height(), p.y0, p.dy) : rowsDownTo(p, size.height(), clip);
        for (int k = 0; k < rows; ++k) {
            if (deadline >= 0 && clock.hasExpired(deadline))
                return true;
            const int y = p.y0 + k * p.dy;
            png_read_row(png, out.row.data(), nullptr);
            if (y <= clip.bottom() && y + p.bh > clip.top())
                fillRow(out.row.data(), y, p, columns, clip, out.image);
        }
    }
    out.complete = true;
    return true;
}

// Runs `work` on a file whose header libpng has read. Between setjmp and the end
// only plain pointers live in this frame and in the ones it calls into; what the
// work makes lives in the caller. libpng frees its own memory in
// png_destroy_read_struct, also after a jump.
template <typename Work> bool withPng(const QString& path, Work work)
{
    if (!isRegularFile(path))
        return false;
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpBack, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool done = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_read_info(png, info);
        done = work(png, info);
    }
    if (png)
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    std::fclose(file);
    return done;
}

// What reducing a picture collects, outside the frames libpng may jump out of:
// the sums of red, green, blue and alpha and the count of every reduced pixel.
struct Reduction {
    QSize size;
    bool alpha = false;
    std::vector<png_byte> row;
    std::vector<quint64> sums;
};

// Reads the rows of the first pass, or of the whole picture, adding every pixel
// to the reduced pixel it falls into.
bool reduce(png_structp png, png_infop info, QSize atMost, Reduction& r)
{
    const QSize size = sizeOf(png, info);
    const Pass& p = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE ? Adam7[0] : Whole;
    const QSize source(stepsIn(size.width(), p.x0, p.dx), stepsIn(size.height(), p.y0, p.dy));
    r.size = size.scaled(atMost, Qt::KeepAspectRatio).boundedTo(size).expandedTo({1, 1});
    if (r.size == size || source.width() < r.size.width() || source.height() < r.size.height())
        return false;
    r.alpha = requestRgba(png, info, r.row);
    r.sums.assign(std::size_t(r.size.width()) * std::size_t(r.size.height()) * 5, 0);
    for (int y = 0; y < source.height(); ++y) {
        png_read_row(png, r.row.data(), nullptr);
        const qint64 line = qint64(y) * r.size.height() / source.height() * r.size.width();
        for (int x = 0; x < source.width(); ++x) {
            quint64* sum = &r.sums[std::size_t(line + qint64(x) * r.size.width() / source.width()) * 5];
            for (int c = 0; c < BytesPerPixel; ++c)
                sum[c] += r.row[std::size_t(x) * BytesPerPixel + std::size_t(c)];
            ++sum[4];
        }
    }
    return true;
}

QImage averages(const Reduction& r)
{
    QImage image(r.size, r.alpha ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
    for (int y = 0; y < r.size.height(); ++y)
        for (int x = 0; x < r.size.width(); ++x) {
            const quint64* sum = &r.sums[(std::size_t(y) * std::size_t(r.size.width()) + std::size_t(x)) * 5];
            for (int c = 0; c < BytesPerPixel; ++c)
                image.scanLine(y)[x * BytesPerPixel + c] = uchar(sum[4] ? sum[c] / sum[4] : 0);
        }
    return image;
}

} // namespace

std::optional<PngLayout> readPngLayout(const QString& path)
{
    PngLayout layout;
    const bool read = withPng(path, [&layout](png_structp png, png_infop info) {
        layout.size = sizeOf(png, info);
        layout.bitsPerPixel = png_get_channels(png, info) * png_get_bit_depth(png, info);
        layout.interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
        return true;
    });
    return read ? std::optional(layout) : std::nullopt;
}

double pngDecodeMillis(const PngLayout& layout, const QRect& clip)
{
    const Passes passes = passesOf(layout.size, layout.interlaced);
    const double pixelNanos = PixelNanos + BitNanos * layout.bitsPerPixel;
    double nanos = 0;
    for (int n = 0; n < passes.count; ++n) {
        const Pass& p = passes.list[n];
        const double rows = n + 1 < passes.count ? stepsIn(layout.size.height(), p.y0, p.dy)
                                                 : rowsDownTo(p, layout.size.height(), clip);
        nanos += rows * (RowNanos + pixelNanos * stepsIn(layout.size.width(), p.x0, p.dx));
    }
    return nanos / 1e6;
}

QImage decodePngClip(const QString& path, const QRect& clip, int deadlineMillis)
{
    if (clip.isEmpty())
        return {};
    Decoded out;
    if (!withPng(path, [&](png_structp png, png_infop info) {
            return readClip(png, info, clip, deadlineMillis, out);
        }))
        return {};
    if (out.complete && !out.alpha)
        out.image.reinterpretAsFormat(QImage::Format_RGBX8888);
    return out.image;
}

QImage decodePngReduced(const QString& path, QSize atMost)
{
    Reduction r;
    if (!withPng(path, [&](png_structp png, png_infop info) { return reduce(png, info, atMost, r); }))
        return {};
    return averages(r);
}

} // namespace tk
