#include "regeln/ansicht.h"
#include "shell/frmStart.h"

namespace kb {

using tk::Kind;

// clang-format off
// Light pink window with the game's title across the top, the projection screen
// in the middle and the name box below it. The prompt is listed after the
// picture because its text runs into the picture's lower left part and is drawn
// above it.
const tk::FormLayout frmStartLayout{
    .name = "frmStart",
    .caption = "Kieselblick",
    .backColor = 0x00FFC0FF,
    .clientWidth = 15195,
    .clientHeight = 8595,
    .maxButton = false,
    .minButton = false,
    .startUp = tk::StartUp::CenterScreen,
    .controls = {
        {.kind = Kind::Label, .name = "lblSpielname",
         .left = 1320, .top = -240, .width = 9045, .height = 1455,
         .caption = "Kieselblick???", .font = {"Comic Sans MS", 48},
         .autoSize = true, .transparent = true},
        {.kind = Kind::Image, .name = "imgLeinwand",
         .left = 4800, .top = 1200, .width = 6750, .height = 6915,
         .picture = ":/leinwand.png"},
        {.kind = Kind::Label, .name = "lblNamenseingabe",
         .left = 840, .top = 6120, .width = 7290, .height = 675,
         .caption = "Bitte gib hier deinen Namen ein:", .font = {"Comic Sans MS", 24},
         .autoSize = true, .transparent = true},
        {.kind = Kind::TextBox, .name = "txtBenutzername",
         .left = 8400, .top = 6240, .width = 3015, .height = 615,
         .font = {"MS Sans Serif", 24}, .tabIndex = 0},
        {.kind = Kind::CommandButton, .name = "cmdStart",
         .left = 9720, .top = 7560, .width = 1935, .height = 855,
         .caption = "&Start", .backColor = Hellblau, .font = KnopfSchrift,
         .isDefault = true, .tabIndex = 2, .toolTip = "Startet das Spiel"},
        {.kind = Kind::CommandButton, .name = "cmdBeenden",
         .left = 360, .top = 7560, .width = 1935, .height = 855,
         .caption = "&Ende", .backColor = Hellblau, .font = KnopfSchrift,
         .isCancel = true, .tabIndex = 1, .toolTip = "Beendet das Programm"},
    },
};
// clang-format on

} // namespace kb
