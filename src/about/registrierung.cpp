#include "about/frmSplash.h"
#include "shell/programmstart.h"
#include "shell/toolkit/programm.h"

#include <memory>

namespace kb {

void registriereInfo()
{
    tk::Program::instance().registerForm(QStringLiteral("frmSplash"),
                                         [] { return std::make_unique<frmSplash>(); });
}

} // namespace kb
