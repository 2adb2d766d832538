#pragma once

namespace tk {

// Closes a window that the window system destroyed as if its close box had been
// clicked. On X11 any program may destroy another's window (a desktop's
// "force close", xdotool, a crashed window manager); Qt is told nothing but that
// the window disappeared, and would go on with a screen nobody can see, the
// process running without a window. The watch notices the destruction and closes
// the window: a screen is unloaded, and with no screen left the program ends, as
// by the close box; a dialog is cancelled.
void installWindowWatch();

} // namespace tk
