#pragma once

namespace kb {

// Makes the about screen known to the program.
void registriereInfoschirm();

} // namespace kb
