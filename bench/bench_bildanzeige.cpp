// Showing a teacher's 4000 x 3000 phone photo on a presentation screen, as JPEG
// and as PNG, next to a full decode of the same file; and showing a PNG of
// 20000 x 20000 pixels, which Qt's reader refuses to decode at all.
//
// Every run is a fresh child process: it opens level 1 on the offscreen platform
// with a picture folder holding the pictures, warms the JPEG and PNG decoders up
// on tiny files, and then measures one of three things:
//   anzeige  the image control imgBild takes the picture (load picture, decode of
//            the visible part, and the paint that the control asks for, as the
//            event loop delivers it after the handler; a control that painted
//            while setting the picture asks for none);
//   tafel    the same with the game at a board of 1920 x 1080, where the visible
//            part is enlarged 1.8 times, smoothly, to the board's pixels;
//   voll     QImageReader decodes the whole picture, orientation applied.
// Time is the wall clock of that step alone. Memory is the growth of the peak
// resident set during that step: the child resets its peak (writing 5 to
// /proc/self/clear_refs) just before the step, reads VmRSS then, and VmHWM after
// it. Where the reset is refused, the peak is read against the start-up peak and
// the bench says so. The figures are medians over the runs; the two kinds run
// alternately so that caches and machine load treat them alike.
#include "messung.h"
#include "programmstart.h"
#include "spielzug.h"
#include "toolkit/controls.h"
#include "toolkit/program.h"
#include "toolkit/services.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QLabel>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <png.h>
#include <vector>

namespace {

constexpr int Laeufe = 11;

class Dienste : public tk::Services {
public:
    QString ordner;
    QString programFolder() const override { return ordner; }
};

// A photo-like picture: soft gradients with grain, so that the JPEG is as large
// and as slow to decode as a real photo of that size.
void schreibeFoto(const QString& path, const char* format)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator rng(42);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = int(rng.bounded(24u));
            line[x] = qRgb((x / 16 + grain) & 0xFF, (y / 12 + grain) & 0xFF, ((x + y) / 28 + grain) & 0xFF);
        }
    }
    image.save(path, format, qstrcmp(format, "JPEG") == 0 ? 90 : -1);
}

