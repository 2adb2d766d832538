#pragma once

namespace kb {

// Makes the two answer boards and the two result screens known to the program.
void registriereAnswers();

} // namespace kb
