#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace kb {

extern const tk::FormLayout frmSpielLayout;

// The instruction screen: greets the child by name and shows the short
// instruction with its drawing, then leads to the difficulty menu.
class frmSpiel : public tk::Form {
public:
    frmSpiel();
    void Form_Load() override;

private:
    void cmdweiter_Click();

    tk::Label& lblBegrüßung;
    tk::Label& lblName;
    tk::CommandButton& cmdweiter;
};

} // namespace kb
