#pragma once

#include <QAction>
#include <QKeySequence>
#include <QString>

namespace kbb::fenster {

// An action of a companion's window with its tooltip and its key, owned by the window.
inline QAction* neueAktion(QWidget* fenster, const QString& text, const QString& tipp = {},
                           const QKeySequence& taste = {})
{
    auto* a = new QAction(text, fenster);
    a->setToolTip(tipp);
    a->setShortcut(taste);
    return a;
}

} // namespace kbb::fenster
