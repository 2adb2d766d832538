#pragma once

#include "regeln/stufen.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace kb {

extern const tk::FormLayout frmSchwierigkeitLayout;

// The name of the menu's button that opens a level.
QString stufenknopf(const Stufe& stufe);

// The difficulty menu: a button for every level of the rules, each opening the
// presentation screen of its level. The level chosen is stored nowhere; it is
// the screen that opens.
class frmSchwierigkeit : public tk::Form {
public:
    frmSchwierigkeit();
    void Form_Load() override;

private:
    // The one handler of the level buttons cmdschweins, cmdschwzwei, ...: they
    // differ only in the level they open.
    void Stufenknopf_Click(const Stufe& stufe);
};

} // namespace kb
