#pragma once

#include "toolkit/layout.h"

#include <vector>

namespace kb {

// One place of an answer board's grid: the word button cmdeins(index) and the
// marker cmdzwei(index) that takes its place once the word has been clicked.
struct Feld {
    int index = 0;
    double left = 0, top = 0;
    int tabWort = 0;  // TabIndex of cmdeins(index)
    int tabMarke = 0; // TabIndex of cmdzwei(index)
};

// What the word buttons and markers of one board have in common.
struct Knopfart {
    tk::OleColor wortFarbe = tk::NoColor; // stored colour of the word buttons (not drawn)
    bool markenAktiv = true;              // whether a shown marker can take focus and clicks
};

// The controls of an answer board: a word button and a graphical-style marker
// of the same rectangle for every place, then the instruction label.
std::vector<tk::ControlDef> wortgitter(const std::vector<Feld>& felder, Knopfart art,
                                       const tk::ControlDef& lbltext);

} // namespace kb
