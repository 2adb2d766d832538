#include "shell/modSkalieren.h"

#include "regeln/ansicht.h"
#include "toolkit/form.h"

namespace kb::modSkalieren {

void FormSkalieren(tk::Form& form)
{
    form.setWidth(FensterBreite);
    form.setHeight(FensterHoehe);
}

} // namespace kb::modSkalieren
