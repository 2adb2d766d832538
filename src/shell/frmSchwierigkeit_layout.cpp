#include "shell/frmSchwierigkeit.h"
#include "shell/gestaltung.h"

namespace kb {

using tk::Align;
using tk::Kind;

// clang-format off
namespace {

constexpr tk::OleColor Blassgelb = 0x00C0FFFF; // stored on the buttons, not shown in their style
constexpr tk::FontDef Stufenwort{"Comic Sans MS", 11.25};

// One column of the menu: the level button on top (in the window's own bold
// font), the level word below it and the description at the bottom.
tk::ControlDef knopf(const char* name, const char* caption, double left, int tabIndex)
{
    return {.kind = Kind::CommandButton, .name = name,
            .left = left, .top = 3840, .width = 1575, .height = 1215,
            .caption = caption, .backColor = Blassgelb, .tabIndex = tabIndex};
}

tk::ControlDef wort(const char* name, int index, const char* caption, double left, double width,
                    int tabIndex, bool transparent = false)
{
    return {.kind = Kind::Label, .name = name, .index = index,
            .left = left, .top = 5280, .width = width, .height = 375,
            .caption = caption, .backColor = transparent ? tk::NoColor : Hellgelb, .font = Stufenwort,
            .transparent = transparent, .tabIndex = tabIndex};
}

tk::ControlDef text(const char* name, int index, const char* caption, double left, double height,
                    int tabIndex, bool transparent = false)
{
    return {.kind = Kind::Label, .name = name, .index = index,
            .left = left, .top = 5760, .width = 1455, .height = height,
            .caption = caption, .backColor = transparent ? tk::NoColor : Hellgelb, .font = KnopfSchrift,
            .alignment = Align::Center, .transparent = transparent, .tabIndex = tabIndex};
}

} // namespace

// Light yellow window with the heading across it and five columns below, level 1
// on the left. Tab visits the buttons "1" to "5"; the labels take no focus.
const tk::FormLayout frmSchwierigkeitLayout{
    .name = "frmSchwierigkeit",
    .caption = "Schwierigkeitsstufe auswählen",
    .backColor = Hellgelb,
    .font = {"Comic Sans MS", 12, 700},
    .clientWidth = 11130,
    .clientHeight = 8595,
    .maxButton = false,
    .minButton = true,
    .startUp = tk::StartUp::CenterOwner,
    .controls = {
        {.kind = Kind::Label, .name = "lblSchwierigkeit",
         .left = 1320, .top = 2640, .width = 9015, .height = 855,
         .caption = "Jetzt mußt du nur noch schauen, in welcher Schwierigkeitsstufe du spielen willst!",
         .backColor = Hellgelb, .font = {"Comic Sans MS", 12},
         .alignment = Align::Center, .tabIndex = 4},

        knopf("cmdschweins", "1", 600, 0),
        wort("lblLeicht", 0, "leicht", 960, 615, 5),
        text("lblSchw1", 0, "Hier werden dir 4 verschiedene Bilder gezeigt", 600, 1095, 9),

        knopf("cmdschwzwei", "2", 2880, 1),
        wort("lblMittel", 1, "mittel", 3360, 615, 6),
        text("lblSchw2", 1, "Hier werden dir 7 verschiedene Bilder gezeigt", 2880, 1095, 10),

        knopf("cmdschwdrei", "3", 5160, 2),
        wort("lblSchwer", 1, "schwer", 5520, 735, 7),
        text("lblSchw3", 0, "Hier werden dir 4 verschiedene Bilder automatisch gezeigt", 5160, 1335, 11),

        knopf("cmdschwvier", "4", 7440, 3),
        wort("lblSchwersten", 1, "schwerer", 7680, 975, 8),
        text("lblSchw3", 1, "Hier werden dir 7 verschiedene Bilder automatisch gezeigt", 7440, 1335, 12),

        knopf("cmdschwfünf", "5", 9720, 13),
        wort("lblausw", -1, "wählbar", 10080, 855, 14, true),
        text("lblschw5", -1,
             "Hier kannst du eine Zeit wählen, in der dir die Bilder automatisch angezeigt werden",
             9720, 1575, 15, true),
    },
};
// clang-format on

} // namespace kb
