#include "answers/wortgitter.h"

#include "regeln/ansicht.h"

namespace kb {

namespace {

// A button of the grid: every word button and marker has the board button's size.
tk::ControlDef knopf(const char* name, const Feld& f, int tabIndex)
{
    return {.kind = tk::Kind::CommandButton,
            .name = name,
            .index = f.index,
            .left = f.left,
            .top = f.top,
            .width = WortknopfBreite,
            .height = WortknopfHoehe,
            .tabIndex = tabIndex};
}

} // namespace

std::vector<tk::ControlDef> wortgitter(const std::vector<Feld>& felder, Knopfart art,
                                       const tk::ControlDef& lbltext)
{
    std::vector<tk::ControlDef> controls;
    for (const Feld& f : felder) {
        tk::ControlDef wort = knopf("cmdeins", f, f.tabWort);
        wort.backColor = art.wortFarbe;
        wort.font = KnopfSchrift;
        controls.push_back(wort);
    }
    // A marker has no caption and no colour of its own until a click colours it.
    for (const Feld& f : felder) {
        tk::ControlDef marke = knopf("cmdzwei", f, f.tabMarke);
        marke.style = tk::ButtonStyle::Graphical;
        marke.enabled = art.markenAktiv;
        marke.visible = false;
        controls.push_back(marke);
    }
    controls.push_back(lbltext);
    return controls;
}

} // namespace kb
