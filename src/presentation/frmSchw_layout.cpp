#include "presentation/stufen.h"
#include "shell/gestaltung.h"

#include <vector>

namespace kb {

using namespace tk;

// The five levels. Levels 1 and 2 advance by the button; levels 3 to 5 by their
// timer, with the button hidden and disabled. Level 5's timer stays at 0 until
// the child has typed the display time.
const std::array<Stufe, 5>& stufen()
{
    // clang-format off
    static const std::array<Stufe, 5> tabelle{{
        // screen    no title                    background  N  T   board       left   top   caption         usable colour      timer      ms    asks
        {"frmSchw1", 1, "Schwierigkeitsstufe 1", 0x0080FF80, 4, 9,  "frmAusw1", 10080, 7440, "&erstes Bild", true,  NoColor,    "",        0,    false},
        {"frmSchw2", 2, "Schwierigkeitsstufe 2", 0x00C0C000, 7, 15, "frmAusw2", 10080, 7080, "&erstes Bild", true,  NoColor,    "",        0,    false},
        {"frmSchw3", 3, "Schwierigkeitsstufe 3", 0x008080FF, 4, 9,  "frmAusw1", 10080, 7440, "",             false, 0x008080FF, "tmreins", 3000, false},
        {"frmSchw4", 4, "Schwierigkeitsstufe 4", 0x00FFFFC0, 7, 15, "frmAusw2", 10080, 7440, "",             false, NoColor,    "Timer1",  3000, false},
        {"frmSchw5", 5, "Schwierigkeitsstufe 5", 0x00FFFFFF, 7, 15, "frmAusw2", 10080, 7440, "",             false, NoColor,    "Timer1",  0,    true},
    }};
    // clang-format on
    return tabelle;
}

namespace {

// clang-format off
// Rows later in the list lie above earlier ones: the picture comes before the
// button, so that a large picture reaching under the button leaves it on top.
FormLayout baue(const Stufe& s)
{
    std::vector<ControlDef> controls{
        {.kind = Kind::FileListBox, .name = "File1",
         .left = 120, .top = 120, .width = 1215, .height = 1065,
         .backColor = 0x00FFFFFF, .visible = false},
        {.kind = Kind::Image, .name = "imgBild",
         .left = 2640, .top = 600, .width = 3375, .height = 1575},
        {.kind = Kind::CommandButton, .name = "cmdweiter",
         .left = s.knopfLeft, .top = s.knopfTop, .width = 1695, .height = 855,
         .caption = s.knopfText, .backColor = s.knopfFarbe, .font = KnopfSchrift,
         .enabled = s.knopfBedienbar, .visible = s.knopfBedienbar, .tabIndex = 0},
    };
    if (*s.timer)
        controls.push_back({.kind = Kind::Timer, .name = s.timer, .enabled = true, .interval = s.intervall});
    return FormLayout{
        .name = s.name,
        .caption = s.titel,
        .backColor = s.hintergrund,
        .clientWidth = 11880,
        .clientHeight = 8595,
        .maxButton = false,
        .startUp = StartUp::CenterOwner,
        .controls = std::move(controls),
    };
}
// clang-format on

} // namespace

const FormLayout& layout(const Stufe& stufe)
{
    static const std::vector<FormLayout> layouts = [] {
        std::vector<FormLayout> v;
        for (const Stufe& s : stufen())
            v.push_back(baue(s));
        return v;
    }();
    return layouts.at(std::size_t(stufe.nummer - 1));
}

} // namespace kb
