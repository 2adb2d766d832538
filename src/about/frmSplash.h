#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace kb {

extern const tk::FormLayout frmSplashLayout;

// The about screen, the program's first window: title, description, version, the
// authors' note, the college's logo and address and the link controls. A click on
// it, any key or a minute without input leads on to the start screen.
class frmSplash : public tk::Form {
public:
    frmSplash();
    void Form_Load() override;

private:
    void zentriere(tk::Control& control) const;
    void zumStart();

    tk::Label& lblTitel;
    tk::Label& lblErklaerung;
    tk::Label& lblversion;
    tk::Label& lblTavo2;
    tk::LinkControl& LinkTavo1;
    tk::LinkControl& MailOrvel1;
    tk::Timer& Timer1;
};

} // namespace kb
