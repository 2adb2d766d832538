#include "shell/frmStart.h"

#include "shell/modSkalieren.h"
#include "shell/modVariablen.h"

namespace kb {

frmStart::frmStart()
    : tk::Form(frmStartLayout), txtBenutzername(find<tk::TextBox>("txtBenutzername")),
      cmdStart(find<tk::CommandButton>("cmdStart")), cmdBeenden(find<tk::CommandButton>("cmdBeenden"))
{
    cmdStart.onClick = [this] { cmdStart_Click(); };
    cmdBeenden.onClick = [this] { cmdBeenden_Click(); };
}

void frmStart::Form_Load()
{
    FormSkalieren(*this);
}

// Enter anywhere on the screen lands here too: the name is taken exactly as
// typed, blanks and all, and may be empty.
void frmStart::cmdStart_Click()
{
    modVariablen::Benutzername = txtBenutzername.Text();
    Unload();
    Show(QStringLiteral("frmSpiel"), tk::vbModal);
}

// Esc anywhere on the screen lands here too.
void frmStart::cmdBeenden_Click()
{
    End();
}

} // namespace kb
