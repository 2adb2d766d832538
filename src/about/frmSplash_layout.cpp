#include "about/frmSplash.h"
#include "about/verweise.h"
#include "regeln/ansicht.h"

namespace kb {

using tk::Align;
using tk::Kind;

namespace {

// The note wraps after the class designation. Its second line leaves a run of
// blanks after "des" and another after "in Kooperation mit der": the link
// controls with the college's and the school's names stand over them and
// complete the sentence.
constexpr const char* autorenNotiz =
    "Programmiert im Rahmen eines Unterrichtsprojektes von Schülerinnen und Schülern der Klasse IT1 des"
    "                                      " // 38 blanks
    "in Kooperation mit der"
    "                                            " // 44 blanks
    ".  ";

} // namespace

// clang-format off
// No title bar, no control box, no task-bar entry: a plain grey panel centred on
// the desktop, at its stored size. Everything lies in the frame; the link
// controls come last so that they lie above the labels they overlap.
const tk::FormLayout frmSplashLayout{
    .name = "frmSplash",
    .caption = "",
    .backColor = 0x8000000A,
    .foreColor = 0x00FFFFFF,
    .clientWidth = 9840,
    .clientHeight = 7125,
    .icon = false,
    .maxButton = false,
    .minButton = false,
    .controlBox = false,
    .titleBar = false,
    .keyPreview = true,
    .showInTaskbar = false,
    .startUp = tk::StartUp::CenterScreen,
    .controls = {
        {.kind = Kind::Frame, .name = "Frame1",
         .left = 120, .top = 120, .width = 9615, .height = 6855, .tabIndex = 0},
        {.kind = Kind::Label, .name = "lblTitel", .container = "Frame1",
         .left = 2160, .top = 240, .width = 6855, .height = 1095,
         .caption = "Titel", .foreColor = 0x00000000, .font = {"Arial", 39.75, 400},
         .alignment = Align::Center, .transparent = true, .tabIndex = 2},
        {.kind = Kind::Label, .name = "lblErklaerung", .container = "Frame1",
         .left = 1440, .top = 1320, .width = 6135, .height = 1095,
         .caption = "Erläuterungen", .foreColor = 0x00000000, .font = InfoSchrift,
         .alignment = Align::Center, .transparent = true, .tabIndex = 3},
        {.kind = Kind::Label, .name = "lblversion", .container = "Frame1",
         .left = 2760, .top = 2400, .width = 3735, .height = 495,
         .caption = "Version", .foreColor = 0x00000000, .font = {"Arial", 20.25, 400},
         .alignment = Align::Center, .transparent = true, .tabIndex = 1},
        {.kind = Kind::Label, .name = "lblAutoren", .container = "Frame1",
         .left = 240, .top = 3000, .width = 8775, .height = 495,
         .caption = autorenNotiz, .foreColor = 0x00000000, .font = InfoSchrift,
         .alignment = Align::Left, .transparent = true, .tabIndex = 4},
        {.kind = Kind::Label, .name = "lblTavo3", .container = "Frame1",
         .left = 240, .top = 3480, .width = 9135, .height = 615,
         .caption = "Die Autoren haben nach bestem Wissen und Gewissen programmiert, übernehmen aber "
                    "keine Gewähr für eventuelle Fehler. Anregungen und Verbesserungsvorschläge bitte an:",
         .font = InfoSchrift, .alignment = Align::Left, .tabIndex = 5},
        {.kind = Kind::Label, .name = "lblTavo2", .container = "Frame1",
         .left = 2880, .top = 5040, .width = 3135, .height = 855,
         .caption = "Label1", .font = InfoSchrift, .alignment = Align::Left, .tabIndex = 6},
        {.kind = Kind::Link, .name = "LinkTavo21", .container = "Frame1",
         .left = 600, .top = 3240, .width = 2175, .height = 255, .tabIndex = 7, .link = &LinkTavo2},
        {.kind = Kind::Link, .name = "LinkDornwiese1", .container = "Frame1",
         .left = 4800, .top = 3240, .width = 2535, .height = 255, .tabIndex = 8, .link = &LinkDornwiese},
        {.kind = Kind::Link, .name = "LinkTavo1", .container = "Frame1",
         .left = 2880, .top = 4080, .width = 3615, .height = 975, .tabIndex = 9, .link = &LinkTavo},
        {.kind = Kind::Link, .name = "MailOrvel1", .container = "Frame1",
         .left = 2880, .top = 6360, .width = 3615, .height = 255, .tabIndex = 10, .link = &MailOrvel},
        {.kind = Kind::Timer, .name = "Timer1", .container = "Frame1", .enabled = false, .interval = 60000},
    },
};
// clang-format on

} // namespace kb
