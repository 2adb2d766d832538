#include "answers/frmAusw.h"
#include "answers/wortgitter.h"
#include "regeln/ansicht.h"

namespace kb {

// clang-format off
// The long board: fifteen word buttons in three rows of five. The index runs
// through the three middle columns of the upper two rows first (0 to 5), then
// the right column (6, 7), the left column (8, 9) and the bottom row from left
// to right (10 to 14). The focus starts on cmdeins(5), the lower right of the
// middle block. Shown markers stay disabled: they take neither focus nor clicks.
const tk::FormLayout frmAusw2Layout{
    .name = "frmAusw2",
    .caption = "Auswahlbox",
    .backColor = Hellblau,
    .foreColor = 0x00404040,
    .clientWidth = 11565,
    .clientHeight = 8595,
    .maxButton = false,
    .startUp = tk::StartUp::CenterScreen,
    .controls = wortgitter(
        {
            // index, Left, Top, TabIndex of cmdeins, TabIndex of cmdzwei
            {0, 3480, 3600, 5, 11},
            {1, 5280, 3600, 4, 12},
            {2, 7080, 3600, 3, 13},
            {3, 3480, 4800, 2, 14},
            {4, 5280, 4800, 1, 15},
            {5, 7080, 4800, 0, 16},
            {6, 8880, 3600, 7, 17},
            {7, 8880, 4800, 8, 18},
            {8, 1680, 3600, 9, 19},
            {9, 1680, 4800, 10, 20},
            {10, 1680, 6000, 21, 26},
            {11, 3480, 6000, 22, 27},
            {12, 5280, 6000, 23, 28},
            {13, 7080, 6000, 24, 29},
            {14, 8880, 6000, 25, 30},
        },
        {.wortFarbe = 0x00E0E0E0, .markenAktiv = false},
        {.kind = tk::Kind::Label, .name = "lbltext",
         .left = 3000, .top = 2160, .width = 6255, .height = 495,
         .caption = "Welche Bilder hast du gesehen? Klicke an!", .backColor = Hellblau,
         .font = TextSchriftFett, .alignment = tk::Align::Center, .tabIndex = 6}),
};
// clang-format on

} // namespace kb
