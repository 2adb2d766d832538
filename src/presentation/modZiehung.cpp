#include "presentation/modZiehung.h"

#include "regeln/wort.h"
#include "shell/modVariablen.h"
#include "toolkit/controls.h"
#include "toolkit/numbers.h"
#include "toolkit/services.h"

namespace kb::modZiehung {

using namespace modVariablen;

namespace {

// True when position k repeats the position of an earlier slot. The slots are
// compared in index order and the first equal one ends the comparison.
bool wiederholtePosition(double k)
{
    for (double i = 0; i < k; ++i)
        if (Zufallszahlen(i) == Zufallszahlen(k))
            return true;
    return false;
}

// True when the file at the drawn position gives no word, or a word that an
// earlier slot of this round already has: the board needs all words different.
bool unbrauchbaresWort(const tk::FileListBox& File1, double k)
{
    const QString wort = Wort(File1.entries().at(qsizetype(Zufallszahlen(k))));
    if (wort.isEmpty())
        return true;
    for (double i = 0; i < k; ++i)
        if (Bildnamen(i) == wort)
            return true;
    return false;
}

} // namespace

void ZieheBild(tk::FileListBox& File1)
{
    const double k = Bildzaehler;
    tk::services().randomize();
    Bildnamen.ReDimPreserve(tk::CLng(k));
    Zufallszahlen.ReDimPreserve(tk::CLng(k));
    do {
        Doppelt = false;
        const float r = tk::services().rnd();
        const std::int16_t n = File1.ListCount();
        // n has 16 bits and r 24: their product is exact in a double.
        Zufallszahlen(k) = tk::Int(double(n) * double(r));
        Doppelt = wiederholtePosition(k) || unbrauchbaresWort(File1, k);
    } while (Doppelt);
    File1.setListIndex(tk::CInt(Zufallszahlen(k)));
}

} // namespace kb::modZiehung
