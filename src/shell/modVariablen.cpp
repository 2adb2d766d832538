#include "shell/modVariablen.h"

namespace kb::modVariablen {

void zuruecksetzen()
{
    Benutzername.clear();
    Bildnamen.Erase();
    Zufallszahlen.Erase();
    Doppelt = false;
    Bildzaehler = 0;
    Richtige = 0;
    Falsche = 0;
    Spielstufe = 0;
    Gewaehlt.clear();
}

} // namespace kb::modVariablen
