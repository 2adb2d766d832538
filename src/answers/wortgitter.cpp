#include "answers/wortgitter.h"

namespace kb {

namespace {

// Every word button and marker is this large.
constexpr double KnopfBreite = 1455;
constexpr double KnopfHoehe = 975;

tk::ControlDef wortknopf(const Feld& f, Knopfart art)
{
    return {.kind = tk::Kind::CommandButton,
            .name = "cmdeins",
            .index = f.index,
            .left = f.left,
            .top = f.top,
            .width = KnopfBreite,
            .height = KnopfHoehe,
            .backColor = art.wortFarbe,
            .font = {"Comic Sans MS", 9},
            .tabIndex = f.tabWort};
}

// A marker has no caption and no colour of its own until a click colours it.
tk::ControlDef marke(const Feld& f, Knopfart art)
{
    return {.kind = tk::Kind::CommandButton,
            .name = "cmdzwei",
            .index = f.index,
            .left = f.left,
            .top = f.top,
            .width = KnopfBreite,
            .height = KnopfHoehe,
            .style = tk::ButtonStyle::Graphical,
            .enabled = art.markenAktiv,
            .visible = false,
            .tabIndex = f.tabMarke};
}

} // namespace

std::vector<tk::ControlDef> wortgitter(const std::vector<Feld>& felder, Knopfart art,
                                       const tk::ControlDef& lbltext)
{
    std::vector<tk::ControlDef> controls;
    for (const Feld& f : felder)
        controls.push_back(wortknopf(f, art));
    for (const Feld& f : felder)
        controls.push_back(marke(f, art));
    controls.push_back(lbltext);
    return controls;
}

} // namespace kb
