#pragma once

namespace kb {

// Makes the answer boards and the result screens known to the program.
void registriereTafelnUndAuswertungen();

} // namespace kb
