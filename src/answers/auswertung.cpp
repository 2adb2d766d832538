#include "answers/auswertung.h"

#include "shell/modSkalieren.h"
#include "shell/modVariablen.h"
#include "shell/toolkit/programm.h"

namespace kb {

using modVariablen::Falsche;
using modVariablen::Richtige;

Auswertung::Auswertung(const Auswertungswerte& werte) : tk::Form(werte.layout), werte_(werte)
{
    onClick(QStringLiteral("cmdNochmal"), [this] { cmdNochmal_Click(); });
    onClick(QStringLiteral("cmdEnde"), [this] { cmdEnde_Click(); });
}

void Auswertung::Form_Load()
{
    FormSkalieren(*this);
    begruessen();
    zaehlzeilen();
    label(QStringLiteral("lblName")).setCaption(modVariablen::Benutzername + QLatin1Char('!'));
    loben();
}

// The name goes on the same line, right behind "Hallo " and its trailing blank.
void Auswertung::begruessen()
{
    const tk::Label& lblso = label(QStringLiteral("lblso"));
    tk::Label& lblName = label(QStringLiteral("lblName"));
    lblName.setLeft(lblso.Left() + lblso.Width());
    lblName.setTop(lblso.Top());
}

void Auswertung::zaehlzeilen()
{
    label(QStringLiteral("lblPunkte"))
        .setCaption(Richtige.str() + (Richtige == 1 ? QStringLiteral(" richtige Antwort")
                                                    : QStringLiteral(" richtige Antworten")));
    label(QStringLiteral("lblPunkte2"))
        .setCaption(Falsche.str() + (Falsche == 1 ? QStringLiteral(" falsche Antwort")
                                                  : QStringLiteral(" falsche Antworten")));
}

// Every rule that holds writes its line; the counts a board delivers let at
// most one of them hold. Without a matching rule the praise labels stay empty.
void Auswertung::loben()
{
    for (const Lob& regel : werte_.lob)
        if (Richtige == regel.richtige && (regel.falsche < 0 || Falsche == regel.falsche))
            label(QString::fromLatin1(regel.label)).setCaption(QString::fromUtf8(regel.text));
}

void Auswertung::cmdNochmal_Click()
{
    tk::Unload(*this);
    tk::Show(QStringLiteral("frmSchwierigkeit"), tk::vbModal);
}

void Auswertung::cmdEnde_Click()
{
    tk::End();
}

} // namespace kb
