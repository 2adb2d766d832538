#include "bilderordner/kern/wortbreite.h"

#include "shell/gestaltung.h"
#include "toolkit/units.h"

#include <QFontMetricsF>
#include <QGuiApplication>

// The bundled fonts are compiled into the toolkit's library; nothing refers to
// them by symbol, so they are pulled in here. The macro must stand outside any namespace.
static void toolkitSchriften()
{
    Q_INIT_RESOURCE(toolkit);
}

namespace kbb {

namespace {

// The word buttons are 1455 twips (97 pixels) wide. The button's frame and the
// style's margin take 5 pixels on each side; one more keeps a word off the edge.
constexpr double Knopfbreite = 1455.0;
constexpr int Rand = 6;

} // namespace

std::optional<bool> passtAufKnopf(const QString& wort)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return std::nullopt;
    static const QFontMetricsF masse = [] {
        toolkitSchriften();
        tk::loadBundledFonts();
        return QFontMetricsF(tk::toQFont(kb::KnopfSchrift));
    }();
    return masse.horizontalAdvance(wort) <= tk::twipsToPixels(Knopfbreite) - 2 * Rand;
}

} // namespace kbb
