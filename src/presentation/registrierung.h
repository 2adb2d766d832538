#pragma once

namespace kb {

// Makes the five presentation screens known to the program.
void registrierePresentation();

} // namespace kb
