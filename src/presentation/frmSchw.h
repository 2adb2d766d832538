#pragma once

#include "regeln/stufen.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/numbers.h"

namespace kb {

// The stored layout of a level's screen, built from its row of the rules and its
// own values, and the name of the timer of a level paced by timer.
const tk::FormLayout& layout(const Stufe& stufe);
const char* taktgeber(const Stufe& stufe);

// A presentation screen, frmSchw1 to frmSchw5: shows the round's pictures one at
// a time, by button or by timer, then hands the round's words to its board.
class frmSchw : public tk::Form {
public:
    explicit frmSchw(const Stufe& stufe);

    void Form_Load() override;
    // The advance step, shared by the button and the timer.
    void cmdweiter_Click();

    // Level 5: the display time in seconds as the child typed it.
    tk::Integer Anzeigezeit;

private:
    // The load steps every level shares. False when the level is refused for
    // too few pictures; the screen then leaves for the difficulty menu.
    bool ladeSchritte();
    void zuWenigeBilder(int gefunden);
    void zeigeBild();

    // Level 5: asks for the display time until an entry passes.
    void frageAnzeigezeit();
    void Anzeigezeit_Antwort(const QString& eingabe);

    const Stufe& stufe_;
    tk::FileListBox& File1;
    tk::Image& imgBild;
    tk::CommandButton& cmdweiter;
    tk::Timer* takt_ = nullptr; // tmreins or Timer1 of the timed levels
};

} // namespace kb
