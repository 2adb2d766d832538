#include "about/registrierung.h"

#include "about/frmSplash.h"
#include "toolkit/program.h"

namespace kb {

void registriereInfoschirm()
{
    tk::Program::instance().registerForm(QStringLiteral("frmSplash"),
                                         [] { return std::make_unique<frmSplash>(); });
}

} // namespace kb
