// Cold start: from starting a process to the first painted frame of its first
// window. Three programs are started as fresh child processes of this one, in
// turn, so that disk caches and machine load treat them alike:
//   game     the game's real start-up, up to the about screen;
//   minimal  a minimal Qt Widgets program: one window of the about screen's size
//            with one line of text;
//   empty    the same window without the text.
// Each child ends the moment its first frame has been painted. The target
// compares the game with the minimal program. A window that shows text is what
// makes Qt read the system's font configuration, which every program that shows
// a word pays for; the empty window skips that and is printed for comparison.
#include "messung.h"
#include "programmstart.h"
#include "toolkit/controls.h"
#include "toolkit/program.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdio>

namespace {

constexpr int Runden = 41;
constexpr std::array<const char*, 3> Arten{"game", "minimal", "empty"};

// Reports the first paint of any top-level window once the paint is done, and
// ends the process.
class ErsterFrame : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() && !gemeldet_) {
            gemeldet_ = true;
            QTimer::singleShot(0, [] {
                std::puts("painted");
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool gemeldet_ = false;
};

int kind(int argc, char* argv[], const QByteArray& art)
{
    bench::stillePlattform();
    QApplication app(argc, argv);
    ErsterFrame wache;
    app.installEventFilter(&wache);
    if (art == "game") {
        // As src/main.cpp does it.
        kb::programmEinrichten();
        kb::programmStarten();
    } else {
        auto* fenster = art == "minimal" ? new QLabel(QStringLiteral("Hallo Welt!")) : new QWidget;
        fenster->resize(656, 475);
        fenster->show();
    }
    return QApplication::exec();
}

double einLauf(const QString& self, const char* art)
{
    QProcess p;
    QElapsedTimer uhr;
    uhr.start();
    p.start(self, {QString::fromLatin1(art)});
    if (!p.waitForReadyRead(20000) || !p.readAllStandardOutput().startsWith("painted")) {
        std::fprintf(stderr, "the %s program painted nothing\n", art);
        std::exit(1);
    }
    const double ms = double(uhr.nsecsElapsed()) / 1e6;
    p.waitForFinished(5000);
    return ms;
}

} // namespace

int main(int argc, char* argv[])
{
    kbwerkzeug::offscreenWennNichtGewaehlt();
    for (const char* art : Arten)
        if (argc > 1 && qstrcmp(argv[1], art) == 0)
            return kind(argc, argv, art);

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    std::array<std::vector<double>, Arten.size()> ms;
    for (const char* art : Arten) // the disk cache warms up for all of them
        einLauf(self, art);
    for (int runde = 0; runde < Runden; ++runde)
        for (std::size_t i = 0; i < Arten.size(); ++i) {
            const std::size_t k = (i + std::size_t(runde)) % Arten.size(); // each goes first in turn
            ms[k].push_back(einLauf(self, Arten[k]));
        }
    const double spiel = bench::median(ms[0]), minimal = bench::median(ms[1]), leer = bench::median(ms[2]);
    std::printf("%d runs of each program, in turn, on the %s platform\n", Runden,
                qgetenv("QT_QPA_PLATFORM").constData());
    bench::detail("first frame, game (median)", spiel, "ms");
    bench::detail("first frame, minimal Qt program with text (median)", minimal, "ms");
    bench::detail("first frame, empty Qt window (median)", leer, "ms");
    bench::detail("ratio game / empty window (for comparison)", spiel / leer, "x");
    bench::figure("cold start, ratio game / minimal Qt program", spiel / minimal, "x", "<= 1.3",
                  spiel / minimal <= 1.3);
    return 0;
}
