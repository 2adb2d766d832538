#include "shell/programmstart.h"

namespace kb {

void registriereShell() {}

} // namespace kb
