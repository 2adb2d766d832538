// The companion's class overview on a school year of results: 25 computers,
// 200 school days, 10 rounds a day on each, so 50,000 records in 5,000 files
// (one per computer and day, as the game writes them), 500 children.
//
// Each run is a fresh child process on the offscreen platform, the files in the
// system's cache (read once before):
//   anchor    reads the bytes of every results file and nothing more;
//   overview  opens the real window on the folder and times from the start of
//             its constructor until the table, chart and words are filled; a
//             10-ms timer runs meanwhile, its largest lateness is how long the
//             window could not answer; then the CSV export of all records
//             through the window; memory is the peak resident set (VmHWM) of
//             the whole process, printed next to that of the same window on an
//             empty folder.
// The figures are medians of five runs of each, in turn.
#include "bilderordner/fenster/klassenuebersicht.h"
#include "ergebnisse/datensatz.h"
#include "messung.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

namespace {

constexpr int Rechner = 25, Tage = 200, RundenAmTag = 10, Kinder = 500, Laeufe = 5;

QStringList woerter()
{
    QStringList w;
    for (const QString& name : QDir(QStringLiteral(KB_SOURCE_DIR "/assets/bilder")).entryList(QDir::Files))
        w.append(name.chopped(4));
    return w;
}

// Writes the school year; gives the bytes written.
qint64 schreibeSchuljahr(const QString& ordner)
{
    const QStringList wort = woerter();
    QRandomGenerator zufall(2026);
    qint64 bytes = 0;
    QDate tag(2025, 9, 1);
    for (int t = 0; t < Tage; tag = tag.addDays(1)) {
        if (tag.dayOfWeek() > 5)
            continue;
        for (int r = 0; r < Rechner; ++r) {
            const QString rechner =
                QStringLiteral("raum%1-pc%2").arg(1 + r / 10).arg(r % 10, 2, 10, QLatin1Char('0'));
            QByteArray inhalt = kb::erg::kopfzeile();
            for (int n = 0; n < RundenAmTag; ++n) {
                kb::erg::Datensatz d;
                d.zeit = QDateTime(tag, QTime(8 + n / 2, 5 * n + r % 5, 0));
                d.rechner = rechner;
                d.benutzer = QStringLiteral("schueler");
                const int kind = (r * 20 + int(zufall.bounded(20))) % Kinder;
                d.name =
                    kind % 7 == 0 ? QStringLiteral("kind %1").arg(kind) : QStringLiteral("Kind %1").arg(kind);
                d.stufe = 1 + int(zufall.bounded(5));
                const int gezeigt = (d.stufe == 1 || d.stufe == 3) ? 4 : 7;
                for (int i = 0; i < gezeigt; ++i)
                    d.gezeigt.append(wort[int(zufall.bounded(wort.size()))]);
                for (const QString& w : std::as_const(d.gezeigt)) {
                    const bool richtig = zufall.bounded(4) != 0;
                    d.gewaehlt.append(richtig ? w : wort[int(zufall.bounded(wort.size()))]);
                    richtig ? ++d.richtige : ++d.falsche;
                }
                inhalt += kb::erg::alsZeile(d);
            }
            QFile f(QDir(ordner).filePath(kb::erg::dateiname(tag, rechner, QStringLiteral("schueler"))));
            if (!f.open(QIODevice::WriteOnly))
                return -1;
            bytes += f.write(inhalt);
        }
        ++t;
    }
    return bytes;
}

int anker(const QString& ordner)
{
    QElapsedTimer uhr;
    uhr.start();
    qint64 bytes = 0;
    for (const QString& name : QDir(ordner).entryList(QDir::Files)) {
        QFile f(QDir(ordner).filePath(name));
        if (f.open(QIODevice::ReadOnly))
            bytes += f.readAll().size();
    }
    std::printf("%f %lld\n", double(uhr.nsecsElapsed()) / 1e6, qlonglong(bytes));
    return 0;
}

int uebersicht(int argc, char* argv[], const QString& ordner, const QString& csv)
{
    bench::stillePlattform();
    QApplication app(argc, argv);
    QElapsedTimer uhr;
    uhr.start();
    kbb::fenster::Klassenuebersicht fenster(ordner, 0, true);
    fenster.show();
    double offen = -1, laengste = 0;
    QTimer takt;
    takt.setTimerType(Qt::PreciseTimer);
    QElapsedTimer seitTakt;
    QObject::connect(&takt, &QTimer::timeout, [&] {
        laengste = std::max(laengste, double(seitTakt.nsecsElapsed()) / 1e6 - 10.0);
        seitTakt.restart();
    });
    QObject::connect(&fenster, &kbb::fenster::Klassenuebersicht::eingelesen, [&] {
        offen = double(uhr.nsecsElapsed()) / 1e6;
        // A little longer, so that the timer sees the stall of filling the window.
        QTimer::singleShot(100, &app, &QApplication::quit);
    });
    seitTakt.start();
    takt.start(10);
    QTimer::singleShot(120000, &app, &QApplication::quit);
    app.exec();
    takt.stop();
    const long vorExport = bench::statusKb("VmHWM");
    uhr.restart();
    const bool geschrieben = fenster.speichereCsv(csv);
    const double export_ = double(uhr.nsecsElapsed()) / 1e6;
    std::printf("%f %f %f %ld %lld %d %ld\n", offen, laengste, export_, bench::statusKb("VmHWM"),
                qlonglong(fenster.auswahl().size()), int(geschrieben), vorExport);
    return 0;
}

QList<QByteArray> lauf(const QStringList& argumente)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), argumente);
    p.waitForFinished(300000);
    return p.exitCode() == 0 ? p.readAllStandardOutput().trimmed().split(' ') : QList<QByteArray>();
}

} // namespace

