#include "answers/frmAusw.h"
#include "answers/wortgitter.h"
#include "regeln/ansicht.h"

namespace kb {

// clang-format off
// The short board: nine word buttons in three rows of three, filled row by row
// from the top left, under the instruction. The markers follow the words in the
// tab order, the bottom row's words come last.
const tk::FormLayout frmAusw1Layout{
    .name = "frmAusw1",
    .caption = "Auswahlbox",
    .backColor = Hellblau,
    .clientWidth = 11880,
    .clientHeight = 8595,
    .maxButton = false,
    .startUp = tk::StartUp::CenterOwner,
    .controls = wortgitter(
        {
            // index, Left, Top, TabIndex of cmdeins, TabIndex of cmdzwei
            {0, 3600, 3000, 0, 7},
            {1, 5400, 3000, 1, 8},
            {2, 7200, 3000, 2, 9},
            {3, 3600, 4200, 3, 10},
            {4, 5400, 4200, 4, 11},
            {5, 7200, 4200, 5, 12},
            {6, 3600, 5400, 16, 13},
            {7, 5400, 5400, 17, 14},
            {8, 7200, 5400, 18, 15},
        },
        {.wortFarbe = tk::NoColor, .markenAktiv = true},
        {.kind = tk::Kind::Label, .name = "lbltext",
         .left = 2880, .top = 1560, .width = 6255, .height = 495,
         .caption = "Welche Bilder hast du gesehen? Klicke an!", .backColor = Hellblau,
         .font = TextSchriftFett, .alignment = tk::Align::Center, .tabIndex = 6}),
};
// clang-format on

} // namespace kb
