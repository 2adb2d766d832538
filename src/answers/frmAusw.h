#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/numbers.h"

#include <cstdint>

namespace kb {

extern const tk::FormLayout frmAusw1Layout;
extern const tk::FormLayout frmAusw2Layout;

// What tells the two answer boards apart besides their layouts.
struct Tafelwerte {
    const tk::FormLayout& layout;
    std::int16_t woerter;   // words on the board: Bildnamen(0) to Bildnamen(woerter - 1)
    std::int16_t gezeigt;   // the first words were shown; the click of this number evaluates
    double faktor;          // a random number times this gives the index of a word
    const char* auswertung; // the result screen that follows
};

extern const Tafelwerte frmAusw1Werte;
extern const Tafelwerte frmAusw2Werte;

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
    explicit frmAusw(const Tafelwerte& werte);
    void Form_Load() override;

private:
    void mischen();
    bool nochmalZiehen(int i) const;
    void cmdeins_Click(std::int16_t index);
    bool gezeigtesWort(const QString& wort) const;
    void auswerten();

    const Tafelwerte& werte_;
    tk::ControlArray<tk::CommandButton> cmdeins; // the word buttons
    tk::ControlArray<tk::CommandButton> cmdzwei; // the markers
    tk::Integer Klickzaehler;
};

} // namespace kb
