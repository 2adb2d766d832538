#include "toolkit/pngclip.h"

#include "toolkit/filenames.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <vector>

namespace tk {

namespace {

constexpr int BytesPerPixel = 4;

// What the decoding fills in. It lives in decodePngClip(), outside the frames
// that libpng may jump out of, so that a jump destroys nothing half-way.
struct Decoded {
    QImage image;
    std::vector<png_byte> row; // one row of the whole picture's width
};

// An error jumps back to decode() without a word: the caller hands the file to
// Qt's reader, which reports what it finds. Warnings (a colour profile libpng
// does not like, say) leave the pixels as they are; Qt's reader shows such files too.
[[noreturn]] void jumpBack(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

bool fits(png_structp png, png_infop info, const QRect& clip)
{
    const QRect picture(0, 0, int(png_get_image_width(png, info)), int(png_get_image_height(png, info)));
    return !picture.isEmpty() && picture.contains(clip);
}

// Asks libpng for 8-bit RGBA rows whatever the file holds. Returns whether the
// picture has transparency; without, the alpha byte is a filler of 255.
bool requestRgba(png_structp png, png_infop info)
{
    const bool alpha =
        (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    png_set_expand(png); // palette to colour, grey under 8 bits to 8, tRNS to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    return alpha;
}

// Reads one row of the picture; a row inside the clip lands in the clip's image.
// An interlaced row comes in up to seven passes, and libpng sets only the pixels
// of the current pass, so the pixels of the earlier ones go back into the buffer first.
void readRow(png_structp png, int y, int pass, const QRect& clip, Decoded& out)
{
    if (y < clip.top() || y > clip.bottom()) {
        png_read_row(png, nullptr, nullptr);
        return;
    }
    uchar* line = out.image.scanLine(y - clip.top());
    png_byte* part = out.row.data() + std::size_t(clip.x()) * BytesPerPixel;
    const std::size_t bytes = std::size_t(clip.width()) * BytesPerPixel;
    if (pass > 0)
        std::memcpy(part, line, bytes);
    png_read_row(png, out.row.data(), nullptr);
    std::memcpy(line, part, bytes);
}

// Every pass but the last runs over all rows, as libpng needs them to reach the
// next pass; the last one stops after the clip's bottom row.
bool readClip(png_structp png, png_infop info, const QRect& clip, Decoded& out)
{
    const bool alpha = requestRgba(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const int height = int(png_get_image_height(png, info));
    out.row.resize(png_get_rowbytes(png, info));
    if (out.row.size() != std::size_t(png_get_image_width(png, info)) * BytesPerPixel)
        return false;
    out.image = QImage(clip.size(), alpha ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
    if (out.image.isNull())
        return false;
    for (int pass = 0; pass < passes; ++pass) {
        const int rows = pass + 1 < passes ? height : clip.bottom() + 1;
        for (int y = 0; y < rows; ++y)
            readRow(png, y, pass, clip, out);
    }
    return true;
}

// Between setjmp and the end only plain pointers live in this frame and in the
// ones it calls into; what the decoding makes is in `out`. libpng frees its own
// memory in png_destroy_read_struct, also after a jump.
bool decode(std::FILE* file, const QRect& clip, Decoded& out)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpBack, ignoreWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    const bool done = fits(png, info, clip) && readClip(png, info, clip, out);
    png_destroy_read_struct(&png, &info, nullptr);
    return done;
}

} // namespace

QImage decodePngClip(const QString& path, const QRect& clip)
{
    if (clip.isEmpty() || !isRegularFile(path))
        return {};
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return {};
    Decoded out;
    const bool done = decode(file, clip, out);
    std::fclose(file);
    return done ? out.image : QImage();
}

} // namespace tk
