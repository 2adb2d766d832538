#include "presentation/frmSchw.h"
#include "shell/programmstart.h"
#include "shell/toolkit/programm.h"

namespace kb {

void registriereDarbietung()
{
    for (const darbietung::Stufe& stufe : darbietung::stufen())
        tk::Program::instance().registerForm(QString::fromLatin1(stufe.name), [&stufe] {
            return std::make_unique<darbietung::FrmSchw>(stufe);
        });
}

} // namespace kb
