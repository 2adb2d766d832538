#include "shell/frmSchwierigkeit.h"

#include "shell/modSkalieren.h"

namespace kb {

frmSchwierigkeit::frmSchwierigkeit()
    : tk::Form(frmSchwierigkeitLayout), cmdschweins(find<tk::CommandButton>("cmdschweins")),
      cmdschwzwei(find<tk::CommandButton>("cmdschwzwei")),
      cmdschwdrei(find<tk::CommandButton>("cmdschwdrei")),
      cmdschwvier(find<tk::CommandButton>("cmdschwvier")), cmdschwfünf(find<tk::CommandButton>("cmdschwfünf"))
{
    cmdschweins.onClick = [this] { cmdschweins_Click(); };
    cmdschwzwei.onClick = [this] { cmdschwzwei_Click(); };
    cmdschwdrei.onClick = [this] { cmdschwdrei_Click(); };
    cmdschwvier.onClick = [this] { cmdschwvier_Click(); };
    cmdschwfünf.onClick = [this] { cmdschwfünf_Click(); };
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
    Unload();
    Show(screen, tk::vbModal);
}

} // namespace kb
