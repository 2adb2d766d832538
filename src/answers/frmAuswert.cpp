#include "answers/frmAuswert.h"

#include "ergebnisse/schreiber.h"
#include "regeln/einstellungen.h"
#include "regeln/stufen.h"
#include "shell/modSkalieren.h"
#include "shell/modVariablen.h"
#include "toolkit/configuration.h"
#include "toolkit/services.h"

#include <QSysInfo>

namespace kb {

using modVariablen::Falsche;
using modVariablen::Richtige;

frmAuswert::frmAuswert(const Auswertungswerte& werte)
    : tk::Form(werte.layout), werte_(werte), lblso(find<tk::Label>("lblso")),
      lblName(find<tk::Label>("lblName")), lblPunkte(find<tk::Label>("lblPunkte")),
      lblPunkte2(find<tk::Label>("lblPunkte2")), cmdNochmal(find<tk::CommandButton>("cmdNochmal")),
      cmdEnde(find<tk::CommandButton>("cmdEnde"))
{
    for (const Lob& regel : werte_.lob)
        lob_.push_back({regel, find<tk::Label>(QString::fromLatin1(regel.label))});
    cmdNochmal.onClick = [this] { cmdNochmal_Click(); };
    cmdEnde.onClick = [this] { cmdEnde_Click(); };
}

void frmAuswert::Form_Load()
{
    FormSkalieren(*this);
    begruessen();
    zaehlzeilen();
    lblName.setCaption(modVariablen::Benutzername + QLatin1Char('!'));
    loben();
    ergebnisFesthalten();
}

// The name goes on the same line, right behind "Hallo " and its trailing blank.
void frmAuswert::begruessen()
{
    lblName.setLeft(lblso.Left() + lblso.Width());
    lblName.setTop(lblso.Top());
}

void frmAuswert::zaehlzeilen()
{
    lblPunkte.setCaption(Richtige.str() + (Richtige == 1 ? QStringLiteral(" richtige Antwort")
                                                         : QStringLiteral(" richtige Antworten")));
    lblPunkte2.setCaption(Falsche.str() + (Falsche == 1 ? QStringLiteral(" falsche Antwort")
                                                        : QStringLiteral(" falsche Antworten")));
}

// Every rule that holds writes its line; the counts a board delivers let at
// most one of them hold. Without a matching rule the praise labels stay empty.
void frmAuswert::loben()
{
    for (const Lobzeile& zeile : lob_)
        if (Richtige == zeile.regel.richtige && (zeile.regel.falsche < 0 || Falsche == zeile.regel.falsche))
            zeile.label.setCaption(QString::fromUtf8(zeile.regel.text));
}

// Where the school keeps results, the round is handed to the writer, which
// works on its own thread: the screen neither waits for it nor hears of it.
void frmAuswert::ergebnisFesthalten()
{
    const Einstellungen& e = einstellungen();
    if (!e.aufheben)
        return;
    erg::Datensatz d;
    d.zeit = QDateTime::fromMSecsSinceEpoch(tk::services().clockMillis());
    d.rechner = QSysInfo::machineHostName();
    d.benutzer = tk::loginName();
    d.name = modVariablen::Benutzername;
    d.stufe = modVariablen::Spielstufe;
    for (const Stufe& stufe : stufen())
        if (stufe.nummer == d.stufe)
            for (int k = 0; k < stufe.gezeigt(); ++k)
                d.gezeigt.append(modVariablen::Bildnamen(k));
    d.gewaehlt = modVariablen::Gewaehlt;
    d.richtige = Richtige;
    d.falsche = Falsche;
    erg::halteFest(e.ergebnisordner, d);
}

void frmAuswert::cmdNochmal_Click()
{
    Unload();
    Show(QStringLiteral("frmSchwierigkeit"), tk::vbModal);
}

void frmAuswert::cmdEnde_Click()
{
    End();
}

} // namespace kb
