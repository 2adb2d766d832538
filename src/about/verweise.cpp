#include "about/verweise.h"
#include "regeln/ansicht.h"

namespace kb {

using tk::LinkFace;
using tk::LinkPointer;

namespace {

// Every target lies under the reserved ".example" domain, so that no real site or
// mailbox is ever reached. Web addresses are kept as host names alone.
constexpr const char* tavoWeb = "www.tavo-kolleg.example";
constexpr const char* dornwieseWeb = "www.grundschule-dornwiese.example";

} // namespace

// clang-format off
// The logo is our own wordmark of the college, 236 x 55 pixels (3540 x 825 twips).
const tk::LinkType LinkTavo{
    .name = "LinkTavo", .width = 3600, .height = 855,
    .face = LinkFace::Image, .innerName = "imgLogo", .innerWidth = 3540, .innerHeight = 825,
    .picture = ":/tavo-logo.png",
    .toolTip = tavoWeb, .pointer = LinkPointer::OnInner, .target = tavoWeb,
};

const tk::LinkType LinkTavo2{
    .name = "LinkTavo2", .width = 2280, .height = 285,
    .face = LinkFace::Label, .innerName = "Label1", .innerWidth = 2295, .innerHeight = 255,
    .caption = "Tavo", .font = InfoSchrift, .transparent = false,
    .toolTip = tavoWeb, .pointer = LinkPointer::OnInner, .target = tavoWeb,
};

// The label is transparent and shows the control's own colour, the screen's.
const tk::LinkType LinkDornwiese{
    .name = "LinkDornwiese", .width = 2655, .height = 300, .backColor = 0x8000000A,
    .face = LinkFace::Label, .innerName = "Label1", .innerWidth = 2655, .innerHeight = 255,
    .caption = "Dornwiese", .font = InfoSchrift, .transparent = true,
    .toolTip = dornwieseWeb, .pointer = LinkPointer::OnWhole, .target = dornwieseWeb,
};

const tk::LinkType MailOrvel{
    .name = "MailOrvel", .width = 3030, .height = 315,
    .face = LinkFace::Label, .innerName = "Label1", .innerWidth = 3015, .innerHeight = 255,
    .caption = "orvel@tavo-kolleg.example", .font = InfoSchrift, .transparent = false,
    .toolTip = "mailto: orvel@tavo-kolleg.example", .pointer = LinkPointer::OnInner,
    .target = "mailto:orvel@tavo-kolleg.example",
};
// clang-format on

} // namespace kb
