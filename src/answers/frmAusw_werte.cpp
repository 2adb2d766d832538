#include "answers/frmAusw.h"

namespace kb {

// Nine words after four pictures, fifteen after seven. The factor is one less
// than the number of words, so the first and the last word are drawn half as
// often as the others.
const Tafelwerte frmAusw1Werte{frmAusw1Layout, 9, 4, 8.0, "frmAuswert1"};
const Tafelwerte frmAusw2Werte{frmAusw2Layout, 15, 7, 14.0, "frmAuswert2"};

} // namespace kb
