#include "shell/frmSpiel.h"

#include "shell/modSkalieren.h"
#include "shell/modVariablen.h"
#include "shell/toolkit/programm.h"

namespace kb {

frmSpiel::frmSpiel() : tk::Form(frmSpielLayout)
{
    onClick(QStringLiteral("cmdweiter"), [this] { cmdweiter_Click(); });
}

void frmSpiel::Form_Load()
{
    FormSkalieren(*this);
    // The name starts exactly where "Hallo " ends: its trailing blank is the gap
    // between the greeting and the name. The sum is taken in single precision,
    // as the positions are stored.
    tk::Label& begruessung = label(QStringLiteral("lblBegrüßung"));
    tk::Label& name = label(QStringLiteral("lblName"));
    name.setTop(begruessung.Top());
    name.setLeft(double(float(begruessung.Left()) + float(begruessung.Width())));
    name.setCaption(modVariablen::Benutzername + QStringLiteral("!"));
}

void frmSpiel::cmdweiter_Click()
{
    tk::Unload(*this);
    tk::Show(QStringLiteral("frmSchwierigkeit"), tk::vbModal);
}

} // namespace kb
