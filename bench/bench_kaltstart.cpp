// Cold start: from starting a process to the first painted frame of its first
// window, for the game (its real start-up up to the about screen) and for a
// minimal Qt Widgets program that shows one empty window. Both run as fresh
// child processes, alternately, so that disk caches and load treat them alike.
#include "messung.h"
#include "shell/programmstart.h"
#include "shell/toolkit/programm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

// Reports the first paint of any top-level window and ends the process.
class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() && !done_) {
            done_ = true;
            QTimer::singleShot(0, [] {
                std::puts("painted");
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool done_ = false;
};

int child(int argc, char* argv[], bool game)
{
    QApplication app(argc, argv);
    FirstPaint watch;
    app.installEventFilter(&watch);
    if (game) {
        kb::programmEinrichten();
        tk::Program::instance().start(kb::ersterBildschirm());
    } else {
        auto* w = new QWidget;
        w->resize(656, 475);
        w->show();
    }
    return QApplication::exec();
}

double runOnce(const QString& self, const char* kind)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(self, {QString::fromLatin1(kind)});
    if (!p.waitForReadyRead(20000))
        return -1;
    const double ms = t.nsecsElapsed() / 1e6;
    p.waitForFinished(5000);
    return ms;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    if (argc > 1 && qstrcmp(argv[1], "game") == 0)
        return child(argc, argv, true);
    if (argc > 1 && qstrcmp(argv[1], "minimal") == 0)
        return child(argc, argv, false);

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> game, minimal;
    runOnce(self, "game"); // warm the disk cache for both
    runOnce(self, "minimal");
    for (int i = 0; i < 15; ++i) {
        game.push_back(runOnce(self, "game"));
        minimal.push_back(runOnce(self, "minimal"));
    }
    const double g = bench::median(game);
    const double m = bench::median(minimal);
    bench::figure("cold start to first frame, game (median of 15)", g, "ms", "", true);
    bench::figure("cold start to first frame, minimal Qt program", m, "ms", "", true);
    bench::figure("cold start ratio game / minimal", g / m, "x", "<= 1.3", g / m <= 1.3);
    return 0;
}
