// Checking a teacher's folder of 200 phone photos (4000 x 3000 JPEG) with
// `kieselblick-bilder --check`, next to fully decoding the same 200 files.
//
// The folder is made by fotos.h. Each run times, in turn:
//   check  the real program, `kieselblick-bilder --check FOLDER`, from process
//          start to its end, on the offscreen platform;
//   voll   QImageReader decoding every file whole, orientation applied, in this
//          process.
// One warm-up of each fills the page cache; the figures are medians of the runs.
#include "bilderordner/kern/pruefung.h"
#include "fotos.h"
#include "messung.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>

namespace {

constexpr int Fotos = 200;
constexpr int Laeufe = 3;

double pruefeMitProgramm(const QString& bilder)
{
    QElapsedTimer uhr;
    uhr.start();
    QProcess p;
    p.start(QStringLiteral(KBB_PROGRAMM), {QStringLiteral("--check"), bilder});
    p.waitForFinished(600000);
    const double ms = double(uhr.nsecsElapsed()) / 1e6;
    // Every photo is too large: the folder is playable but not all in order (1).
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 1) {
        std::fprintf(stderr, "--check failed: %s\n", p.readAllStandardError().constData());
        std::exit(1);
    }
    return ms;
}

} // namespace

int main(int argc, char* argv[])
{
    const bench::Fotoumgebung umgebung(argc, argv, Fotos);
    const QString& bilder = umgebung.bilder;
    std::printf("folder: %d photos of 4000 x 3000 JPEG, %lld KB each on average; "
                "%d runs of each kind, in turn, after a warm-up\n",
                Fotos, QFileInfo(bilder + QStringLiteral("/Foto000.jpg")).size() / 1024, Laeufe);

    pruefeMitProgramm(bilder);
    bench::dekodiereAlle(bilder);
    std::vector<double> check, voll;
    for (int i = 0; i < Laeufe; ++i) {
        check.push_back(pruefeMitProgramm(bilder));
        voll.push_back(bench::dekodiereAlle(bilder));
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
