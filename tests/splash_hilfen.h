// Helpers shared by the tests of the about screen and its link controls.
#pragma once

#include "shell/programmstart.h"
#include "shell/toolkit/form.h"
#include "shell/toolkit/programm.h"
#include "support/spielumgebung.h"

#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

namespace kbtest {

// A plain start screen for runs in which the real one is not part of the program.
inline void startbildschirmBereitstellen()
{
    kb::programmEinrichten();
    auto& program = tk::Program::instance();
    if (program.isRegistered(QStringLiteral("frmStart")))
        return;
    static const tk::FormLayout layout{.name = "frmStart",
                                       .caption = "Kieselblick",
                                       .clientWidth = 6000,
                                       .clientHeight = 4500,
                                       .controls = {}};
    program.registerForm(QStringLiteral("frmStart"), [] { return std::make_unique<tk::Form>(layout); });
}

// The middle of a widget in the coordinates of its window.
inline QPoint mitteImFenster(const QWidget* w)
{
    return w->mapTo(w->window(), w->rect().center());
}

// Clicks the window at a point, as the mouse would: the window system's event
// goes to whatever lies topmost there.
inline void klickBei(tk::Form* form, QPoint at)
{
    QVERIFY(form);
    QWindow* window = form->window()->windowHandle();
    QVERIFY(window);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
    Spiel::ruhe();
}

inline void klickAuf(tk::Form* form, const QWidget* w)
{
    klickBei(form, mitteImFenster(w));
}

// The about screen's one-minute timer as Qt runs it.
inline QTimer* minutenTimer(tk::Form* form)
{
    return form->window()->findChild<QTimer*>(QStringLiteral("Timer1"));
}

} // namespace kbtest
