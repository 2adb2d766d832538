#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace kb {

extern const tk::FormLayout frmStartLayout;

// The start screen: the child types its name and starts the game, or ends the
// program.
class frmStart : public tk::Form {
public:
    frmStart();
    void Form_Load() override;

private:
    void cmdStart_Click();
    void cmdBeenden_Click();

    tk::TextBox& txtBenutzername;
    tk::CommandButton& cmdStart;
    tk::CommandButton& cmdBeenden;
};

} // namespace kb
