#include "answers/frmAuswert.h"

namespace kb {

// Each praise line has a label of its own, so it stands at a height that
// depends on the result. The texts are used exactly as they stand, leading
// blanks included.
const Auswertungswerte frmAuswert1Werte{
    frmAuswert1Layout,
    {
        {4, -1, "lblSupi1", "Sehr gut, du hast alle Antworten richtig!"},
        {2, 2, "lblSupi2", " Gut, du hast zwei Antworten richtig!"},
        {3, 1, "lblSupi3", " Schön, du hast drei Antworten richtig!"},
    },
};

const Auswertungswerte frmAuswert2Werte{
    frmAuswert2Layout,
    {
        {7, -1, "lblSupi1", " Sehr gut, du hast alle Antworten richtig!"},
        {6, 1, "lblSupi2", " Super, du hast fast alles richtig!"},
        {5, 2, "lblSupi3", " Schön, du hast fünf richtige Antworten gegeben!"},
        {4, 3, "lblSupi4", " Sehr gut, vier richtige Antworten!"},
    },
};

} // namespace kb
