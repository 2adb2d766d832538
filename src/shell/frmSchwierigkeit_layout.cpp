#include "regeln/ansicht.h"
#include "shell/frmSchwierigkeit.h"

#include <QtGlobal>
#include <algorithm>
#include <vector>

namespace kb {

using tk::Align;
using tk::Kind;

namespace {

// A label of a column: its name, its index in its control array (-1 for none),
// its caption, and the one of Left, Width or Height that differs between columns.
struct Beschriftung {
    const char* name;
    int index;
    const char* caption;
    double left, mass;
    int tabIndex;
    bool transparent = false;
};

// One column of the menu: the level button on top (in the window's own bold
// font), the level word below it and the description at the bottom.
struct Spalte {
    int stufe; // the level of the rules that the button opens
    const char* knopf;
    const char* ziffer;
    double left;
    int tabIndex;
    Beschriftung wort;
    Beschriftung text;
};

// clang-format off
const Spalte Spalten[] = {
    {1, "cmdschweins", "1", 600, 0,
     {"lblLeicht", 0, "leicht", 960, 615, 5},
     {"lblSchw1", 0, "Hier werden dir 4 verschiedene Bilder gezeigt", 600, 1095, 9}},
    {2, "cmdschwzwei", "2", 2880, 1,
     {"lblMittel", 1, "mittel", 3360, 615, 6},
     {"lblSchw2", 1, "Hier werden dir 7 verschiedene Bilder gezeigt", 2880, 1095, 10}},
    {3, "cmdschwdrei", "3", 5160, 2,
     {"lblSchwer", 1, "schwer", 5520, 735, 7},
     {"lblSchw3", 0, "Hier werden dir 4 verschiedene Bilder automatisch gezeigt", 5160, 1335, 11}},
    {4, "cmdschwvier", "4", 7440, 3,
     {"lblSchwersten", 1, "schwerer", 7680, 975, 8},
     {"lblSchw3", 1, "Hier werden dir 7 verschiedene Bilder automatisch gezeigt", 7440, 1335, 12}},
    {5, "cmdschwfünf", "5", 9720, 13,
     {"lblausw", -1, "wählbar", 10080, 855, 14, true},
     {"lblschw5", -1, "Hier kannst du eine Zeit wählen, in der dir die Bilder automatisch angezeigt werden",
      9720, 1575, 15, true}},
};

constexpr tk::OleColor Blassgelb = 0x00C0FFFF; // stored on the buttons, not shown in their style
constexpr tk::FontDef Stufenwort{"Comic Sans MS", 11.25};

std::vector<tk::ControlDef> spalte(const Spalte& s)
{
    const Beschriftung& w = s.wort;
    const Beschriftung& t = s.text;
    return {
        {.kind = Kind::CommandButton, .name = s.knopf,
         .left = s.left, .top = 3840, .width = 1575, .height = 1215,
         .caption = s.ziffer, .backColor = Blassgelb, .tabIndex = s.tabIndex},
        {.kind = Kind::Label, .name = w.name, .index = w.index,
         .left = w.left, .top = 5280, .width = w.mass, .height = 375,
         .caption = w.caption, .backColor = w.transparent ? tk::NoColor : Hellgelb, .font = Stufenwort,
         .transparent = w.transparent, .tabIndex = w.tabIndex},
        {.kind = Kind::Label, .name = t.name, .index = t.index,
         .left = t.left, .top = 5760, .width = 1455, .height = t.mass,
         .caption = t.caption, .backColor = t.transparent ? tk::NoColor : Hellgelb, .font = KnopfSchrift,
         .alignment = Align::Center, .transparent = t.transparent, .tabIndex = t.tabIndex},
    };
}

// The heading across the window, then the columns, level 1 on the left. Tab
// visits the buttons "1" to "5"; the labels take no focus.
std::vector<tk::ControlDef> steuerelemente()
{
    std::vector<tk::ControlDef> controls{
        {.kind = Kind::Label, .name = "lblSchwierigkeit",
         .left = 1320, .top = 2640, .width = 9015, .height = 855,
         .caption = "Jetzt mußt du nur noch schauen, in welcher Schwierigkeitsstufe du spielen willst!",
         .backColor = Hellgelb, .font = {"Comic Sans MS", 12},
         .alignment = Align::Center, .tabIndex = 4},
    };
    for (const Spalte& s : Spalten)
        for (const tk::ControlDef& d : spalte(s))
            controls.push_back(d);
    return controls;
}

} // namespace

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
    .controls = steuerelemente(),
};
// clang-format on

QString stufenknopf(const Stufe& stufe)
{
    const auto* s = std::find_if(std::begin(Spalten), std::end(Spalten),
                                 [&](const Spalte& x) { return x.stufe == stufe.nummer; });
    if (s == std::end(Spalten))
        qFatal("Kieselblick: Stufe %d hat keinen Knopf im Menü", stufe.nummer);
    return QString::fromUtf8(s->knopf);
}

} // namespace kb
