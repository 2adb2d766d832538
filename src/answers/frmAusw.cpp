#include "answers/frmAusw.h"

#include "shell/modSkalieren.h"
#include "shell/modVariablen.h"
#include "toolkit/services.h"

namespace kb {

using modVariablen::Bildnamen;

const tk::FormLayout& layout(const Tafel& tafel)
{
    for (const tk::FormLayout* l : {&frmAusw1Layout, &frmAusw2Layout})
        if (qstrcmp(l->name, tafel.name) == 0)
            return *l;
    qFatal("Kieselblick: die Auswahlbox %s hat kein Layout", tafel.name);
}

frmAusw::frmAusw(const Tafel& tafel)
    : tk::Form(layout(tafel)), tafel_(tafel), cmdeins(findArray<tk::CommandButton>("cmdeins")),
      cmdzwei(findArray<tk::CommandButton>("cmdzwei"))
{
    cmdeins.onClick([this](std::int16_t index) { cmdeins_Click(index); });
}

void frmAusw::Form_Load()
{
    FormSkalieren(*this);
    Klickzaehler = 0;
    modVariablen::Gewaehlt.clear();
    tk::services().randomize();
    mischen();
    modVariablen::Richtige = 0;
    modVariablen::Falsche = 0;
}

// Puts a word drawn at random on each button in turn; a button whose word is
// already on the board is drawn again. The factor is one less than the number
// of words, so the first and the last word are drawn half as often as the others.
void frmAusw::mischen()
{
    const double faktor = tafel_.woerter - 1;
    tk::Integer i = 0;
    while (i <= tafel_.woerter - 1) {
        // The product is formed exactly (a double holds every float times 14), so
        // only the halves that really are halves go to the even neighbour.
        const double produkt = double(tk::services().rnd()) * faktor;
        const std::int16_t k = tk::CInt(produkt);
        cmdeins(i).setCaption(Bildnamen(k));
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
bool frmAusw::nochmalZiehen(int i) const
{
    const QString& wort = cmdeins(i).Caption();
    int aufKnoepfen = 0;
    for (int j = 0; j < i; ++j)
        if (cmdeins(j).Caption() == wort)
            ++aufKnoepfen;
    if (aufKnoepfen == 0)
        return false;
    int imSpiel = 0;
    for (int k = 0; k < tafel_.woerter; ++k)
        if (Bildnamen(k) == wort)
            ++imSpiel;
    return aufKnoepfen >= imSpiel;
}

void frmAusw::cmdeins_Click(std::int16_t index)
{
    Klickzaehler += 1;
    modVariablen::Gewaehlt.append(cmdeins(index).Caption());
    tk::CommandButton& marke = cmdzwei(index);
    const bool richtig = gezeigtesWort(cmdeins(index).Caption());
    marke.setBackColor(richtig ? Gruen : Rot);
    // The block says with its colour alone what a screen reader has to say in words.
    marke.setAccessibleName(richtig ? QStringLiteral("richtig") : QStringLiteral("falsch"));
    marke.setVisible(true);
    cmdeins(index).setVisible(false);
    if (Klickzaehler == tafel_.gezeigt)
        auswerten();
}

// Exact comparison: case counts, nothing is trimmed.
bool frmAusw::gezeigtesWort(const QString& wort) const
{
    for (int k = 0; k < tafel_.gezeigt; ++k)
        if (Bildnamen(k) == wort)
            return true;
    return false;
}

void frmAusw::auswerten()
{
    for (int k = 0; k < tafel_.woerter; ++k) {
        const tk::OleColor farbe = cmdzwei(k).BackColor();
        if (farbe == Gruen)
            modVariablen::Richtige += 1;
        else if (farbe == Rot)
            modVariablen::Falsche += 1;
    }
    Unload();
    Show(QString::fromLatin1(tafel_.auswertung), tk::vbModal);
}

} // namespace kb
