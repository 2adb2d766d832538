#include "shell/frmSchwierigkeit.h"

#include "shell/modSkalieren.h"
#include "shell/toolkit/programm.h"

namespace kb {

frmSchwierigkeit::frmSchwierigkeit() : tk::Form(frmSchwierigkeitLayout)
{
    onClick(QStringLiteral("cmdschweins"), [this] { cmdschweins_Click(); });
    onClick(QStringLiteral("cmdschwzwei"), [this] { cmdschwzwei_Click(); });
    onClick(QStringLiteral("cmdschwdrei"), [this] { cmdschwdrei_Click(); });
    onClick(QStringLiteral("cmdschwvier"), [this] { cmdschwvier_Click(); });
    onClick(QStringLiteral("cmdschwfünf"), [this] { cmdschwfünf_Click(); });
}

void frmSchwierigkeit::Form_Load()
{
    FormSkalieren(*this);
}

void frmSchwierigkeit::cmdschweins_Click()
{
    stufeOeffnen(QStringLiteral("frmSchw1"));
}
void frmSchwierigkeit::cmdschwzwei_Click()
{
    stufeOeffnen(QStringLiteral("frmSchw2"));
}
void frmSchwierigkeit::cmdschwdrei_Click()
{
    stufeOeffnen(QStringLiteral("frmSchw3"));
}
void frmSchwierigkeit::cmdschwvier_Click()
{
    stufeOeffnen(QStringLiteral("frmSchw4"));
}
void frmSchwierigkeit::cmdschwfünf_Click()
{
    stufeOeffnen(QStringLiteral("frmSchw5"));
}

// The menu touches no program-wide variable: the previous round's values stay
// until the next screen resets what it uses.
void frmSchwierigkeit::stufeOeffnen(const QString& screen)
{
    tk::Unload(*this);
    tk::Show(screen, tk::vbModal);
}

} // namespace kb
