#pragma once

#include <cstdio>

namespace tk {

// Keeps Qt's warnings and the messages libraries print themselves (a damaged
// picture's "libpng error", a missing runtime folder) off the terminal: a
// command-line tool for teachers prints its own German lines and nothing else.
// Called before the application object exists, so that its start is quiet too.
void quietTerminal();

// Where the program's own error messages go: the terminal's error output, also
// after quietTerminal().
std::FILE* errorOutput();

} // namespace tk
