// Screen changes of the real game on the offscreen platform: from the click that
// leads on to the first painted frame of the next screen. The time covers the
// handler (unload of the old screen, load and show of the new one), the paint
// and the deletion of the old screen's window.
//
// The game starts on the about screen with a copy of the default picture folder
// and walks to the menu; then it plays rounds of levels 1 and 2 in turn by real
// mouse clicks: menu, presentation, board, result, menu again. Clicks that stay
// on their screen (the next picture, a word picked) are timed as well, apart.
//
// Then the benchmark runs itself once more with "--tafel 1920x1080": the same
// rounds with the game at a board of 1920 x 1080, every screen enlarged 1.8
// times on its backdrop, as "kieselblick --tafel" shows it there.
#include "messung.h"
#include "spielzug.h"

#include <QProcess>
#include <QTemporaryDir>
#include <map>

namespace {

constexpr int Runden = 300;

struct Zeiten {
    std::vector<double> wechsel;                     // every screen change
    std::map<QString, std::vector<double>> nachZiel; // by the screen that opens
    std::vector<double> schritte;                    // clicks that stay on their screen
    std::vector<std::pair<QString, double>> ersteWege;
};

void spieleRunde(bench::Malwache& wache, int stufe, Zeiten& z)
{
    int wechsel = 0;
    while (wechsel < 4) { // to the presentation, the board, the result, the menu
        bool gewechselt = false;
        const double ms = bench::einKlick(wache, stufe, gewechselt);
        if (!gewechselt) {
            z.schritte.push_back(ms);
            continue;
        }
        ++wechsel;
        z.wechsel.push_back(ms);
        z.nachZiel[bench::aktuelleForm().name()].push_back(ms);
    }
}

void druckeErgebnis(const Zeiten& z, bool tafel)
{
    for (const auto& [name, ms] : z.ersteWege)
        bench::detail(qPrintable(QStringLiteral("first change to %1 (its first visit)").arg(name)), ms, "ms");
    for (const auto& [name, v] : z.nachZiel)
        bench::detail(qPrintable(QStringLiteral("change to %1 (median of %2)").arg(name).arg(v.size())),
                      bench::median(v), "ms");
    bench::detail("click that stays on its screen (median)", bench::median(z.schritte), "ms");
    bench::detail("screen change, 90th percentile", bench::percentile(z.wechsel, 0.9), "ms");
    bench::detail("screen change, slowest", bench::percentile(z.wechsel, 1.0), "ms");
    const double m = bench::median(z.wechsel);
    const double ziel = tafel ? 8.0 : 5.0;
    bench::figure(qPrintable(QStringLiteral("%1screen change, click to first paint (median of %2)")
                                 .arg(tafel ? QStringLiteral("at a board: ") : QString())
                                 .arg(z.wechsel.size())),
                  m, "ms", tafel ? "<= 8 ms" : "<= 5 ms", m <= ziel);
}

// The same rounds at a board, in a process of its own: Qt's scale is set when
// the application object is made.
int anDerTafel()
{
    std::printf("\nat a board of 1920 x 1080:\n");
    std::fflush(stdout);
    QProcess kind;
    kind.setProcessChannelMode(QProcess::ForwardedChannels);
    kind.start(QCoreApplication::applicationFilePath(),
               {QStringLiteral("--tafel"), QStringLiteral("1920x1080")});
    kind.waitForFinished(-1);
    return kind.exitStatus() == QProcess::NormalExit ? kind.exitCode() : 2;
}

} // namespace

int main(int argc, char* argv[])
{
    bench::vorbereiten();
    QTemporaryDir bildschirm;
    const auto app = bench::anwendung(argc, argv, bildschirm.path());
    QTemporaryDir ordner;
    bench::Dienste dienste;
    bench::spielEinrichten(dienste, ordner.path());
    bench::Malwache wache;

    kb::programmStarten();
    wache.warteAuf(bench::aktuelleForm().window(), 0);
    Zeiten z;
    while (bench::aktuelleForm().name() != QLatin1String("frmSchwierigkeit")) {
        bool gewechselt = false;
        const double ms = bench::einKlick(wache, 1, gewechselt);
        z.ersteWege.emplace_back(bench::aktuelleForm().name(), ms);
    }
    for (int runde = 0; runde < Runden; ++runde)
        spieleRunde(wache, 1 + runde % 2, z);
    druckeErgebnis(z, app->onBoard());
    return app->onBoard() ? 0 : anDerTafel();
}
