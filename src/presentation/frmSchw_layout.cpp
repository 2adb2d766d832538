#include "presentation/frmSchw.h"
#include "regeln/ansicht.h"

#include <QtGlobal>
#include <algorithm>
#include <vector>

namespace kb {

using namespace tk;

namespace {

// What a level's screen stores beyond the rules: its title, the colour stored
// on its button (shown only where the button is), and the name of its timer.
struct Schirmwerte {
    int stufe = 0;
    const char* titel = "";
    OleColor knopfFarbe = NoColor;
    const char* timer = ""; // the timed levels' timer; none on the levels paced by click
};

// clang-format off
const Schirmwerte Werte[] = {
    // level  title                    button colour  timer
    {1,       "Schwierigkeitsstufe 1", NoColor,       ""},
    {2,       "Schwierigkeitsstufe 2", NoColor,       ""},
    {3,       "Schwierigkeitsstufe 3", 0x008080FF,    "tmreins"},
    {4,       "Schwierigkeitsstufe 4", NoColor,       "Timer1"},
    {5,       "Schwierigkeitsstufe 5", NoColor,       "Timer1"},
};

// Rows later in the list lie above earlier ones: the picture comes before the
// button, so that a large picture reaching under the button leaves it on top. The
// button is hidden and disabled where the pictures come by timer; level 5's
// timer stays at 0 until the child has typed the display time.
FormLayout baue(const Stufe& s, const Schirmwerte& w)
{
    std::vector<ControlDef> controls{
        {.kind = Kind::FileListBox, .name = "File1",
         .left = 120, .top = 120, .width = 1215, .height = 1065,
         .backColor = 0x00FFFFFF, .visible = false},
        {.kind = Kind::Image, .name = "imgBild",
         .left = BildLeft, .top = BildTop, .width = 3375, .height = 1575},
        {.kind = Kind::CommandButton, .name = "cmdweiter",
         .left = s.knopfLeft, .top = s.knopfTop, .width = WeiterknopfBreite, .height = WeiterknopfHoehe,
         .caption = s.zeigtKnopf() ? WeiterknopfText : "", .backColor = w.knopfFarbe, .font = KnopfSchrift,
         .enabled = s.zeigtKnopf(), .visible = s.zeigtKnopf(), .tabIndex = 0},
    };
    if (!s.zeigtKnopf())
        controls.push_back({.kind = Kind::Timer, .name = w.timer, .enabled = true,
                            .interval = s.takt == Takt::Sekunden ? s.sekunden * 1000 : 0});
    return FormLayout{
        .name = s.schirm,
        .caption = w.titel,
        .backColor = s.hintergrund,
        .clientWidth = FensterBreite - RahmenBreite,
        .clientHeight = FensterHoehe - RahmenHoehe,
        .maxButton = false,
        .startUp = StartUp::CenterOwner,
        .controls = std::move(controls),
    };
}
// clang-format on

const Schirmwerte& werte(const Stufe& stufe)
{
    const auto* w = std::find_if(std::begin(Werte), std::end(Werte),
                                 [&](const Schirmwerte& x) { return x.stufe == stufe.nummer; });
    if (w == std::end(Werte))
        qFatal("Kieselblick: Stufe %d hat keinen Bildschirm", stufe.nummer);
    return *w;
}

} // namespace

const FormLayout& layout(const Stufe& stufe)
{
    static const std::vector<FormLayout> layouts = [] {
        std::vector<FormLayout> v;
        for (const Stufe& s : stufen())
            v.push_back(baue(s, werte(s)));
        return v;
    }();
    return layouts.at(std::size_t(&stufe - stufen().data()));
}

const char* taktgeber(const Stufe& stufe)
{
    return werte(stufe).timer;
}

} // namespace kb
