#pragma once

// Helpers shared by the tests of the picture rounds.
#include "shell/modVariablen.h"
#include "shell/programmstart.h"
#include "support/spielumgebung.h"

#include <QStringList>
#include <QTest>

namespace kbtest {

// The screens that follow and precede a picture round: the two answer boards and
// the difficulty menu. Where the program does not have them yet, small screens of
// the same names take their place, so the round can hand over to them.
inline void nachbarschirmeAnmelden()
{
    kb::programmEinrichten();
    static const tk::FormLayout ausw1{.name = "frmAusw1",
                                      .caption = "Auswahl 1",
                                      .clientWidth = 3000,
                                      .clientHeight = 2000,
                                      .controls = {}};
    static const tk::FormLayout ausw2{.name = "frmAusw2",
                                      .caption = "Auswahl 2",
                                      .clientWidth = 3000,
                                      .clientHeight = 2000,
                                      .controls = {}};
    static const tk::FormLayout menue{.name = "frmSchwierigkeit",
                                      .caption = "Menü",
                                      .clientWidth = 3000,
                                      .clientHeight = 2000,
                                      .controls = {}};
    for (const tk::FormLayout* l : {&ausw1, &ausw2, &menue}) {
        const QString name = QString::fromLatin1(l->name);
        if (!tk::Program::instance().isRegistered(name))
            tk::Program::instance().registerForm(name, [l] { return std::make_unique<tk::Form>(*l); });
    }
}

// File names "Bild01.png", "Bild02.png", ... for a picture folder.
inline QStringList bilddateien(int anzahl)
{
    QStringList names;
    for (int i = 1; i <= anzahl; ++i)
        names.append(QStringLiteral("Bild%1.png").arg(i, 2, 10, QLatin1Char('0')));
    return names;
}

// The random number that makes the draw pick `position` out of `anzahl` files.
inline float zahlFuer(int position, int anzahl)
{
    return (float(position) + 0.5f) / float(anzahl);
}

// The round's words as a list, index 0 first.
inline QStringList bildnamen()
{
    QStringList words;
    for (int i = 0; i <= modVariablen::Bildnamen.UBound(); ++i)
        words.append(modVariablen::Bildnamen(i));
    return words;
}

inline QList<double> zufallszahlen()
{
    QList<double> positions;
    for (int i = 0; i <= modVariablen::Zufallszahlen.UBound(); ++i)
        positions.append(modVariablen::Zufallszahlen(i));
    return positions;
}

inline bool alleVerschieden(const QStringList& words)
{
    return QSet<QString>(words.begin(), words.end()).size() == words.size();
}

// Clicks the screen's button as the child would.
inline void weiter(tk::Form* screen)
{
    QVERIFY(screen);
    Spiel::klick(screen->button(QStringLiteral("cmdweiter")));
}

} // namespace kbtest
