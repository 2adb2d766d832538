#include "answers/auswahlbox.h"

#include "shell/modSkalieren.h"
#include "shell/modVariablen.h"
#include "shell/toolkit/dienste.h"
#include "shell/toolkit/programm.h"

namespace kb {

using modVariablen::Bildnamen;

namespace {

const QString cmdeins = QStringLiteral("cmdeins");
const QString cmdzwei = QStringLiteral("cmdzwei");

} // namespace

Auswahlbox::Auswahlbox(const Tafelwerte& werte) : tk::Form(werte.layout), werte_(werte)
{
    onClickIndex(cmdeins, [this](std::int16_t index) { cmdeins_Click(index); });
}

void Auswahlbox::Form_Load()
{
    FormSkalieren(*this);
    Klickzaehler = 0;
    tk::services().randomize();
    mischen();
    modVariablen::Richtige = 0;
    modVariablen::Falsche = 0;
}

// Puts a word drawn at random on each button in turn; a button whose word is
// already on the board is drawn again.
void Auswahlbox::mischen()
{
    tk::Integer i = 0;
    while (i <= werte_.woerter - 1) {
        // The product is formed exactly (a double holds every float times 14), so
        // only the halves that really are halves go to the even neighbour.
        const double produkt = double(tk::services().rnd()) * werte_.faktor;
        const std::int16_t k = tk::CInt(produkt);
        button(cmdeins, i).setCaption(Bildnamen(k));
        if (nochmalZiehen(i))
            i -= 1;
        i += 1;
    }
}

// Whether the word just put on button i has to be drawn again: it already lies
// on as many earlier buttons as it occurs among the board's words. With words
// that are all different this means "it already lies on an earlier button".
// Should a word occur twice (two pictures whose names differ only in their
// extension), it may lie on two buttons, so the board still fills every button
// with each word of Bildnamen exactly once instead of drawing forever.
bool Auswahlbox::nochmalZiehen(int i) const
{
    const QString& wort = button(cmdeins, i).Caption();
    int aufKnoepfen = 0;
    for (int j = 0; j < i; ++j)
        if (button(cmdeins, j).Caption() == wort)
            ++aufKnoepfen;
    if (aufKnoepfen == 0)
        return false;
    int imSpiel = 0;
    for (int k = 0; k < werte_.woerter; ++k)
        if (Bildnamen(k) == wort)
            ++imSpiel;
    return aufKnoepfen >= imSpiel;
}

void Auswahlbox::cmdeins_Click(std::int16_t index)
{
    Klickzaehler += 1;
    tk::CommandButton& marke = button(cmdzwei, index);
    marke.setBackColor(gezeigtesWort(button(cmdeins, index).Caption()) ? Gruen : Rot);
    marke.setVisible(true);
    button(cmdeins, index).setVisible(false);
    if (Klickzaehler == werte_.gezeigt)
        auswerten();
}

// Exact comparison: case counts, nothing is trimmed.
bool Auswahlbox::gezeigtesWort(const QString& wort) const
{
    for (int k = 0; k < werte_.gezeigt; ++k)
        if (Bildnamen(k) == wort)
            return true;
    return false;
}

void Auswahlbox::auswerten()
{
    for (int k = 0; k < werte_.woerter; ++k) {
        const tk::OleColor farbe = button(cmdzwei, k).BackColor();
        if (farbe == Gruen)
            modVariablen::Richtige += 1;
        else if (farbe == Rot)
            modVariablen::Falsche += 1;
    }
    tk::Unload(*this);
    tk::Show(QString::fromLatin1(werte_.auswertung), tk::vbModal);
}

} // namespace kb
