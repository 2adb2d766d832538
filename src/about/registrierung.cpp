#include "shell/programmstart.h"

namespace kb {

void registriereInfo() {}

} // namespace kb
