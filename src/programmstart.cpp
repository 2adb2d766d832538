#include "programmstart.h"

#include "about/registrierung.h"
#include "answers/registrierung.h"
#include "presentation/registrierung.h"
#include "regeln/ansicht.h"
#include "regeln/einstellungen.h"
#include "shell/registrierung.h"
#include "toolkit/application.h"
#include "toolkit/program.h"

#include <QGuiApplication>

// The icon, the drawings and the instruction document are compiled into the
// game's static library; nothing in the program refers to that part by name, so
// the linker would leave it out unless it is pulled in here. The macro must
// stand outside any namespace.
static void ressourcenEinbinden()
{
    Q_INIT_RESOURCE(assets);
}

namespace kb {

void anzeigeEinrichten(tk::Application& anwendung)
{
    if (QCoreApplication::arguments().contains(QStringLiteral("--tafel")) || einstellungen().tafel)
        anwendung.showOnBoard(QSize(tk::twipsToPixels(FensterBreite), tk::twipsToPixels(FensterHoehe)),
                              Tafelrand);
    if (!einstellungen().zeiger)
        anwendung.hidePointer();
}

void programmEinrichten()
{
    QCoreApplication::setApplicationName(QStringLiteral("Kieselblick"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KB_VERSION_STRING));
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tavo_kolleg.kieselblick"));
    ressourcenEinbinden();
    tk::Form::setIconFiles({QStringLiteral(":/icon-16.png"), QStringLiteral(":/icon-32.png"),
                            QStringLiteral(":/icon-48.png"), QStringLiteral(":/icon-256.png")});
    tk::setUp();
    static bool registered = false;
    if (!registered) {
        registered = true;
        registriereStartschirme();
        registriereStufenschirme();
        registriereTafelnUndAuswertungen();
        registriereInfoschirm();
    }
}

void programmStarten()
{
    tk::Program::instance().start(QStringLiteral("frmSplash"));
}

} // namespace kb
