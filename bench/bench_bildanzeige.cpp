// Showing a teacher's 4000 x 3000 phone photo on a presentation screen, next to a
// full decode of the same file.
//
// Every run is a fresh child process: it opens level 1 on the offscreen platform
// with a picture folder holding the photo, warms the JPEG decoder up on a tiny
// file, and then measures one of two things:
//   anzeige  the image control imgBild takes the photo (load picture, decode of
//            the visible part, repaint of the control);
//   voll     QImageReader decodes the whole photo, orientation applied.
// Time is the wall clock of that step alone. Memory is the growth of the peak
// resident set during that step: the child resets its peak (writing 5 to
// /proc/self/clear_refs) just before the step, reads VmRSS then, and VmHWM after
// it. Where the reset is refused, the peak is read against the start-up peak and
// the bench says so. The figures are medians over the runs; the two kinds run
// alternately so that caches and machine load treat them alike.
#include "messung.h"
#include "shell/programmstart.h"
#include "toolkit/dienste.h"
#include "toolkit/programm.h"
#include "toolkit/steuerelemente.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QLabel>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int Laeufe = 11;

class Dienste : public tk::Services {
public:
    QString ordner;
    QString programFolder() const override { return ordner; }
};

// A photo-like picture: soft gradients with grain, so that the JPEG is as large
// and as slow to decode as a real photo of that size.
void schreibeFoto(const QString& path)
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
    image.save(path, "JPEG", 90);
}

void schreibeKlein(const QString& path, const char* format)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.save(path, format);
}

// Builds the program folder: "bilder" with the photo and eight small pictures,
// so that level 1 finds its nine words, and a tiny JPEG to warm up with.
void richteOrdnerEin(const QString& ordner)
{
    QDir().mkpath(ordner + QStringLiteral("/bilder"));
    schreibeFoto(ordner + QStringLiteral("/bilder/Foto.jpg"));
    for (int i = 1; i <= 8; ++i)
        schreibeKlein(ordner + QStringLiteral("/bilder/Bild%1.png").arg(i), "PNG");
    schreibeKlein(ordner + QStringLiteral("/klein.jpg"), "JPEG");
}

bool spitzeZuruecksetzen()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1 && f.flush();
}

int kind(int argc, char* argv[], const QString& art, const QString& ordner)
{
    bench::stillePlattform();
    QApplication app(argc, argv);
    Dienste dienste;
    dienste.ordner = ordner;
    tk::setServices(&dienste);
    kb::programmEinrichten();
    tk::Program::instance().start(QStringLiteral("frmSchw1"));
    QCoreApplication::processEvents();
    tk::Form* form = tk::Program::instance().loaded(QStringLiteral("frmSchw1"));
    if (!form) {
        std::fprintf(stderr, "frmSchw1 did not open\n");
        return 2;
    }
    tk::Image& imgBild = form->find<tk::Image>(QStringLiteral("imgBild"));
    const QString foto = ordner + QStringLiteral("/bilder/Foto.jpg");
    const QString klein = ordner + QStringLiteral("/klein.jpg");
    imgBild.setPicture(tk::Picture::load(klein));
    QImageReader(klein).read();
    QCoreApplication::processEvents();

    const bool zurueckgesetzt = spitzeZuruecksetzen();
    const long rssVorher = bench::statusKb("VmRSS");
    QElapsedTimer uhr;
    uhr.start();
    QSize ergebnis;
    QImage ganz;
    if (art == QLatin1String("anzeige")) {
        imgBild.setPicture(tk::Picture::load(foto));
        imgBild.widget()->repaint();
        ergebnis = static_cast<QLabel*>(imgBild.widget())->pixmap().size();
    } else {
        QImageReader reader(foto);
        reader.setAutoTransform(true);
        ganz = reader.read();
        ergebnis = ganz.size();
    }
    const double ms = double(uhr.nsecsElapsed()) / 1e6;
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

Messung einLauf(const QString& self, const char* art, const QString& ordner)
{
    QProcess p;
    p.start(self, {QStringLiteral("--kind"), QString::fromLatin1(art), ordner});
    p.waitForFinished(120000);
    const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
    if (p.exitCode() != 0 || f.size() != 5) {
        std::fprintf(stderr, "run failed: %s\n", p.readAllStandardError().constData());
        std::exit(1);
    }
    return {f[0].toDouble(), f[1].toDouble(), f[2] == "1", QSize(f[3].toInt(), f[4].toInt())};
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && QByteArray(argv[1]) == "--kind")
        return kind(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    richteOrdnerEin(dir.path());
    std::printf("photo: 4000 x 3000 JPEG, %lld KB; %d runs of each kind in fresh processes, in turn\n",
                QFileInfo(dir.path() + QStringLiteral("/bilder/Foto.jpg")).size() / 1024, Laeufe);

    std::vector<double> anzeigeMs, anzeigeKb, vollMs, vollKb;
    bool zurueckgesetzt = true;
    QSize clip, ganz;
    for (int i = 0; i < Laeufe; ++i) {
        const Messung a = einLauf(QCoreApplication::applicationFilePath(), "anzeige", dir.path());
        const Messung v = einLauf(QCoreApplication::applicationFilePath(), "voll", dir.path());
        anzeigeMs.push_back(a.ms);
        anzeigeKb.push_back(a.kb);
        vollMs.push_back(v.ms);
        vollKb.push_back(v.kb);
        zurueckgesetzt = zurueckgesetzt && a.zurueckgesetzt && v.zurueckgesetzt;
        clip = a.dekodiert;
        ganz = v.dekodiert;
    }
    std::printf("memory: %s\n", zurueckgesetzt ? "peak resident set reset before the step, VmHWM - VmRSS"
                                               : "peak could not be reset: VmHWM after - VmRSS before");
    std::printf("decoded: %d x %d pixels shown, %d x %d pixels in the full decode\n", clip.width(),
                clip.height(), ganz.width(), ganz.height());
    const double aMs = bench::median(anzeigeMs), vMs = bench::median(vollMs);
    const double aMb = bench::median(anzeigeKb) / 1024.0, vMb = bench::median(vollKb) / 1024.0;
    bench::detail("show in imgBild: time (median)", aMs, "ms");
    bench::detail("full decode with QImageReader: time (median)", vMs, "ms");
    bench::detail("full decode with QImageReader: extra peak memory (median)", vMb, "MB");
    bench::figure("show a 4000 x 3000 JPEG: full decode takes ... times as long", vMs / aMs, "x",
                  ">= 8 (1/8)", vMs / aMs >= 8.0);
    bench::figure("show a 4000 x 3000 JPEG: extra peak memory (median)", aMb, "MB", "<= 8 MB", aMb <= 8.0);
    return 0;
}
