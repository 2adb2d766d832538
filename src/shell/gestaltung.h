#pragma once

#include "toolkit/units.h"

// The fonts and colours that several screens' layouts share, named once.
namespace kb {

inline constexpr tk::FontDef KnopfSchrift{"Comic Sans MS", 9};             // command buttons, small labels
inline constexpr tk::FontDef TextSchrift{"Comic Sans MS", 14.25};          // greetings, names, results
inline constexpr tk::FontDef TextSchriftFett{"Comic Sans MS", 14.25, 700}; // the boards' instruction
inline constexpr tk::FontDef InfoSchrift{"Arial", 9.75};                   // the about screen's small print

inline constexpr tk::OleColor Hellgelb = 0x0080FFFF;  // instruction screen and menu
inline constexpr tk::OleColor Hellblau = 0x00FF8080;  // boards and result screens
inline constexpr tk::OleColor Blassblau = 0x00FFC0C0; // the result screens' buttons

} // namespace kb
