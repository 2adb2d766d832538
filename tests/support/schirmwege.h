#pragma once

#include "support/spielumgebung.h"

namespace kbtest {

// Every screen of the game, in the order a child first meets them.
QStringList alleSchirme();

// Plays from the about screen to `schirm` as a child does, with clicks where the
// controls are and the keyboard: the name "Anna", a level, its first picture (a
// click, or a tick of the level's timer), on a board the first words. The
// level-5 prompt is answered with 3. True when that screen is the one shown.
bool erreiche(Spiel& spiel, const QString& schirm);

} // namespace kbtest
