#include "shell/modSkalieren.h"

#include "shell/toolkit/form.h"

namespace modSkalieren {

void FormSkalieren(tk::Form& form)
{
    form.setWidth(12000.0);
    form.setHeight(9000.0);
}

} // namespace modSkalieren
