#pragma once

#include "toolkit/units.h"

// What the child sees, shared by the game's layouts and the companion that shows
// a teacher the same: the window's size, where a picture sits, the buttons' sizes,
// and the fonts and colours several screens share. Positions and sizes in twips.
namespace kb {

// Every game screen is brought to this outer size (800 x 600 pixels at 96 dpi).
inline constexpr double FensterBreite = 12000.0;
inline constexpr double FensterHoehe = 9000.0;

// The classic window frame the layouts were drawn in: 4-pixel borders and a
// 19-pixel title bar. A screen's client area is its outer size less this frame.
inline constexpr double RahmenBreite = 120.0;
inline constexpr double RahmenHoehe = 405.0;

// The presentation screens: the top-left corner of the picture (imgBild), the
// size of the button cmdweiter and the caption it starts with.
inline constexpr double BildLeft = 2640.0;
inline constexpr double BildTop = 600.0;
inline constexpr double WeiterknopfBreite = 1695.0;
inline constexpr double WeiterknopfHoehe = 855.0;
inline constexpr const char* WeiterknopfText = "&erstes Bild";

// The answer boards: every word button and marker has this size.
inline constexpr double WortknopfBreite = 1455.0;
inline constexpr double WortknopfHoehe = 975.0;

inline constexpr tk::FontDef KnopfSchrift{"Comic Sans MS", 9};             // command buttons, small labels
inline constexpr tk::FontDef TextSchrift{"Comic Sans MS", 14.25};          // greetings, names, results
inline constexpr tk::FontDef TextSchriftFett{"Comic Sans MS", 14.25, 700}; // the boards' instruction
inline constexpr tk::FontDef InfoSchrift{"Arial", 9.75};                   // the about screen's small print

inline constexpr tk::OleColor Hellgelb = 0x0080FFFF;  // instruction screen and menu
inline constexpr tk::OleColor Hellblau = 0x00FF8080;  // boards and result screens
inline constexpr tk::OleColor Blassblau = 0x00FFC0C0; // the result screens' buttons
// At a board: the calm dark grey around the screen, where the desktop would be.
inline constexpr tk::OleColor Tafelrand = 0x00383838;

} // namespace kb
