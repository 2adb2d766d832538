#pragma once

#include "regeln/stufen.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/numbers.h"

#include <cstdint>

namespace kb {

extern const tk::FormLayout frmAusw1Layout;
extern const tk::FormLayout frmAusw2Layout;

// The stored layout of a board of the rules.
const tk::FormLayout& layout(const Tafel& tafel);

// Marker colours: the clicked word was shown (green) or not (red). The
// evaluation recognises the markers by exactly these values.
inline constexpr tk::OleColor Gruen = 0x0000FF00;
inline constexpr tk::OleColor Rot = 0x000000FF;

// An answer board, frmAusw1 or frmAusw2: the round's words shuffled onto word
// buttons. Each click replaces a word by a green or red marker; the click that
// matches the number of shown pictures counts the markers into Richtige and
// Falsche and opens the result screen.
class frmAusw : public tk::Form {
public:
    explicit frmAusw(const Tafel& tafel);
    void Form_Load() override;

private:
    void mischen();
    bool nochmalZiehen(int i) const;
    void cmdeins_Click(std::int16_t index);
    bool gezeigtesWort(const QString& wort) const;
    void auswerten();

    const Tafel& tafel_;
    tk::ControlArray<tk::CommandButton> cmdeins; // the word buttons
    tk::ControlArray<tk::CommandButton> cmdzwei; // the markers
    tk::Integer Klickzaehler;
};

} // namespace kb
