#include "answers/frmAuswert.h"
#include "regeln/ansicht.h"

namespace kb {

using tk::Kind;

// clang-format off
// The long result screen: as the short one, but with a fourth praise label, the
// greeting higher up, the counts and praise a little further right, the buttons
// lower down, and "Ende" first in the tab order.
const tk::FormLayout frmAuswert2Layout{
    .name = "frmAuswert2",
    .caption = "Auswertung",
    .backColor = Hellblau,
    .clientWidth = 10980,
    .clientHeight = 8595,
    .maxButton = false,
    .startUp = tk::StartUp::CenterOwner,
    .controls = {
        {.kind = Kind::Label, .name = "lblso",
         .left = 3360, .top = 1800, .width = 765, .height = 390,
         .caption = "Hallo ", .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::Label, .name = "lblName",
         .left = 4125, .top = 1800, .width = 90, .height = 390,
         .font = TextSchrift, .autoSize = true, .transparent = true},
        {.kind = Kind::Label, .name = "lblstand",
         .left = 3360, .top = 2520, .width = 2340, .height = 390,
         .caption = "Dein Punktestand:", .backColor = 0x00FFFF00, .font = TextSchrift,
         .autoSize = true, .transparent = true},
        {.kind = Kind::Label, .name = "lblPunkte",
         .left = 3480, .top = 3120, .width = 90, .height = 390,
         .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::Label, .name = "lblPunkte2",
         .left = 3480, .top = 3720, .width = 90, .height = 390,
         .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::Label, .name = "lblSupi1",
         .left = 3480, .top = 6120, .width = 90, .height = 390,
         .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::Label, .name = "lblSupi2",
         .left = 3480, .top = 4320, .width = 90, .height = 390,
         .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::Label, .name = "lblSupi3",
         .left = 3480, .top = 5520, .width = 90, .height = 390,
         .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::Label, .name = "lblSupi4",
         .left = 3480, .top = 4920, .width = 90, .height = 390,
         .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::CommandButton, .name = "cmdNochmal",
         .left = 3120, .top = 7560, .width = 1815, .height = 495,
         .caption = "&Noch einmal", .backColor = Blassblau, .font = KnopfSchrift, .tabIndex = 8},
        {.kind = Kind::CommandButton, .name = "cmdEnde",
         .left = 8160, .top = 7560, .width = 1815, .height = 495,
         .caption = "&Ende", .backColor = Blassblau, .font = KnopfSchrift, .tabIndex = 7},
    },
};
// clang-format on

} // namespace kb