// Black and white squares of 96 pixels, 20000 x 20000 of them in a 1-bit grey
// PNG of about 70 KB, written row by row: Qt cannot even hold it as one image.
void schreibeRiesen(const QString& path)
{
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (!file || !png || !info || setjmp(png_jmpbuf(png))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, 20000, 20000, 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(png_get_rowbytes(png, info));
    for (int y = 0; y < 20000; ++y) {
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = (i / 12 + std::size_t(y) / 96) % 2 ? 0xFF : 0;
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

void schreibeKlein(const QString& path, const char* format)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.save(path, format);
}

// Builds the program folder: "bilder" with the three pictures and eight small
// ones, so that level 1 finds its words, and a tiny JPEG and PNG to warm up with.
void richteOrdnerEin(const QString& ordner)
{
    QDir().mkpath(ordner + QStringLiteral("/bilder"));
    schreibeFoto(ordner + QStringLiteral("/bilder/Foto.jpg"), "JPEG");
    schreibeFoto(ordner + QStringLiteral("/bilder/Foto.png"), "PNG");
    schreibeRiesen(ordner + QStringLiteral("/bilder/Riese.png"));
    for (int i = 1; i <= 8; ++i)
        schreibeKlein(ordner + QStringLiteral("/bilder/Bild%1.png").arg(i), "PNG");
    schreibeKlein(ordner + QStringLiteral("/klein.jpg"), "JPEG");
    schreibeKlein(ordner + QStringLiteral("/klein.png"), "PNG");
}

// Counts the paints of the image control.
struct Malzaehler : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

bool spitzeZuruecksetzen()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1 && f.flush();
}

int kind(int argc, char* argv[], const QString& art, const QString& ordner, const QString& datei)
{
    bench::stillePlattform();
    QTemporaryDir bildschirm;
    const auto app = bench::anwendung(argc, argv, bildschirm.path());
    Dienste dienste;
    dienste.ordner = ordner;
    tk::setServices(&dienste);
    kb::einstellungenNeuLesen();
    kb::programmEinrichten();
    tk::Program::instance().start(QStringLiteral("frmSchw1"));
    QCoreApplication::processEvents();
    tk::Form* form = tk::Program::instance().loaded(QStringLiteral("frmSchw1"));
    if (!form) {
        std::fprintf(stderr, "frmSchw1 did not open\n");
        return 2;
    }
    tk::Image& imgBild = form->find<tk::Image>(QStringLiteral("imgBild"));
    const QString foto = ordner + QStringLiteral("/bilder/") + datei;
    for (const char* klein : {"/klein.jpg", "/klein.png"}) {
        imgBild.setPicture(tk::Picture::load(ordner + QLatin1String(klein)));
        QImageReader(ordner + QLatin1String(klein)).read();
    }
    QCoreApplication::processEvents();
    Malzaehler gemalt;
    imgBild.widget()->installEventFilter(&gemalt);

    const bool zurueckgesetzt = spitzeZuruecksetzen();
    const long rssVorher = bench::statusKb("VmRSS");
    QElapsedTimer uhr;
    uhr.start();
    QSize ergebnis;
    QImage ganz;
    if (art != QLatin1String("voll")) {
        imgBild.setPicture(tk::Picture::load(foto));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        ergebnis = static_cast<QLabel*>(imgBild.widget())->pixmap().size();
    } else {
        QImageReader reader(foto);
        reader.setAutoTransform(true);
        ganz = reader.read();
        ergebnis = ganz.size();
    }
    const double ms = double(uhr.nsecsElapsed()) / 1e6;
    if (art != QLatin1String("voll") && gemalt.paints == 0) {
        std::fprintf(stderr, "the picture was never painted\n");
        return 2;
    }
    const long spitze = bench::statusKb("VmHWM");
    std::printf("%f %ld %d %d %d\n", ms, spitze - rssVorher, zurueckgesetzt ? 1 : 0, ergebnis.width(),
                ergebnis.height());
    return 0;
}

struct Messung {
    double ms = 0;
    double kb = 0;
    bool zurueckgesetzt = false;
    QSize dekodiert;
};

Messung einLauf(const QString& self, const char* art, const QString& ordner, const char* datei)
{
    QProcess p;
    QStringList argumente{QStringLiteral("--kind"), QString::fromLatin1(art), ordner,
                          QString::fromLatin1(datei)};
    if (qstrcmp(art, "tafel") == 0)
        argumente << QStringLiteral("--tafel") << QStringLiteral("1920x1080");
    p.start(self, argumente);
    p.waitForFinished(120000);
    const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
    if (p.exitCode() != 0 || f.size() != 5) {
        std::fprintf(stderr, "run failed: %s\n", p.readAllStandardError().constData());
        std::exit(1);
    }
    return {f[0].toDouble(), f[1].toDouble(), f[2] == "1", QSize(f[3].toInt(), f[4].toInt())};
}

struct Reihe {
    std::vector<double> ms, kb;
    QSize dekodiert;
};

constexpr const char* Arten[] = {"anzeige", "tafel", "voll"};

// Runs the three kinds in turn, `Laeufe` times each; a picture Qt cannot decode
// whole gets one try of the full decode only, to show that it fails.
std::array<Reihe, 3> messe(const QString& ordner, const char* datei, bool voll, bool& zurueckgesetzt)
{
    std::array<Reihe, 3> r;
    for (int i = 0; i < Laeufe; ++i)
        for (std::size_t k = 0; k < r.size(); ++k) {
            if (k == 2 && !voll && i > 0)
                continue;
            const Messung m = einLauf(QCoreApplication::applicationFilePath(), Arten[k], ordner, datei);
            r[k].ms.push_back(m.ms);
            r[k].kb.push_back(m.kb);
            r[k].dekodiert = m.dekodiert;
            zurueckgesetzt = zurueckgesetzt && m.zurueckgesetzt;
        }
    return r;
}

// Prints the figures of showing one picture, in a window or at a board, against
// the full decode.
void berichteAnzeige(const QByteArray& was, const Reihe& anzeige, const Reihe& voll, bool zeitZiel)
{
    const double aMs = bench::median(anzeige.ms), vMs = bench::median(voll.ms);
    const QByteArray zeit = "show a " + was + ": time (median)";
    const QByteArray speicher = "show a " + was + ": extra peak memory (median)";
    const QByteArray mal = "show a " + was + ": full decode takes ... times as long";
    bench::detail(zeit.constData(), aMs, "ms");
    if (!voll.dekodiert.isEmpty() && zeitZiel)
        bench::figure(mal.constData(), vMs / aMs, "x", ">= 8 (1/8)", vMs / aMs >= 8.0);
    else if (!voll.dekodiert.isEmpty())
        bench::detail(mal.constData(), vMs / aMs, "x");
    const double aMb = bench::median(anzeige.kb) / 1024.0;
    bench::figure(speicher.constData(), aMb, "MB", "<= 8 MB", aMb <= 8.0);
}

// Prints the figures of one picture: showing it in a window and at a board,
// against the full decode.
void berichte(const char* was, const std::array<Reihe, 3>& r, bool zeitZiel)
{
    const auto& [anzeige, tafel, voll] = r;
    std::printf(
        "%s: %d x %d pixels shown in a window, %d x %d at a board; the full decode gave %d x %d pixels\n",
        was, anzeige.dekodiert.width(), anzeige.dekodiert.height(), tafel.dekodiert.width(),
        tafel.dekodiert.height(), voll.dekodiert.width(), voll.dekodiert.height());
    if (voll.dekodiert.isEmpty()) {
        std::printf(
            "        full decode with QImageReader: impossible, Qt's reader refuses a picture this large\n");
    } else {
        bench::detail("full decode with QImageReader: time (median)", bench::median(voll.ms), "ms");
        bench::detail("full decode with QImageReader: extra peak memory (median)",
                      bench::median(voll.kb) / 1024.0, "MB");
    }
    berichteAnzeige(QByteArray(was), anzeige, voll, zeitZiel);
    berichteAnzeige(QByteArray(was) + " at a board", tafel, voll, zeitZiel);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 5 && QByteArray(argv[1]) == "--kind")
        return kind(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                    QString::fromLocal8Bit(argv[4]));

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    richteOrdnerEin(dir.path());
    const auto kb = [&dir](const char* datei) {
        return QFileInfo(dir.path() + "/bilder/" + datei).size() / 1024;
    };
    std::printf("photo: 4000 x 3000 JPEG, %lld KB, and PNG, %lld KB; squares: 20000 x 20000 PNG, %lld KB;\n"
                "%d runs of each kind (in a window, at a board, full decode) in fresh processes, in turn\n",
                kb("Foto.jpg"), kb("Foto.png"), kb("Riese.png"), Laeufe);
    bool zurueckgesetzt = true;
    const auto jpeg = messe(dir.path(), "Foto.jpg", true, zurueckgesetzt);
    const auto png = messe(dir.path(), "Foto.png", true, zurueckgesetzt);
    const auto riese = messe(dir.path(), "Riese.png", false, zurueckgesetzt);
    std::printf("memory: %s\n", zurueckgesetzt ? "peak resident set reset before the step, VmHWM - VmRSS"
                                               : "peak could not be reset: VmHWM after - VmRSS before");
    berichte("4000 x 3000 JPEG", jpeg, true);
    berichte("4000 x 3000 PNG", png, false);
    berichte("20000 x 20000 PNG", riese, false);
    return 0;
}
