#include "shell/modSkalieren.h"

#include "toolkit/form.h"

namespace kb::modSkalieren {

void FormSkalieren(tk::Form& form)
{
    form.setWidth(12000.0);
    form.setHeight(9000.0);
}

} // namespace kb::modSkalieren
