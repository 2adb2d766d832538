#include "regeln/ansicht.h"
#include "shell/frmSpiel.h"

namespace kb {

using tk::Kind;

// clang-format off
// Light yellow window: the greeting line at the top, the instruction document
// below it on the same yellow, and the button to the menu at the bottom right.
const tk::FormLayout frmSpielLayout{
    .name = "frmSpiel",
    .caption = "Kieselblick",
    .backColor = Hellgelb,
    .clientWidth = 11880,
    .clientHeight = 8595,
    .maxButton = false,
    .minButton = false,
    .startUp = tk::StartUp::CenterScreen,
    .controls = {
        {.kind = Kind::Label, .name = "lblBegrüßung",
         .left = 2040, .top = 1200, .width = 765, .height = 390,
         .caption = "Hallo ", .font = TextSchrift,
         .autoSize = true, .transparent = true, .tabIndex = 1},
        {.kind = Kind::Label, .name = "lblName",
         .left = 3120, .top = 1200, .width = 90, .height = 390,
         .font = TextSchrift,
         .autoSize = true, .transparent = true, .tabIndex = 3},
        // The document's text takes its face and size from this font.
        {.kind = Kind::Document, .name = "OLE1",
         .left = 2040, .top = 2040, .width = 7095, .height = 4095,
         .backColor = Hellgelb, .font = {"Comic Sans MS", 13.5},
         .tabIndex = 2, .picture = ":/anleitung.html"},
        {.kind = Kind::CommandButton, .name = "cmdweiter",
         .left = 9720, .top = 7560, .width = 1935, .height = 855,
         .caption = "&Los geht's!!!", .font = KnopfSchrift, .tabIndex = 0},
    },
};
// clang-format on

} // namespace kb
