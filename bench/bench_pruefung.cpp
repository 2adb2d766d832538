// Checking a teacher's folder of 200 phone photos (4000 x 3000 JPEG) with
// `kieselblick-bilder --check`, next to fully decoding the same 200 files.
//
// The folder holds four photo-like JPEGs of different grain, each copied 50
// times (making 200 distinct photos would only cost set-up time; every copy is a
// file of its own, read from its own pages). Each run times, in turn:
//   check  the real program, `kieselblick-bilder --check FOLDER`, from process
//          start to its end, on the offscreen platform;
//   voll   QImageReader decoding every file whole, orientation applied, in this
//          process.
// One warm-up of each fills the page cache; the figures are medians of the runs.
#include "bilderordner/kern/pruefung.h"
#include "messung.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

constexpr int Fotos = 200;
constexpr int Vorlagen = 4;
constexpr int Laeufe = 3;

// A photo-like picture: soft gradients with grain, as in bench_bildanzeige.
void schreibeFoto(const QString& path, quint32 seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = int(rng.bounded(24u));
            line[x] = qRgb((x / 16 + grain) & 0xFF, (y / 12 + grain) & 0xFF, ((x + y) / 28 + grain) & 0xFF);
        }
    }
    image.save(path, "JPEG", 90);
}

void richteOrdnerEin(const QString& ordner)
{
    for (int v = 0; v < Vorlagen; ++v)
        schreibeFoto(ordner + QStringLiteral("/vorlage%1.jpg").arg(v), quint32(42 + v));
    QDir().mkpath(ordner + QStringLiteral("/bilder"));
    for (int i = 0; i < Fotos; ++i)
        QFile::copy(ordner + QStringLiteral("/vorlage%1.jpg").arg(i % Vorlagen),
                    ordner + QStringLiteral("/bilder/Foto%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
}

double pruefeMitProgramm(const QString& bilder)
{
    QElapsedTimer uhr;
    uhr.start();
    QProcess p;
    p.start(QStringLiteral(KBB_PROGRAMM), {QStringLiteral("--check"), bilder});
    p.waitForFinished(600000);
    const double ms = double(uhr.nsecsElapsed()) / 1e6;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "--check failed: %s\n", p.readAllStandardError().constData());
        std::exit(1);
    }
    return ms;
}

double dekodiereAlle(const QString& bilder)
{
    QElapsedTimer uhr;
    uhr.start();
    for (const QString& name : QDir(bilder).entryList(QDir::Files)) {
        QImageReader reader(bilder + QLatin1Char('/') + name);
        reader.setAutoTransform(true);
        if (reader.read().isNull())
            std::exit(1);
    }
    return double(uhr.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::stillePlattform();
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    richteOrdnerEin(dir.path());
    const QString bilder = dir.path() + QStringLiteral("/bilder");
    std::printf("folder: %d photos of 4000 x 3000 JPEG (%d originals copied), %lld KB each on average; "
                "%d runs of each kind, in turn, after a warm-up\n",
                Fotos, Vorlagen, QFileInfo(bilder + QStringLiteral("/Foto000.jpg")).size() / 1024, Laeufe);

    pruefeMitProgramm(bilder);
    dekodiereAlle(bilder);
    std::vector<double> check, voll;
    for (int i = 0; i < Laeufe; ++i) {
        check.push_back(pruefeMitProgramm(bilder));
        voll.push_back(dekodiereAlle(bilder));
    }
    QElapsedTimer uhr;
    uhr.start();
    const kbb::Ordnerbericht b = kbb::pruefeOrdner(bilder);
    const double kern = double(uhr.nsecsElapsed()) / 1e6;

    const double c = bench::median(check), v = bench::median(voll);
    bench::detail("kieselblick-bilder --check, whole process (median)", c, "ms");
    bench::detail("the same judgement in this process, without start-up", kern, "ms");
    bench::detail("full decode of the 200 files with QImageReader (median)", v, "ms");
    bench::detail("full decode takes ... times as long as --check", v / c, "x");
    bench::detail("findings in the folder (every photo is too large)", long(b.befundZeilen().size()));
    bench::figure("--check of 200 photos: share of the full decode's time", c / v, "", "<= 1/6 (0.167)",
                  c / v <= 1.0 / 6.0);
    return 0;
}
