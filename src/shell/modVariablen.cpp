#include "shell/modVariablen.h"

namespace modVariablen {

void zuruecksetzen()
{
    Benutzername.clear();
    Bildnamen.Erase();
    Zufallszahlen.Erase();
    Doppelt = false;
    Bildzaehler = 0;
    Richtige = 0;
    Falsche = 0;
}

} // namespace modVariablen
