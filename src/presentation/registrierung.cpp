#include "presentation/registrierung.h"

#include "presentation/frmSchw.h"
#include "toolkit/program.h"

namespace kb {

void registrierePresentation()
{
    for (const Stufe& stufe : stufen())
        tk::Program::instance().registerForm(QString::fromLatin1(stufe.name),
                                             [&stufe] { return std::make_unique<frmSchw>(stufe); });
}

} // namespace kb
