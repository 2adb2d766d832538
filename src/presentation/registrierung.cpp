#include "presentation/registrierung.h"

#include "presentation/frmSchw.h"
#include "toolkit/program.h"

namespace kb {

void registriereStufenschirme()
{
    for (const Stufe& stufe : stufen())
        tk::Program::instance().registerForm(QString::fromLatin1(stufe.schirm),
                                             [&stufe] { return std::make_unique<frmSchw>(stufe); });
}

} // namespace kb
