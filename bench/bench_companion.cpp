// The companion's window opened on a folder of 1,000 phone photos of 12
// megapixels (4000 x 3000 JPEGs).
//
// Four photo-like JPEGs are written once and each stands for 250 files of the
// folder: the files are hard links (copies where links are refused), so the
// folder costs the disk 4 photos while every file is read and decoded as a file
// of its own. The window then runs in a fresh child process on the offscreen
// platform and measures, from the start of the window's constructor:
//   first     until the first thumbnail is painted;
//   stalls    the longest lateness of a 10-ms timer from the first thumbnail
//             painted until every thumbnail is decoded and the folder's report
//             has arrived (the opening itself, up to the first thumbnail, is
//             the first figure; its longest lateness is printed beside it);
//   memory    the peak resident set of the whole process (VmHWM).
#include "bilderordner/fenster/bilderfenster.h"
#include "bilderordner/fenster/vorschaubilder.h"
#include "messung.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <unistd.h>

namespace {

constexpr int Dateien = 1000;
constexpr int Vorlagen = 4;

// Soft gradients with grain, so that the JPEG is as large and as slow to decode
// as a real photo of that size.
void schreibeFoto(const QString& pfad, quint32 saat)
{
    QImage bild(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator rng(saat);
    const int versatz = int(saat) * 37;
    for (int y = 0; y < bild.height(); ++y) {
        auto* zeile = reinterpret_cast<QRgb*>(bild.scanLine(y));
        for (int x = 0; x < bild.width(); ++x) {
            const int korn = int(rng.bounded(24u));
            zeile[x] =
                qRgb((x / 16 + versatz + korn) & 0xFF, (y / 12 + korn) & 0xFF, ((x + y) / 28 + korn) & 0xFF);
        }
    }
    bild.save(pfad, "JPEG", 90);
}

qint64 richteOrdnerEin(const QString& ordner, const QString& vorlagen)
{
    QDir().mkpath(ordner);
    QDir().mkpath(vorlagen);
    qint64 bytes = 0;
    for (int v = 0; v < Vorlagen; ++v) {
        schreibeFoto(QDir(vorlagen).filePath(QStringLiteral("%1.jpg").arg(v)), quint32(v + 1));
        bytes += QFileInfo(QDir(vorlagen).filePath(QStringLiteral("%1.jpg").arg(v))).size();
    }
    for (int i = 0; i < Dateien; ++i) {
        const QByteArray von =
            QFile::encodeName(QDir(vorlagen).filePath(QStringLiteral("%1.jpg").arg(i % Vorlagen)));
        const QString nach =
            QDir(ordner).filePath(QStringLiteral("Foto %1.jpg").arg(i + 1, 4, 10, QLatin1Char('0')));
        if (::link(von.constData(), QFile::encodeName(nach).constData()) != 0)
            QFile::copy(QString::fromLocal8Bit(von), nach);
    }
    return bytes / Vorlagen;
}

int kind(int argc, char* argv[], const QString& ordner)
{
    bench::stillePlattform();
    QApplication app(argc, argv);
    QElapsedTimer uhr;
    uhr.start();
    kbb::fenster::Bilderfenster fenster(ordner, QString());
    double erstes = -1, bericht = -1, spaetestens = 0;
    QObject::connect(&fenster, &kbb::fenster::Bilderfenster::ersteVorschauGemalt,
                     [&] { erstes = double(uhr.nsecsElapsed()) / 1e6; });
    QObject::connect(&fenster, &kbb::fenster::Bilderfenster::berichtAngekommen,
                     [&] { bericht = double(uhr.nsecsElapsed()) / 1e6; });
    fenster.show();

    // The timer's lateness is how long the event loop could not answer.
    QTimer takt;
    takt.setTimerType(Qt::PreciseTimer);
    QElapsedTimer seitTakt;
    double laengste = 0, anfang = 0;
    std::vector<double> verspaetungen;
    QObject::connect(&takt, &QTimer::timeout, [&] {
        const double ms = double(seitTakt.nsecsElapsed()) / 1e6;
        seitTakt.restart();
        // Before the first thumbnail the window is still opening: that time is
        // the first figure. The stalls that count come while the rest load.
        if (erstes < 0) {
            anfang = std::max(anfang, ms - 10.0);
        } else {
            laengste = std::max(laengste, ms - 10.0);
            verspaetungen.push_back(ms - 10.0);
        }
        if (fenster.berichtDa() && fenster.vorschaubilder()->fertig()) {
            spaetestens = double(uhr.nsecsElapsed()) / 1e6;
            app.quit();
        }
    });
    seitTakt.start();
    takt.start(10);
    QTimer::singleShot(600000, &app, &QApplication::quit);
    app.exec();
    std::printf("%f %f %f %f %f %ld %lld %f\n", erstes, laengste, bench::percentile(verspaetungen, 0.99),
                bericht, spaetestens, bench::statusKb("VmHWM"),
                qlonglong(fenster.vorschaubilder()->belegteBytes() / 1024), anfang);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    kbwerkzeug::offscreenWennNichtGewaehlt();
    if (argc == 3 && QByteArray(argv[1]) == "--kind")
        return kind(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString ordner = dir.filePath(QStringLiteral("bilder"));
    const qint64 groesse = richteOrdnerEin(ordner, dir.filePath(QStringLiteral("vorlagen")));
    std::printf(
        "folder: %d photos of 4000 x 3000 pixels (%d different JPEGs of about %lld KB, hard-linked)\n",
        Dateien, Vorlagen, groesse / 1024);

    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--kind"), ordner});
    p.waitForFinished(900000);
    const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
    if (p.exitCode() != 0 || f.size() != 8) {
        std::fprintf(stderr, "the window's run failed\n");
        return 1;
    }
    const double erstes = f[0].toDouble(), stau = f[1].toDouble(), p99 = f[2].toDouble();
    const double mb = f[5].toDouble() / 1024.0;
    bench::detail("the folder's report arrived after", f[3].toDouble() / 1000.0, "s");
    bench::detail("every thumbnail and the report in after", f[4].toDouble() / 1000.0, "s");
    bench::detail("thumbnail cache at the end", f[6].toDouble() / 1024.0, "MB");
    bench::detail("timer lateness while the rest load, 99th percentile", p99, "ms");
    bench::detail("longest lateness while opening, up to the first thumbnail", f[7].toDouble(), "ms");
    bench::figure("companion on 1,000 photos: first thumbnails painted after", erstes, "ms", "<= 500 ms",
                  erstes >= 0 && erstes <= 500);
    bench::figure("companion on 1,000 photos: longest event-loop stall", stau, "ms", "<= 50 ms", stau <= 50);
    bench::figure("companion on 1,000 photos: peak memory (VmHWM)", mb, "MB", "<= 200 MB", mb <= 200);
    return 0;
}
