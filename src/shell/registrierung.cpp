#include "shell/frmSchwierigkeit.h"
#include "shell/frmSpiel.h"
#include "shell/frmStart.h"
#include "shell/programmstart.h"
#include "shell/toolkit/programm.h"

#include <memory>

namespace kb {

void registriereShell()
{
    auto& program = tk::Program::instance();
    program.registerForm(QStringLiteral("frmStart"), [] { return std::make_unique<frmStart>(); });
    program.registerForm(QStringLiteral("frmSpiel"), [] { return std::make_unique<frmSpiel>(); });
    program.registerForm(QStringLiteral("frmSchwierigkeit"),
                         [] { return std::make_unique<frmSchwierigkeit>(); });
}

} // namespace kb
