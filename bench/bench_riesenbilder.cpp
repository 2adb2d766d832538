// Pictures far larger than any screen, as a teacher may put them into the folder:
// what decoding a PNG costs per megapixel, interlaced and not; how long the level
// screen takes to show a giant picture; and how long the companion's check of a
// folder holding one takes.
//
//   je Megapixel  a photo-like PNG of 4096 x 4096 (8-bit colour) decoded whole,
//                 and its top-left part as a level shows it, interlaced and not,
//                 without the image control's deadline, next to the estimate
//                 from the header that the companion judges by;
//   zeigen        the image control's step (load picture, decode of the visible
//                 part) for a 65535 x 65535 interlaced PNG, the same not
//                 interlaced, and a progressive grey JPEG of 16000 x 16000;
//   prüfen        `kieselblick-bilder --check` of 15 small pictures and the giant
//                 interlaced PNG, from process start to its end.
// Every figure is the median of the runs, in this process after one warm-up.
#include "messung.h"
#include "programmstart.h"
#include "regeln/bildflaeche.h"
#include "toolkit/picture.h"
#include "toolkit/pngclip.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>
#include <png.h>
#include <vector>

namespace {

constexpr int Laeufe = 5;

// Writes a PNG row by row through libpng: `zeile(y, bytes)` fills a row as it is
// stored, again for every pass of an interlaced one.
void schreibePng(const QString& pfad, QSize groesse, int farbtyp, int tiefe, bool verschachtelt,
                 const std::function<void(int, std::vector<png_byte>&)>& zeile)
{
    std::FILE* datei = std::fopen(QFile::encodeName(pfad).constData(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (!datei || !png || !info || setjmp(png_jmpbuf(png))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(pfad));
        std::exit(1);
    }
    png_init_io(png, datei);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(groesse.width()), png_uint_32(groesse.height()), tiefe, farbtyp,
                 verschachtelt ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(png_get_rowbytes(png, info));
    for (int pass = png_set_interlace_handling(png); pass > 0; --pass)
        for (int y = 0; y < groesse.height(); ++y) {
            zeile(y, row);
            png_write_row(png, row.data());
        }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(datei);
}

// Soft gradients with grain, as in bench_bildanzeige.
void schreibeFoto(const QString& pfad, bool verschachtelt)
{
    QRandomGenerator rng(42);
    schreibePng(pfad, {4096, 4096}, PNG_COLOR_TYPE_RGB, 8, verschachtelt,
                [&rng](int y, std::vector<png_byte>& r) {
                    for (std::size_t x = 0; x < r.size() / 3; ++x) {
                        const int grain = int(rng.bounded(24u));
                        r[3 * x] = png_byte(int(x / 16) + grain), r[3 * x + 1] = png_byte(y / 12 + grain);
                        r[3 * x + 2] = png_byte(int(x + std::size_t(y)) / 28 + grain);
                    }
                });
}

// One colour at one bit a pixel: 65535 x 65535 pixels in a few megabytes.
void schreibeRiesen(const QString& pfad, bool verschachtelt)
{
    schreibePng(pfad, {65535, 65535}, PNG_COLOR_TYPE_GRAY, 1, verschachtelt,
                [](int, std::vector<png_byte>& r) { std::fill(r.begin(), r.end(), png_byte(0)); });
}

// A grey JPEG of one progressive scan, the average of each block: 1 bit a block.
void schreibeProgressivesJpeg(const QString& pfad, int seite)
{
    QFile f(pfad);
    f.open(QIODevice::WriteOnly);
    const char s1 = char(seite >> 8), s0 = char(seite);
    f.write(QByteArray("\xFF\xD8\xFF\xDB\x00\x43\x00", 7) + QByteArray(64, '\x01'));
    f.write(QByteArray("\xFF\xC2\x00\x0B\x08", 5) + s1 + s0 + s1 + s0 + QByteArray("\x01\x01\x11\x00", 4));
    f.write(QByteArray("\xFF\xC4\x00\x14\x00\x01", 6) + QByteArray(16, '\0'));
    f.write(QByteArray("\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x00", 10));
    const qint64 bloecke = qint64((seite + 7) / 8) * ((seite + 7) / 8);
    f.write(QByteArray((bloecke + 7) / 8, '\0') + "\xFF\xD9");
}

double millis(const std::function<void()>& schritt)
{
    std::vector<double> ms;
    schritt();
    for (int i = 0; i < Laeufe; ++i) {
        QElapsedTimer uhr;
        uhr.start();
        schritt();
        ms.push_back(double(uhr.nsecsElapsed()) / 1e6);
    }
    return bench::median(ms);
}

// A picture stored row after row shows its top-left part from the rows down to
// the part's bottom alone; an interlaced one needs six of its seven passes over
// the whole picture first, so that part costs in proportion to the picture.
void jeMegapixel(const QString& ordner)
{
    const QRect teil = kb::bildflaeche().dekodiert;
    const QString n = ordner + QStringLiteral("/n.png"), z = ordner + QStringLiteral("/z.png");
    schreibeFoto(n, false), schreibeFoto(z, true);
    const double mp = 4096.0 * 4096.0 / 1e6;
    bench::detail("4096 x 4096 PNG: decoding it whole, per megapixel",
                  millis([&] { tk::decodePngClip(n, QRect(0, 0, 4096, 4096)); }) / mp, "ms");
    bench::detail("the part a level shows, not interlaced: only its rows",
                  millis([&] { tk::decodePngClip(n, teil); }), "ms");
    const double verschachtelt = millis([&] { tk::decodePngClip(z, teil); });
    bench::detail("the part a level shows, interlaced", verschachtelt, "ms");
    bench::detail("the same per megapixel of the whole picture", verschachtelt / mp, "ms");
    bench::detail("the same as estimated from the header, not interlaced",
                  tk::pngDecodeMillis(*tk::readPngLayout(n), teil), "ms");
    bench::detail("the same as estimated from the header, interlaced",
                  tk::pngDecodeMillis(*tk::readPngLayout(z), teil), "ms");
}

void zeigen(const QString& ordner)
{
    const QRect teil = kb::bildflaeche().dekodiert;
    const QString z = ordner + QStringLiteral("/bilder/Riese.png"), n = ordner + QStringLiteral("/breit.png");
    const QString j = ordner + QStringLiteral("/progressiv.jpg");
    schreibeRiesen(z, true), schreibeRiesen(n, false), schreibeProgressivesJpeg(j, 16000);
    const std::pair<const char*, QString> bilder[] = {{"65535 x 65535 interlaced PNG", z},
                                                      {"65535 x 65535 PNG, not interlaced", n}};
    const auto zeige = [&teil](const QString& pfad) {
        return millis([&pfad, &teil] { tk::Picture::load(pfad).decode(teil); });
    };
    for (const auto& [was, pfad] : bilder) {
        const double ms = zeige(pfad);
        bench::figure((QByteArray("show a ") + was + ": time").constData(), ms, "ms", "<= 1000 ms",
                      ms <= 1000);
    }
    // No deadline: libjpeg reads every scan first. The companion flags such a picture.
    bench::detail("show a 16000 x 16000 progressive JPEG: time", zeige(j), "ms");
    QElapsedTimer uhr;
    uhr.start();
    tk::decodePngClip(z, teil);
    bench::detail("the interlaced one's visible part without the deadline (one run)",
                  double(uhr.nsecsElapsed()) / 1e6, "ms");
}

void pruefen(const QString& ordner)
{
    for (int i = 0; i < 15; ++i) {
        QImage bild(120, 90, QImage::Format_RGB32);
        bild.fill(QColor::fromHsv(i * 24, 200, 200));
        bild.save(ordner + QStringLiteral("/bilder/Bild%1.png").arg(QChar(u'A' + i)));
    }
    const double ms = millis([&ordner] {
        QProcess p;
        p.start(QStringLiteral(KBB_PROGRAMM),
                {QStringLiteral("--check"), ordner + QStringLiteral("/bilder")});
        p.waitForFinished(600000);
    });
    bench::figure("--check of 15 pictures and the interlaced giant: time", ms, "ms", "<= 1000 ms",
                  ms <= 1000);
}

} // namespace

int main(int argc, char* argv[])
{
    bench::vorbereiten();
    QApplication app(argc, argv);
    kb::programmEinrichten();
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + QStringLiteral("/bilder"));
    std::printf("%d runs of each after a warm-up, medians; PNG decoding without the image control's deadline "
                "of %d ms unless said\n",
                Laeufe, tk::ShowDeadlineMillis);
    jeMegapixel(dir.path());
    zeigen(dir.path());
    pruefen(dir.path());
    return 0;
}
