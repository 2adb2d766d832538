#pragma once

namespace kb {

// Sets up what the whole program needs once: name, version and icon, the
// toolkit, and every screen it knows.
void programmEinrichten();

// Opens the program's first screen, the about screen.
void programmStarten();

} // namespace kb
