#pragma once

namespace tk {
class Application;
}

namespace kb {

// How the game is shown: at a board with "--tafel" on the command line or
// Tafel=ja in the system configuration, every screen filling the screen; the
// mouse pointer hidden with Zeiger=nein. Comes before any window is made.
void anzeigeEinrichten(tk::Application& anwendung);

// Sets up what the whole program needs once: name, version and icon, the
// toolkit, and every screen it knows.
void programmEinrichten();

// Opens the program's first screen, the about screen.
void programmStarten();

} // namespace kb
