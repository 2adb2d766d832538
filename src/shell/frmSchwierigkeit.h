#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace kb {

extern const tk::FormLayout frmSchwierigkeitLayout;

// The difficulty menu: five buttons, each opening the presentation screen of
// its level. The level chosen is stored nowhere; it is the screen that opens.
class frmSchwierigkeit : public tk::Form {
public:
    frmSchwierigkeit();
    void Form_Load() override;

private:
    void cmdschweins_Click();
    void cmdschwzwei_Click();
    void cmdschwdrei_Click();
    void cmdschwvier_Click();
    void cmdschwfünf_Click();
    void stufeOeffnen(const QString& screen);

    tk::CommandButton& cmdschweins;
    tk::CommandButton& cmdschwzwei;
    tk::CommandButton& cmdschwdrei;
    tk::CommandButton& cmdschwvier;
    tk::CommandButton& cmdschwfünf;
};

} // namespace kb
