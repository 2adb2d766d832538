#pragma once

#include "toolkit/layout.h"

#include <array>

namespace kb {

// One difficulty level as its presentation screen plays it. The five screens
// differ only in these values.
struct Stufe {
    const char* name = "";  // the screen, frmSchw1 to frmSchw5
    int nummer = 0;         // 1 to 5
    const char* titel = ""; // window title
    tk::OleColor hintergrund = tk::NoColor;
    int gezeigt = 0;          // N: pictures shown
    int plaetze = 0;          // T: slots drawn, shown and unshown
    const char* auswahl = ""; // the answer board that follows
    // The button cmdweiter: where it sits, what it says, whether the child sees it.
    double knopfLeft = 0, knopfTop = 0;
    const char* knopfText = "";
    bool knopfBedienbar = true; // visible and enabled
    tk::OleColor knopfFarbe = tk::NoColor;
    // The timer of the timed levels: its name and its interval at load.
    const char* timer = "";
    int intervall = 0;
    bool fragtAnzeigezeit = false; // level 5 asks for the display time at load
};

const std::array<Stufe, 5>& stufen();
// The stored layout of a level's screen, built from its row of the table.
const tk::FormLayout& layout(const Stufe& stufe);

} // namespace kb
