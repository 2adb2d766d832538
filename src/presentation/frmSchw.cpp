#include "presentation/frmSchw.h"

#include "presentation/bilderziehung.h"
#include "shell/modSkalieren.h"
#include "shell/modVariablen.h"
#include "shell/toolkit/dienste.h"
#include "shell/toolkit/programm.h"

#include <QDir>

namespace darbietung {

using namespace modVariablen;

FrmSchw::FrmSchw(const Stufe& stufe) : tk::Form(layout(stufe)), stufe_(stufe)
{
    onClick(QStringLiteral("cmdweiter"), [this] { cmdweiter_Click(); });
    if (*stufe_.timer)
        onTimer(QString::fromLatin1(stufe_.timer), [this] { cmdweiter_Click(); });
}

void FrmSchw::Form_Load()
{
    if (stufe_.fragtAnzeigezeit)
        waitForLoad();
    if (ladeSchritte() && stufe_.fragtAnzeigezeit)
        frageAnzeigezeit();
}

bool FrmSchw::ladeSchritte()
{
    Bildzaehler = 0;
    Anzeigezeit = 0;
    tk::FileListBox& File1 = fileList(QStringLiteral("File1"));
    File1.setPath(tk::services().programFolder() + QStringLiteral("/bilder"));
    FormSkalieren(*this);
    const int gefunden = bilderziehung::verwendbareBilder(File1);
    if (gefunden >= stufe_.plaetze)
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
void FrmSchw::zuWenigeBilder(int gefunden)
{
    waitForLoad();
    const QString ordner = QDir::toNativeSeparators(fileList(QStringLiteral("File1")).Path());
    const QString text = QStringLiteral("Im Bilderordner „%1“ gibt es %2.\n\n"
                                        "Schwierigkeitsstufe %3 braucht %4 Bilder mit verschiedenen Namen.")
                             .arg(ordner, gefundeneBilder(gefunden))
                             .arg(stufe_.nummer)
                             .arg(stufe_.plaetze);
    std::weak_ptr<int> lebt = lebt_;
    tk::services().messageBox(text, QStringLiteral("Kieselblick"), [this, lebt] {
        if (lebt.expired())
            return;
        tk::Unload(*this);
        tk::Show(QStringLiteral("frmSchwierigkeit"), tk::vbModal);
    });
}

void FrmSchw::cmdweiter_Click()
{
    tk::FileListBox& File1 = fileList(QStringLiteral("File1"));
    for (;;) {
        if (Bildzaehler == stufe_.plaetze) {
            tk::Unload(*this);
            tk::Show(QString::fromLatin1(stufe_.auswahl), tk::vbModal);
            return;
        }
        const double k = Bildzaehler;
        bilderziehung::ZieheBild(File1);
        if (k < stufe_.gezeigt)
            break;
        Bildnamen(k) = bilderziehung::Wort(File1.FileName());
        Bildzaehler = k + 1;
    }
    zeigeBild();
}

// Shows the picture of the slot just drawn and counts the slot.
void FrmSchw::zeigeBild()
{
    const tk::FileListBox& File1 = fileList(QStringLiteral("File1"));
    const double k = Bildzaehler;
    image(QStringLiteral("imgBild"))
        .setPicture(tk::Picture::load(File1.Path() + QLatin1Char('/') + File1.FileName()));
    Bildnamen(k) = bilderziehung::Wort(File1.FileName());
    Bildzaehler = k + 1;
    tk::CommandButton& cmdweiter = button(QStringLiteral("cmdweiter"));
    if (Bildzaehler == 1)
        cmdweiter.setCaption(QStringLiteral("nächstes Bild"));
    if (Bildzaehler == stufe_.gezeigt)
        cmdweiter.setCaption(QStringLiteral("Zur Auswahlbox"));
}

} // namespace darbietung
