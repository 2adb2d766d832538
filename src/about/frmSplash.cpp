#include "about/frmSplash.h"

#include <QCoreApplication>
#include <QVersionNumber>

namespace kb {

namespace {

const QChar CR(13);

QString beschreibung()
{
    return QStringLiteral("Ein Sprachlernprogramm für Grundschulen") + CR + CR +
           QStringLiteral("1. Schuljahr");
}

QString anschrift()
{
    return QStringLiteral("Kollegweg 7") + CR + QStringLiteral("12345 Tavostadt") + CR +
           QStringLiteral("z. Hd. Dr. Orvel");
}

// Major, minor and revision of the program's version record: 1.0.0.14 reads 1.0.14.
QString versionText()
{
    const QVersionNumber v = QVersionNumber::fromString(QCoreApplication::applicationVersion());
    return QStringLiteral("Version %1.%2.%3").arg(v.segmentAt(0)).arg(v.segmentAt(1)).arg(v.segmentAt(3));
}

} // namespace

frmSplash::frmSplash()
    : tk::Form(frmSplashLayout), lblTitel(find<tk::Label>("lblTitel")),
      lblErklaerung(find<tk::Label>("lblErklaerung")), lblversion(find<tk::Label>("lblversion")),
      lblTavo2(find<tk::Label>("lblTavo2")), LinkTavo1(find<tk::LinkControl>("LinkTavo1")),
      MailOrvel1(find<tk::LinkControl>("MailOrvel1")), Timer1(find<tk::Timer>("Timer1"))
{
    // The screen, its frame, five of its labels, any key and the timer all lead on;
    // the disclaimer lblTavo3 takes no clicks.
    onFormClick([this] { zumStart(); });
    for (const char* name : {"Frame1", "lblAutoren", "lblTavo2", "lblErklaerung", "lblTitel", "lblversion"})
        control(QString::fromLatin1(name)).onClick = [this] { zumStart(); };
    onKeyPress([this](int) { zumStart(); });
    Timer1.onTimer = [this] { zumStart(); };
}

// The screen keeps its stored size. The centring measures against the screen's
// inner width although the controls sit in the frame, and keeps halves.
void frmSplash::Form_Load()
{
    Timer1.setTimerEnabled(true);
    zentriere(lblTitel);
    zentriere(lblErklaerung);
    zentriere(LinkTavo1);
    lblTavo2.setLeft(LinkTavo1.Left());
    zentriere(lblversion);
    MailOrvel1.setLeft(LinkTavo1.Left());
    MailOrvel1.setTop(lblTavo2.Top() + lblTavo2.Height());
    lblTavo2.setCaption(anschrift());
    lblTitel.setCaption(QCoreApplication::applicationName());
    lblErklaerung.setCaption(beschreibung());
    lblversion.setCaption(versionText());
}

void frmSplash::zentriere(tk::Control& control) const
{
    control.setLeft((ScaleWidth() - control.Width()) / 2);
}

void frmSplash::zumStart()
{
    Show(QStringLiteral("frmStart"), tk::vbModeless);
    Timer1.setTimerEnabled(false);
    Unload();
}

} // namespace kb
