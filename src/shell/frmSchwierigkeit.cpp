#include "shell/frmSchwierigkeit.h"

#include "shell/modSkalieren.h"

namespace kb {

frmSchwierigkeit::frmSchwierigkeit() : tk::Form(frmSchwierigkeitLayout)
{
    for (const Stufe& stufe : stufen())
        find<tk::CommandButton>(stufenknopf(stufe)).onClick = [this, &stufe] { Stufenknopf_Click(stufe); };
}

void frmSchwierigkeit::Form_Load()
{
    FormSkalieren(*this);
}

// The menu touches no program-wide variable: the previous round's values stay
// until the next screen resets what it uses.
void frmSchwierigkeit::Stufenknopf_Click(const Stufe& stufe)
{
    Unload();
    Show(QString::fromLatin1(stufe.schirm), tk::vbModal);
}

} // namespace kb
