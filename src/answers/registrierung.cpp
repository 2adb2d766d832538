#include "answers/registrierung.h"

#include "answers/frmAusw.h"
#include "answers/frmAuswert.h"
#include "toolkit/program.h"

namespace kb {

void registriereAnswers()
{
    auto& programm = tk::Program::instance();
    programm.registerForm(QStringLiteral("frmAusw1"),
                          [] { return std::make_unique<frmAusw>(frmAusw1Werte); });
    programm.registerForm(QStringLiteral("frmAusw2"),
                          [] { return std::make_unique<frmAusw>(frmAusw2Werte); });
    programm.registerForm(QStringLiteral("frmAuswert1"),
                          [] { return std::make_unique<frmAuswert>(frmAuswert1Werte); });
    programm.registerForm(QStringLiteral("frmAuswert2"),
                          [] { return std::make_unique<frmAuswert>(frmAuswert2Werte); });
}

} // namespace kb
