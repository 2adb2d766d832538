// Screen changes of the real game on the offscreen platform: from the click that
// leads on to the first painted frame of the next screen. The time covers the
// handler (unload of the old screen, load and show of the new one), the paint
// and the deletion of the old screen's window.
//
// The game starts on the about screen with a copy of the default picture folder
// and walks to the menu; then it plays rounds of levels 1 and 2 in turn by real
// mouse clicks: menu, presentation, board, result, menu again. Clicks that stay
// on their screen (the next picture, a word picked) are timed as well, apart.
#include "messung.h"
#include "spielzug.h"

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

void druckeErgebnis(const Zeiten& z)
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
    bench::figure(
        qPrintable(
            QStringLiteral("screen change, click to first paint (median of %1)").arg(z.wechsel.size())),
        m, "ms", "<= 5 ms", m <= 5.0);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::stillePlattform();
    QApplication app(argc, argv);
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
    druckeErgebnis(z);
    return 0;
}
