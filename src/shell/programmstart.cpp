#include "shell/programmstart.h"

#include "shell/toolkit/einheiten.h"
#include "shell/toolkit/programm.h"

#include <QApplication>
#include <QPixmapCache>

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
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tavo_kolleg.kieselblick"));
    // Between two screens no window is visible for a moment; the program ends by
    // itself when no screen is loaded any more, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    // The style keeps every button it draws in the pixmap cache, under a key that
    // holds the palette of the button's window, and each screen load makes a new
    // palette: no later screen ever finds those entries again. They would only
    // pile up, to the cache's 10 MB and, for their keys, beyond it until Qt's
    // timed flush. All the cache spared was redrawing a button pressed on its
    // own screen, which costs no measurable time.
    QPixmapCache::setCacheLimit(0);
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
