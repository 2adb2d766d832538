#include "regeln/stufen.h"

#include <array>

namespace kb {

namespace {

// clang-format off
const std::array<Tafel, 2> Tafeln{{
    // board       shown  words  result screen
    {"frmAusw1",   4,     9,     "frmAuswert1"},
    {"frmAusw2",   7,     15,    "frmAuswert2"},
}};

const std::array<Stufe, 5> Stufen{{
    // no  screen      pace            s  board        background  button corner
    {1,    "frmSchw1", Takt::Klick,    0, &Tafeln[0],  0x0080FF80, 10080, 7440},
    {2,    "frmSchw2", Takt::Klick,    0, &Tafeln[1],  0x00C0C000, 10080, 7080},
    {3,    "frmSchw3", Takt::Sekunden, 3, &Tafeln[0],  0x008080FF, 10080, 7440},
    {4,    "frmSchw4", Takt::Sekunden, 3, &Tafeln[1],  0x00FFFFC0, 10080, 7440},
    {5,    "frmSchw5", Takt::Eingabe,  0, &Tafeln[1],  0x00FFFFFF, 10080, 7440},
}};
// clang-format on

} // namespace

std::span<const Tafel> tafeln()
{
    return Tafeln;
}

std::span<const Stufe> stufen()
{
    return Stufen;
}

} // namespace kb
