#include "answers/registrierung.h"

#include "answers/frmAusw.h"
#include "answers/frmAuswert.h"
#include "toolkit/program.h"

namespace kb {

void registriereTafelnUndAuswertungen()
{
    auto& programm = tk::Program::instance();
    for (const Tafel& tafel : tafeln())
        programm.registerForm(QString::fromLatin1(tafel.name),
                              [&tafel] { return std::make_unique<frmAusw>(tafel); });
    programm.registerForm(QStringLiteral("frmAuswert1"),
                          [] { return std::make_unique<frmAuswert>(frmAuswert1Werte); });
    programm.registerForm(QStringLiteral("frmAuswert2"),
                          [] { return std::make_unique<frmAuswert>(frmAuswert2Werte); });
}

} // namespace kb
