#include "answers/frmAuswert.h"
#include "regeln/ansicht.h"

namespace kb {

using tk::Kind;

// clang-format off
// The short result screen. All labels size themselves to their captions; the
// empty ones are slivers until the load step writes into them. Opaque labels
// carry the window's own light blue.
const tk::FormLayout frmAuswert1Layout{
    .name = "frmAuswert1",
    .caption = "Auswertung",
    .backColor = Hellblau,
    .clientWidth = 11100,
    .clientHeight = 8595,
    .maxButton = false,
    .startUp = tk::StartUp::CenterOwner,
    .controls = {
        {.kind = Kind::Label, .name = "lblso",
         .left = 3360, .top = 2040, .width = 765, .height = 390,
         .caption = "Hallo ", .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::Label, .name = "lblName",
         .left = 4125, .top = 2040, .width = 90, .height = 390,
         .font = TextSchrift, .autoSize = true, .transparent = true},
        {.kind = Kind::Label, .name = "lblstand",
         .left = 3360, .top = 2760, .width = 2340, .height = 390,
         .caption = "Dein Punktestand:", .backColor = 0x00FFFF00, .font = TextSchrift,
         .autoSize = true, .transparent = true},
        {.kind = Kind::Label, .name = "lblPunkte",
         .left = 3360, .top = 3360, .width = 90, .height = 390,
         .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::Label, .name = "lblPunkte2",
         .left = 3360, .top = 3960, .width = 90, .height = 390,
         .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::Label, .name = "lblSupi1",
         .left = 3360, .top = 5760, .width = 90, .height = 390,
         .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::Label, .name = "lblSupi2",
         .left = 3360, .top = 5160, .width = 90, .height = 390,
         .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::Label, .name = "lblSupi3",
         .left = 3360, .top = 4560, .width = 90, .height = 390,
         .backColor = Hellblau, .font = TextSchrift, .autoSize = true},
        {.kind = Kind::CommandButton, .name = "cmdNochmal",
         .left = 2640, .top = 6720, .width = 1815, .height = 495,
         .caption = "&Noch einmal", .backColor = Blassblau, .font = KnopfSchrift, .tabIndex = 8},
        {.kind = Kind::CommandButton, .name = "cmdEnde",
         .left = 7680, .top = 6720, .width = 1815, .height = 495,
         .caption = "&Ende", .backColor = Blassblau, .font = KnopfSchrift, .tabIndex = 9},
    },
};
// clang-format on

} // namespace kb
