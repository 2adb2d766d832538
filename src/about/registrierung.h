#pragma once

namespace kb {

// Makes the about screen known to the program.
void registriereAbout();

} // namespace kb
