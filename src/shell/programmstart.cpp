#include "shell/programmstart.h"

#include "shell/toolkit/einheiten.h"
#include "shell/toolkit/programm.h"

#include <QApplication>

// The pictures, fonts and the instruction document are compiled into the game's
// static library; nothing in the program refers to that part by name, so the
// linker would leave it out unless it is pulled in here. The macro must stand
// outside any namespace.
static void ressourcenEinbinden()
{
    Q_INIT_RESOURCE(assets);
}

namespace kb {

void programmEinrichten()
{
    QCoreApplication::setApplicationName(QStringLiteral("Kieselblick"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KB_VERSION_STRING));
    // Between two screens no window is visible for a moment; the program ends by
    // itself when no screen is loaded any more, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    ressourcenEinbinden();
    tk::loadBundledFonts();
    static bool registered = false;
    if (!registered) {
        registered = true;
        registriereShell();
        registriereDarbietung();
        registriereAuswahl();
        registriereInfo();
    }
}

QString ersterBildschirm()
{
    for (const char* name : {"frmSplash", "frmStart", "frmSpiel", "frmSchwierigkeit"})
        if (tk::Program::instance().isRegistered(QString::fromLatin1(name)))
            return QString::fromLatin1(name);
    return QStringLiteral("frmSchwierigkeit");
}

} // namespace kb
