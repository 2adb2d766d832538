#include "shell/registrierung.h"

#include "shell/frmSchwierigkeit.h"
#include "shell/frmSpiel.h"
#include "shell/frmStart.h"
#include "toolkit/program.h"

namespace kb {

void registriereStartschirme()
{
    auto& program = tk::Program::instance();
    program.registerForm(QStringLiteral("frmStart"), [] { return std::make_unique<frmStart>(); });
    program.registerForm(QStringLiteral("frmSpiel"), [] { return std::make_unique<frmSpiel>(); });
    program.registerForm(QStringLiteral("frmSchwierigkeit"),
                         [] { return std::make_unique<frmSchwierigkeit>(); });
}

} // namespace kb
