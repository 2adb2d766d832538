#pragma once

namespace tk {
class Form;
}

namespace kb::modSkalieren {

// Gives a game screen its fixed outer size of 12000 x 9000 twips (800 x 600 pixels
// at 96 dots per inch), whatever the size of its stored layout.
void FormSkalieren(tk::Form& form);

} // namespace kb::modSkalieren

namespace kb {
using modSkalieren::FormSkalieren;
}
