// Repairing a teacher's folder of 200 phone photos (4000 x 3000 JPEG, every one
// too large for the picture area): each is scaled down to the size the child
// sees, written as a new file, and its original moved to "aussortiert/original".
// Next to it, the anchor: fully decoding the same 200 files with QImageReader.
// The folder is made by fotos.h, once for the anchor and once, anew, for the
// repair, which changes it.
#include "bilderordner/kern/reparatur.h"
#include "fotos.h"
#include "messung.h"

#include <QElapsedTimer>

namespace {

constexpr int Fotos = 200;

} // namespace

int main(int argc, char* argv[])
{
    const bench::Fotoumgebung umgebung(argc, argv, Fotos);
    const QString& bilder = umgebung.bilder;
    bench::dekodiereAlle(bilder); // the page cache
    const double voll = bench::dekodiereAlle(bilder);

    QElapsedTimer uhr;
    uhr.start();
    const QStringList zeilen = kbb::repariere(bilder);
    const double reparatur = double(uhr.nsecsElapsed()) / 1e6;
    const long verkleinert = long(zeilen.filter(QStringLiteral("verkleinert")).size());
    const long peak = bench::statusKb("VmHWM");

    bench::detail("full decode of the 200 photos with QImageReader (anchor)", voll / Fotos, "ms/photo");
    bench::detail("photos scaled down by repair", verkleinert);
    bench::detail("peak memory of this process", double(peak) / 1024.0, "MB");
    bench::figure("repair of 200 photos, per photo", reparatur / Fotos, "ms/photo", "< full decode",
                  reparatur < voll && verkleinert == Fotos);
    return 0;
}
