#include "toolkit/application.h"

#include "toolkit/backdrop.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace tk {

namespace {

constexpr const char* ScaleVariable = "QT_SCALE_FACTOR";

// A factor the desktop or the user has set for every Qt program already; ours
// comes on top of it.
double outerScale()
{
    bool ok = false;
    const double factor = qEnvironmentVariable(ScaleVariable).toDouble(&ok);
    return ok && factor > 0 ? factor : 1.0;
}

QScreen* screenNamed(const QString& name)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    const auto found =
        std::find_if(screens.begin(), screens.end(), [&](const QScreen* s) { return s->name() == name; });
    return found != screens.end() ? *found : QGuiApplication::primaryScreen();
}

} // namespace

Application::Application(int& argc, char** argv)
{
    for (int i = 0; i < argc; ++i)
        arguments_.emplace_back(argv[i]);
    make();
}

Application::~Application()
{
    backdrop_.reset();
    app_.reset();
}

// Qt takes its own options out of the list it is given, so each application
// object gets a fresh list of the arguments as the program received them.
void Application::make()
{
    argv_.clear();
    for (QByteArray& argument : arguments_)
        argv_.push_back(argument.data());
    argv_.push_back(nullptr);
    argc_ = int(arguments_.size());
    app_ = std::make_unique<QApplication>(argc_, argv_.data());
}

QScreen* Application::boardScreen() const
{
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    return screen ? screen : QGuiApplication::primaryScreen();
}

void Application::showOnBoard(QSize design, OleColor colour)
{
    QScreen* screen = boardScreen();
    if (!screen || design.isEmpty() || backdrop_)
        return;
    const QRect area = screen->geometry();
    const double factor =
        std::min(double(area.width()) / design.width(), double(area.height()) / design.height());
    if (std::abs(factor - 1.0) > 1e-9) {
        const QString name = screen->name();
        const QByteArray before = qgetenv(ScaleVariable);
        const double scaled = outerScale() * factor;
        app_.reset();
        qputenv(ScaleVariable, QString::number(scaled, 'g', QLocale::FloatingPointShortest).toLatin1());
        make();
        // Programs started from the game, such as a browser for a link, keep
        // the desktop's own scale.
        if (before.isNull())
            qunsetenv(ScaleVariable);
        else
            qputenv(ScaleVariable, before);
        screen = screenNamed(name);
    }
    backdrop_ = std::make_unique<Backdrop>(screen, colour);
}

void Application::hidePointer()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
}

int Application::exec()
{
    const int status = QApplication::exec();
    if (backdrop_)
        backdrop_->hide();
    return status;
}

} // namespace tk
