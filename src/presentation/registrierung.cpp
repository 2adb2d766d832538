#include "shell/programmstart.h"

namespace kb {

void registriereDarbietung() {}

} // namespace kb
