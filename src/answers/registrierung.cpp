#include "shell/programmstart.h"

namespace kb {

void registriereAuswahl() {}

} // namespace kb
