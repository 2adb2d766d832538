#include "shell/frmStart.h"

#include "shell/modSkalieren.h"
#include "shell/modVariablen.h"
#include "shell/toolkit/programm.h"

namespace kb {

frmStart::frmStart() : tk::Form(frmStartLayout)
{
    onClick(QStringLiteral("cmdStart"), [this] { cmdStart_Click(); });
    onClick(QStringLiteral("cmdBeenden"), [this] { cmdBeenden_Click(); });
}

void frmStart::Form_Load()
{
    FormSkalieren(*this);
}

// Enter anywhere on the screen lands here too: the name is taken exactly as
// typed, blanks and all, and may be empty.
void frmStart::cmdStart_Click()
{
    modVariablen::Benutzername = textBox(QStringLiteral("txtBenutzername")).Text();
    tk::Unload(*this);
    tk::Show(QStringLiteral("frmSpiel"), tk::vbModal);
}

// Esc anywhere on the screen lands here too.
void frmStart::cmdBeenden_Click()
{
    tk::End();
}

} // namespace kb
