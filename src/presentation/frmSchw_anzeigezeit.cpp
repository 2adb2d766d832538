#include "presentation/frmSchw.h"

#include "toolkit/runtimeerror.h"

namespace kb {

namespace {

const char* const Eingabeaufforderung =
    "Bitte gib eine Zahl ein!!! Diese Zahl ist die Anzeigezeit (für eine Sekunde = 1, für zwei Sekunden = 2 "
    "usw...; maximal bis 15)";

} // namespace

// The prompt runs while the screen is still loading: the child sees the dialog
// alone, and the screen once an entry has passed.
void frmSchw::frageAnzeigezeit()
{
    InputBox(QString::fromUtf8(Eingabeaufforderung), QStringLiteral("Eingabe"),
             [this](const QString& eingabe) { Anzeigezeit_Antwort(eingabe); });
}

// An entry passes when it reads as a whole number (rounded half to even) from 1
// to 15; the display time in milliseconds is formed in 16-bit arithmetic and the
// timer takes no negative interval. Anything else, the empty text of a cancelled
// dialog included, runs the load again and brings the prompt back without a word.
// The prompt itself names 15 as the largest time, so 16 to 32 come back as well.
void frmSchw::Anzeigezeit_Antwort(const QString& eingabe)
{
    try {
        Anzeigezeit = tk::CIntText(eingabe);
        if (Anzeigezeit != 0) {
            const tk::Integer millisekunden = Anzeigezeit * tk::Integer(1000);
            if (Anzeigezeit <= 15) {
                takt_->setInterval(millisekunden);
                finishLoad();
                return;
            }
        }
    } catch (const tk::RuntimeError&) {
        // Trapped: the prompt comes back.
    }
    if (ladeSchritte())
        frageAnzeigezeit();
}

} // namespace kb
