#include "shell/programmstart.h"

#include "about/registrierung.h"
#include "answers/registrierung.h"
#include "presentation/registrierung.h"
#include "shell/registrierung.h"
#include "toolkit/programm.h"

#include <QGuiApplication>
#include <QIcon>

// The icon, the drawings and the instruction document are compiled into the
// game's static library; nothing in the program refers to that part by name, so
// the linker would leave it out unless it is pulled in here. The macro must
// stand outside any namespace.
static void ressourcenEinbinden()
{
    Q_INIT_RESOURCE(assets);
}

namespace kb {

namespace {

QIcon fenstersymbol()
{
    QIcon icon;
    for (const char* file : {":/icon-16.png", ":/icon-32.png", ":/icon-48.png", ":/icon-256.png"})
        icon.addFile(QString::fromLatin1(file));
    return icon;
}

} // namespace

void programmEinrichten()
{
    QCoreApplication::setApplicationName(QStringLiteral("Kieselblick"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KB_VERSION_STRING));
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tavo_kolleg.kieselblick"));
    ressourcenEinbinden();
    QGuiApplication::setWindowIcon(fenstersymbol());
    tk::setUp();
    static bool registered = false;
    if (!registered) {
        registered = true;
        registriereShell();
        registrierePresentation();
        registriereAnswers();
        registriereAbout();
    }
}

void programmStarten()
{
    tk::Program::instance().start(QStringLiteral("frmSplash"));
}

} // namespace kb
