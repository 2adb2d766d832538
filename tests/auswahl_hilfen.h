// Helpers shared by the tests of the answer boards and result screens.
#pragma once

#include "shell/modVariablen.h"
#include "shell/toolkit/form.h"
#include "shell/toolkit/programm.h"
#include "support/spielumgebung.h"

#include <QStringList>
#include <QTest>
#include <QWindow>
#include <memory>

namespace kbtest {

// Puts the round's words into Bildnamen as a presentation screen leaves them.
inline void woerterSetzen(const QStringList& woerter)
{
    modVariablen::Bildnamen.ReDimPreserve(int(woerter.size()) - 1);
    for (int i = 0; i < woerter.size(); ++i)
        modVariablen::Bildnamen(i) = woerter.at(i);
}

inline QStringList neunWoerter()
{
    return {QStringLiteral("Apfel"), QStringLiteral("Ball"),  QStringLiteral("Baum"),
            QStringLiteral("Haus"),  QStringLiteral("Hund"),  QStringLiteral("Katze"),
            QStringLiteral("Maus"),  QStringLiteral("Sonne"), QStringLiteral("Zug")};
}

inline QStringList fuenfzehnWoerter()
{
    return neunWoerter() + QStringList{QStringLiteral("Bär"),  QStringLiteral("Blume"),
                                       QStringLiteral("Brot"), QStringLiteral("Fisch"),
                                       QStringLiteral("Igel"), QStringLiteral("Käse")};
}

// A random number that the board turns into index k with the given factor.
inline float zahlFuer(int k, int faktor)
{
    return k >= faktor ? 0.999f : float(k) / float(faktor);
}

// Scripts the shuffle so that word button i gets Bildnamen(i).
inline void geordnet(Spiel& spiel, int woerter)
{
    for (int i = 0; i < woerter; ++i)
        spiel.services.scriptedNumbers.push_back(zahlFuer(i, woerter - 1));
}

// The word button that carries the word, or -1.
inline int knopfMit(const tk::Form& tafel, const QString& wort)
{
    for (int i = 0; tafel.hasControl(QStringLiteral("cmdeins"), i); ++i)
        if (tafel.button(QStringLiteral("cmdeins"), i).Caption() == wort)
            return i;
    return -1;
}

// Clicks the word's button with the mouse.
inline void wortKlicken(tk::Form& tafel, const QString& wort)
{
    const int i = knopfMit(tafel, wort);
    QVERIFY2(i >= 0, qPrintable(wort));
    Spiel::klick(tafel.button(QStringLiteral("cmdeins"), i));
}

// Clicks the window where the control lies, as a user would: the window system
// delivers the click to whatever is shown at that point. (Clicking the control's
// widget directly would reach it even when hidden.)
inline void anStelleKlicken(const tk::Control& control)
{
    QWidget* fenster = control.form().window();
    QWindow* handle = fenster->windowHandle();
    QVERIFY(handle);
    const QPoint mitte = control.widget()->mapTo(fenster, control.widget()->rect().center());
    QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, mitte);
    Spiel::ruhe();
}

// The difficulty menu is somebody else's screen; while it does not exist yet a
// plain screen of the same name takes its place.
inline void menueSicherstellen()
{
    static const tk::FormLayout menue{
        .name = "frmSchwierigkeit",
        .caption = "Schwierigkeit",
        .clientWidth = 6000,
        .clientHeight = 4500,
        .controls = {{.kind = tk::Kind::CommandButton,
                      .name = "cmdLeicht",
                      .left = 300,
                      .top = 300,
                      .width = 1500,
                      .height = 600,
                      .caption = "leicht",
                      .tabIndex = 0}},
    };
    auto& programm = tk::Program::instance();
    if (!programm.isRegistered(QStringLiteral("frmSchwierigkeit")))
        programm.registerForm(QStringLiteral("frmSchwierigkeit"),
                              [] { return std::make_unique<tk::Form>(menue); });
}

// Hands over to a screen as the screen before it would: unload, then show.
inline void weiterZu(const QString& name)
{
    tk::Program::instance().dispatch([name] {
        if (tk::Form* jetzt = tk::Program::instance().current())
            tk::Unload(*jetzt);
        tk::Show(name, tk::vbModal);
    });
    Spiel::ruhe();
}

} // namespace kbtest
