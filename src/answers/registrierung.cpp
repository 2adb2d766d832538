#include "answers/auswahlbox.h"
#include "answers/auswertung.h"
#include "shell/programmstart.h"
#include "shell/toolkit/programm.h"

#include <memory>

namespace kb {

void registriereAuswahl()
{
    auto& programm = tk::Program::instance();
    programm.registerForm(QStringLiteral("frmAusw1"),
                          [] { return std::make_unique<Auswahlbox>(frmAusw1Werte); });
    programm.registerForm(QStringLiteral("frmAusw2"),
                          [] { return std::make_unique<Auswahlbox>(frmAusw2Werte); });
    programm.registerForm(QStringLiteral("frmAuswert1"),
                          [] { return std::make_unique<Auswertung>(frmAuswert1Werte); });
    programm.registerForm(QStringLiteral("frmAuswert2"),
                          [] { return std::make_unique<Auswertung>(frmAuswert2Werte); });
}

} // namespace kb
