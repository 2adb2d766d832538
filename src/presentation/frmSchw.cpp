#include "presentation/frmSchw.h"

#include "presentation/modZiehung.h"
#include "regeln/einstellungen.h"
#include "regeln/wort.h"
#include "shell/modSkalieren.h"
#include "shell/modVariablen.h"
#include "toolkit/services.h"

#include <QDir>

namespace kb {

using namespace modVariablen;

frmSchw::frmSchw(const Stufe& stufe)
    : tk::Form(layout(stufe)), stufe_(stufe), File1(find<tk::FileListBox>("File1")),
      imgBild(find<tk::Image>("imgBild")), cmdweiter(find<tk::CommandButton>("cmdweiter"))
{
    cmdweiter.onClick = [this] { cmdweiter_Click(); };
    if (!stufe_.zeigtKnopf()) {
        takt_ = &find<tk::Timer>(QString::fromLatin1(taktgeber(stufe_)));
        takt_->onTimer = [this] { cmdweiter_Click(); };
    }
}

void frmSchw::Form_Load()
{
    const bool fragt = stufe_.takt == Takt::Eingabe;
    if (fragt)
        waitForLoad();
    if (ladeSchritte() && fragt)
        frageAnzeigezeit();
}

bool frmSchw::ladeSchritte()
{
    Bildzaehler = 0;
    Anzeigezeit = 0;
    modVariablen::Spielstufe = stufe_.nummer;
    File1.setPath(einstellungen().bilderordner);
    FormSkalieren(*this);
    const int gefunden = verschiedeneWoerter(File1.entries());
    if (gefunden >= stufe_.woerter())
        return true;
    zuWenigeBilder(gefunden);
    return false;
}

namespace {

QString gefundeneBilder(int anzahl)
{
    if (anzahl == 0)
        return QStringLiteral("kein verwendbares Bild");
    if (anzahl == 1)
        return QStringLiteral("nur ein verwendbares Bild");
    return QStringLiteral("nur %1 verwendbare Bilder").arg(anzahl);
}

} // namespace

// A round needs as many different words as it has slots; with fewer the draw
// could never finish. The level is refused before anything is drawn, and the
// child goes back to the menu once the message is read. The screen is never
// shown.
void frmSchw::zuWenigeBilder(int gefunden)
{
    waitForLoad();
    const QString text = QStringLiteral("Im Bilderordner „%1“ gibt es %2.\n\n"
                                        "Schwierigkeitsstufe %3 braucht %4 Bilder mit verschiedenen Namen.")
                             .arg(QDir::toNativeSeparators(File1.Path()), gefundeneBilder(gefunden))
                             .arg(stufe_.nummer)
                             .arg(stufe_.woerter());
    MsgBox(text, QStringLiteral("Kieselblick"), [this] {
        Unload();
        Show(QStringLiteral("frmSchwierigkeit"), tk::vbModal);
    });
}

void frmSchw::cmdweiter_Click()
{
    for (;;) {
        if (Bildzaehler == stufe_.woerter()) {
            Unload();
            Show(QString::fromLatin1(stufe_.tafel->name), tk::vbModal);
            return;
        }
        const double k = Bildzaehler;
        modZiehung::ZieheBild(File1);
        if (k < stufe_.gezeigt())
            break;
        Bildnamen(k) = Wort(File1.FileName());
        Bildzaehler = k + 1;
    }
    zeigeBild();
}

// Shows the picture of the slot just drawn and counts the slot.
void frmSchw::zeigeBild()
{
    const double k = Bildzaehler;
    imgBild.setPicture(tk::Picture::load(File1.Path() + QLatin1Char('/') + File1.FileName()));
    Bildnamen(k) = Wort(File1.FileName());
    Bildzaehler = k + 1;
    if (Bildzaehler == 1)
        cmdweiter.setCaption(QStringLiteral("nächstes Bild"));
    if (Bildzaehler == stufe_.gezeigt())
        cmdweiter.setCaption(QStringLiteral("Zur Auswahlbox"));
}

} // namespace kb
