// Ten thousand rounds of level 1 in one process, through the real screens and by
// real mouse clicks, on the offscreen platform with a copy of the default picture
// folder: menu, four pictures, the board's four picks, the result screen, and
// "&Noch einmal" back to the menu. After the last round "&Ende" ends the program.
//
// Memory is the resident set after round 100, once the first rounds have set up
// what the game keeps (fonts, glyphs), and after the last round. The stack depth
// is measured inside the click handlers: the random numbers of the draw and of
// the board come from the services, which note how far below main's frame their
// own local variable lies.
#include "messung.h"
#include "spielzug.h"

#include <QTemporaryDir>
#include <climits>
#include <cstdint>

namespace {

constexpr int Runden = 10000;
constexpr int Bezug = 100;

std::uintptr_t stackBasis = 0;

class MessDienste : public bench::Dienste {
public:
    // The deepest stack position seen in a handler since the last reset.
    std::uintptr_t tiefste = UINTPTR_MAX;

    float rnd() override
    {
        int hier = 0;
        tiefste = std::min(tiefste, reinterpret_cast<std::uintptr_t>(&hier));
        return bench::Dienste::rnd();
    }
    long tiefeBytes() const { return long(stackBasis - tiefste); }
};

struct Stand {
    long rssKb = 0;
    long tiefe = 0;
    qsizetype widgets = 0;
};

// One click where a child would click; true when it led to another screen.
bool klick(int stufe)
{
    const tk::Form* vorher = &bench::aktuelleForm();
    bench::klick(bench::weiterKlick(*vorher, stufe));
    bench::ruhe();
    return &bench::aktuelleForm() != vorher;
}

// From the menu to the result screen: frmSchw1, frmAusw1, frmAuswert1.
void spieleRunde(MessDienste& dienste)
{
    dienste.tiefste = UINTPTR_MAX;
    int wechsel = 0;
    while (wechsel < 3)
        wechsel += klick(1) ? 1 : 0;
}

Stand stand(const MessDienste& dienste)
{
    return {bench::statusKb("VmRSS"), dienste.tiefeBytes(), QApplication::allWidgets().size()};
}

} // namespace

int main(int argc, char* argv[])
{
    int basis = 0;
    stackBasis = reinterpret_cast<std::uintptr_t>(&basis);
    bench::vorbereiten();
    QApplication app(argc, argv);
    QTemporaryDir ordner;
    MessDienste dienste;
    bench::spielEinrichten(dienste, ordner.path());

    kb::programmStarten();
    bench::ruhe();
    while (bench::aktuelleForm().name() != QLatin1String("frmSchwierigkeit"))
        klick(1);
    QElapsedTimer uhr;
    uhr.start();
    Stand erste, bezug;
    long tiefsteAlle = 0, flachsteAlle = LONG_MAX;
    for (int runde = 1; runde <= Runden; ++runde) {
        if (runde > 1)
            klick(1); // "&Noch einmal"
        spieleRunde(dienste);
        tiefsteAlle = std::max(tiefsteAlle, dienste.tiefeBytes());
        flachsteAlle = std::min(flachsteAlle, dienste.tiefeBytes());
        if (runde == 1)
            erste = stand(dienste);
        if (runde == Bezug)
            bezug = stand(dienste);
    }
    const Stand letzte = stand(dienste);
    const double sekunden = double(uhr.elapsed()) / 1000.0;

    // The result screen is showing again: "&Ende" ends the program.
    QWidget* ende = bench::aktuelleForm().find<tk::CommandButton>(QStringLiteral("cmdEnde")).widget();
    QTest::mouseClick(ende, Qt::LeftButton);
    bench::ruhe();

    std::printf("%d rounds of level 1 in %.1f s (%.2f ms a round)\n", Runden, sekunden,
                sekunden * 1000.0 / Runden);
    std::printf("the program ended through \"&Ende\": %s, status %d, %d screens left\n",
                dienste.beendet ? "yes" : "NO", dienste.status, tk::Program::instance().loadedCount());
    bench::detail("resident memory after round 1", double(erste.rssKb) / 1024.0, "MB");
    bench::detail("resident memory after round 100", double(bezug.rssKb) / 1024.0, "MB");
    bench::detail("resident memory after round 10,000", double(letzte.rssKb) / 1024.0, "MB");
    bench::detail("live widgets after round 100", long(bezug.widgets));
    bench::detail("live widgets after round 10,000", long(letzte.widgets));
    bench::detail("stack depth in a handler, round 1", double(erste.tiefe), "bytes");
    bench::detail("stack depth in a handler, round 10,000", double(letzte.tiefe), "bytes");
    const double wachstum = double(letzte.rssKb - bezug.rssKb) / 1024.0;
    bench::figure("memory growth, round 100 to round 10,000", wachstum, "MB", "<= 2 MB", wachstum <= 2.0);
    const double spanne = double(tiefsteAlle - flachsteAlle);
    bench::figure("stack depth in a handler, deepest - shallowest round", spanne, "bytes", "0 (flat)",
                  spanne == 0);
    return dienste.beendet ? 0 : 1;
}
