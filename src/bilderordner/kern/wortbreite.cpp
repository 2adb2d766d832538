#include "bilderordner/kern/wortbreite.h"

#include "regeln/ansicht.h"
#include "regeln/bildflaeche.h"
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

// The button's frame and the style's margin take 5 pixels on each side of a word
// button; one more keeps a word off the edge.
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
    return masse.horizontalAdvance(wort) <= kb::wortknopf().width() - 2 * Rand;
}

} // namespace kbb
