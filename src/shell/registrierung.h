#pragma once

namespace kb {

// Makes the start screen, the instruction screen and the difficulty menu known to the program.
void registriereStartschirme();

} // namespace kb
