// Records of finished rounds at the scale of a school.
//
// 1. A computer room finishing rounds at once: 25 writer processes, each a
//    computer of its own, write 400 records each into one folder at the same
//    time. Every record must be there and none torn. The anchor is one process
//    writing the same number of records alone.
// 2. The result screen while records are kept: the real game plays rounds by
//    real clicks, and the change to the result screen is timed with results
//    off, kept in a folder, and kept in a folder on a share that hangs (a FUSE
//    mount whose server is stopped; needs root and bindfs).
#include "ergebnisse/bestand.h"
#include "ergebnisse/schreiber.h"
#include "messung.h"
#include "regeln/einstellungen.h"
#include "spielzug.h"

#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <unistd.h>

namespace {

constexpr int Rechner = 25, ProRechner = 400, Runden = 60;

kb::erg::Datensatz satz(int i, const QString& rechner)
{
    return {QDateTime(QDate(2026, 12, 6), QTime(9, 0).addSecs(i)),
            rechner,
            QStringLiteral("kind"),
            QStringLiteral("Kind %1").arg(i % 30),
            1 + i % 5,
            {QStringLiteral("Affe"), QStringLiteral("Zug")},
            {QStringLiteral("Affe"), QStringLiteral("Hut")},
            1,
            1};
}

int schreibe(const QString& ordner, const QString& rechner, int anzahl)
{
    for (int i = 0; i < anzahl; ++i)
        kb::erg::halteFest(ordner, satz(i, rechner));
    return kb::erg::warteAufSchreiber(120000) ? 0 : 1;
}

void vieleRechner()
{
    QTemporaryDir allein, raum;
    QElapsedTimer uhr;
    uhr.start();
    QProcess anker;
    anker.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--schreibe"), allein.path(), QStringLiteral("pc"),
                 QString::number(Rechner * ProRechner)});
    anker.waitForFinished(300000);
    const double einer = double(uhr.elapsed());
    uhr.restart();
    std::vector<std::unique_ptr<QProcess>> schreiber;
    for (int r = 0; r < Rechner; ++r) {
        schreiber.push_back(std::make_unique<QProcess>());
        schreiber.back()->start(QCoreApplication::applicationFilePath(),
                                {QStringLiteral("--schreibe"), raum.path(), QStringLiteral("pc%1").arg(r),
                                 QString::number(ProRechner)});
    }
    for (auto& p : schreiber)
        p->waitForFinished(300000);
    const double alle = double(uhr.elapsed());
    const kb::erg::Bestand b = kb::erg::lies(raum.path());
    const long fehlend = long(Rechner * ProRechner) - long(b.saetze.size());
    bench::detail("one process writing 10,000 records alone (anchor)", einer, "ms");
    bench::detail("25 processes writing 400 records each at once", alle, "ms");
    bench::figure("records lost of 10,000 written by 25 processes at once", double(fehlend), "records", "0",
                  fehlend == 0);
    bench::figure("torn or unreadable lines", double(b.unlesbareZeilen), "lines", "0",
                  b.unlesbareZeilen == 0);
}

// Median time of the changes to a result screen over some rounds of levels 1 and 2.
double ergebnisWechsel(bench::Malwache& wache)
{
    std::vector<double> zeiten;
    for (int runde = 0; runde < Runden; ++runde) {
        int wechsel = 0;
        while (wechsel < 4) {
            bool gewechselt = false;
            const double ms = bench::einKlick(wache, 1 + runde % 2, gewechselt);
            wechsel += gewechselt;
            if (gewechselt && bench::aktuelleForm().name().startsWith(QLatin1String("frmAuswert")))
                zeiten.push_back(ms);
        }
    }
    return bench::median(zeiten);
}

// The game, started anew with the given configuration, walked to the menu.
double spieleMit(bench::Dienste& dienste, bench::Malwache& wache, const QString& konfiguration)
{
    dienste.konfiguration = konfiguration;
    tk::Program::instance().reset();
    kb::einstellungenNeuLesen();
    kb::programmStarten();
    while (bench::aktuelleForm().name() != QLatin1String("frmSchwierigkeit")) {
        bool gewechselt = false;
        bench::einKlick(wache, 1, gewechselt);
    }
    return ergebnisWechsel(wache);
}

void ergebnisschirm()
{
    QTemporaryDir ordner;
    bench::Dienste dienste;
    bench::spielEinrichten(dienste, ordner.path());
    bench::Malwache wache;
    const auto konfiguration = [&ordner](const QString& ergebnisse) {
        const QString datei = ordner.filePath(QStringLiteral("k%1.conf").arg(qHash(ergebnisse)));
        QFile f(datei);
        f.open(QIODevice::WriteOnly);
        f.write("[Ergebnisse]\nAufheben=ja\nOrdner=" + QFile::encodeName(ergebnisse) + "\n");
        return datei;
    };
    const double aus = spieleMit(dienste, wache, QStringLiteral("/nonexistent"));
    QDir().mkpath(ordner.filePath(QStringLiteral("ergebnisse")));
    const double an = spieleMit(dienste, wache, konfiguration(ordner.filePath(QStringLiteral("ergebnisse"))));
    bench::detail("change to the result screen, results off (anchor, median)", aus, "ms");
    bench::figure("change to the result screen, results kept (median)", an, "ms", "<= 5 ms", an <= 5.0);
    const QString share = ordner.filePath(QStringLiteral("share"));
    QDir().mkpath(share);
    QProcess bindfs;
    if (::geteuid() == 0)
        bindfs.start(QStringLiteral("bindfs"),
                     {QStringLiteral("-f"), ordner.filePath(QStringLiteral("ergebnisse")), share});
    if (!bindfs.waitForStarted(5000)) {
        std::printf("  (a hanging share needs root and bindfs: not measured)\n");
        return;
    }
    for (int i = 0; i < 250 && QStorageInfo(share).rootPath() != share; ++i)
        QThread::msleep(20);
    ::kill(pid_t(bindfs.processId()), SIGSTOP);
    const double haengt = spieleMit(dienste, wache, konfiguration(share));
    bench::figure("change to the result screen, share hangs (median)", haengt, "ms", "<= 5 ms",
                  haengt <= 5.0);
    ::kill(pid_t(bindfs.processId()), SIGCONT);
    kb::erg::warteAufSchreiber(10000);
    QProcess::execute(QStringLiteral("fusermount"), {QStringLiteral("-u"), share});
    bindfs.waitForFinished(5000);
}

} // namespace

int main(int argc, char* argv[])
{
    bench::vorbereiten();
    QApplication app(argc, argv);
    if (argc == 5 && QByteArray(argv[1]) == "--schreibe")
        return schreibe(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), std::atoi(argv[4]));
    vieleRechner();
    ergebnisschirm();
    return 0;
}
