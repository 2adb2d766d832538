#include "shell/frmSpiel.h"

#include "shell/modSkalieren.h"
#include "shell/modVariablen.h"

namespace kb {

frmSpiel::frmSpiel()
    : tk::Form(frmSpielLayout), lblBegrüßung(find<tk::Label>("lblBegrüßung")),
      lblName(find<tk::Label>("lblName")), cmdweiter(find<tk::CommandButton>("cmdweiter"))
{
    cmdweiter.onClick = [this] { cmdweiter_Click(); };
}

void frmSpiel::Form_Load()
{
    FormSkalieren(*this);
    // The name starts exactly where "Hallo " ends: its trailing blank is the gap
    // between the greeting and the name. The sum is taken in single precision,
    // as the positions are stored.
    lblName.setTop(lblBegrüßung.Top());
    lblName.setLeft(double(float(lblBegrüßung.Left()) + float(lblBegrüßung.Width())));
    lblName.setCaption(modVariablen::Benutzername + QStringLiteral("!"));
}

void frmSpiel::cmdweiter_Click()
{
    Unload();
    Show(QStringLiteral("frmSchwierigkeit"), tk::vbModal);
}

} // namespace kb
