#pragma once

namespace kb {

// Makes the presentation screen of every level known to the program.
void registriereStufenschirme();

} // namespace kb
