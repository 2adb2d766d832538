#pragma once

#include <QString>

namespace kb {

// Sets up what the whole program needs once: name and version, the bundled fonts,
// no automatic quit when a window closes, and every screen it knows.
void programmEinrichten();

// The first screen of the chain that the program has: the about screen.
QString ersterBildschirm();

// Each area registers its own screens.
void registriereShell();
void registriereDarbietung();
void registriereAuswahl();
void registriereInfo();

} // namespace kb