int main(int argc, char* argv[])
{
    kbwerkzeug::offscreenWennNichtGewaehlt();
    if (argc == 3 && QByteArray(argv[1]) == "--anker")
        return anker(QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && QByteArray(argv[1]) == "--uebersicht")
        return uebersicht(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    QCoreApplication app(argc, argv);
    // --schreibe ORDNER: only writes the school year there, to look at by hand.
    if (argc == 3 && QByteArray(argv[1]) == "--schreibe")
        return QDir().mkpath(QString::fromLocal8Bit(argv[2])) &&
                       schreibeSchuljahr(QString::fromLocal8Bit(argv[2])) > 0
                   ? 0
                   : 1;
    QTemporaryDir dir;
    const QString ordner = dir.filePath(QStringLiteral("ergebnisse"));
    QDir().mkpath(ordner);
    const qint64 bytes = schreibeSchuljahr(ordner);
    std::printf("folder: %d records in %d files, %.1f MB, %d children\n", Rechner * Tage * RundenAmTag,
                Rechner * Tage, double(bytes) / 1e6, Kinder);
    lauf({QStringLiteral("--anker"), ordner}); // into the system's cache
    const QString leer = dir.filePath(QStringLiteral("leer"));
    QDir().mkpath(leer);
    const QList<QByteArray> ohne =
        lauf({QStringLiteral("--uebersicht"), leer, dir.filePath(QStringLiteral("leer.csv"))});
    std::vector<double> lesen, oeffnen, stau, exportieren, speicher, offenSpeicher;
    for (int i = 0; i < Laeufe; ++i) {
        const QList<QByteArray> a = lauf({QStringLiteral("--anker"), ordner});
        const QList<QByteArray> u =
            lauf({QStringLiteral("--uebersicht"), ordner, dir.filePath(QStringLiteral("klasse.csv"))});
        if (a.size() != 2 || u.size() != 7 || u[4].toInt() != Rechner * Tage * RundenAmTag || u[5] != "1") {
            std::fprintf(stderr, "a run failed\n");
            return 1;
        }
        lesen.push_back(a[0].toDouble());
        oeffnen.push_back(u[0].toDouble());
        stau.push_back(u[1].toDouble());
        exportieren.push_back(u[2].toDouble());
        speicher.push_back(u[3].toDouble() / 1024.0);
        offenSpeicher.push_back(u[6].toDouble() / 1024.0);
    }
    const double offen = bench::median(oeffnen), csv = bench::median(exportieren),
                 mb = bench::median(speicher);
    const double anker = bench::median(lesen);
    bench::detail("anchor: reading the bytes of the 5,000 files", anker, "ms");
    bench::detail("opening, in plain reads of the same bytes", offen / anker, "x");
    bench::detail("the same window on an empty folder: peak memory", ohne.value(3).toDouble() / 1024.0, "MB");
    bench::detail("peak memory once opened, before the export", bench::median(offenSpeicher), "MB");
    bench::detail("CSV file written",
                  double(QFileInfo(dir.filePath(QStringLiteral("klasse.csv"))).size()) / 1e6, "MB");
    bench::detail("longest event-loop stall while opening", bench::median(stau), "ms");
    bench::figure("class overview of 50,000 records: opened and filled after", offen, "ms", "<= 1000 ms",
                  offen > 0 && offen <= 1000);
    bench::figure("class overview of 50,000 records: CSV export", csv, "ms", "<= 1000 ms", csv <= 1000);
    bench::figure("class overview of 50,000 records: peak memory (VmHWM)", mb, "MB", "<= 100 MB", mb <= 100);
    return 0;
}
