#pragma once

#include "toolkit/units.h"

#include <span>

// The game's levels as data: how many pictures a round shows, how many words its
// board offers, at what pace the pictures come, which board follows, and what
// the child sees of the level's screen. The menu, the presentation screens, the
// boards and the companion all read this one table; the number of levels is its
// length.
namespace kb {

// An answer board: the round's words shuffled onto its buttons. The first
// `gezeigt` words belong to the shown pictures.
struct Tafel {
    const char* name = "";       // the board's screen, frmAusw1 or frmAusw2
    int gezeigt = 0;             // words of shown pictures; the click of this number evaluates
    int woerter = 0;             // words on the board: slots a round draws, shown and unshown
    const char* auswertung = ""; // the result screen that follows
};

// How the next picture comes.
enum class Takt {
    Klick,    // on each click of the button cmdweiter
    Sekunden, // by the level's timer, every `sekunden` seconds
    Eingabe,  // by the timer, every so many seconds as the child types in at the start
};

struct Stufe {
    int nummer = 0;          // 1, 2, ... as on the menu's button
    const char* schirm = ""; // the presentation screen, frmSchw1 ...
    Takt takt = Takt::Klick;
    int sekunden = 0; // the pace of Takt::Sekunden
    const Tafel* tafel = nullptr;
    // What the child sees: the screen's background and, on the levels that show
    // it, the top-left corner of the button cmdweiter (in twips).
    tk::OleColor hintergrund = tk::NoColor;
    double knopfLeft = 0, knopfTop = 0;

    int gezeigt() const { return tafel->gezeigt; } // N: pictures shown
    int woerter() const { return tafel->woerter; } // T: words on the board
    bool zeigtKnopf() const { return takt == Takt::Klick; }
};

std::span<const Tafel> tafeln();
std::span<const Stufe> stufen();

} // namespace kb
