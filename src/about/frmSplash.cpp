#include "about/frmSplash.h"

#include "shell/toolkit/programm.h"

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

frmSplash::frmSplash() : tk::Form(frmSplashLayout)
{
    // The screen, its frame, five of its labels, any key and the timer all lead on;
    // the disclaimer lblTavo3 takes no clicks.
    onFormClick([this] { zumStart(); });
    for (const char* name : {"Frame1", "lblAutoren", "lblTavo2", "lblErklaerung", "lblTitel", "lblversion"})
        onClick(QString::fromLatin1(name), [this] { zumStart(); });
    onKeyPress([this](int) { zumStart(); });
    onTimer(QStringLiteral("Timer1"), [this] { zumStart(); });
}

// The screen keeps its stored size. The centring measures against the screen's
// inner width although the controls sit in the frame, and keeps halves.
void frmSplash::Form_Load()
{
    timer(QStringLiteral("Timer1")).setTimerEnabled(true);
    centre(label(QStringLiteral("lblTitel")));
    centre(label(QStringLiteral("lblErklaerung")));
    tk::LinkControl& logo = link(QStringLiteral("LinkTavo1"));
    centre(logo);
    tk::Label& adresse = label(QStringLiteral("lblTavo2"));
    adresse.setLeft(logo.Left());
    centre(label(QStringLiteral("lblversion")));
    tk::LinkControl& mail = link(QStringLiteral("MailOrvel1"));
    mail.setLeft(logo.Left());
    mail.setTop(adresse.Top() + adresse.Height());
    adresse.setCaption(anschrift());
    label(QStringLiteral("lblTitel")).setCaption(QCoreApplication::applicationName());
    label(QStringLiteral("lblErklaerung")).setCaption(beschreibung());
    label(QStringLiteral("lblversion")).setCaption(versionText());
}

void frmSplash::centre(tk::Control& control) const
{
    control.setLeft((ScaleWidth() - control.Width()) / 2);
}

void frmSplash::zumStart()
{
    tk::Show(QStringLiteral("frmStart"), tk::vbModeless);
    timer(QStringLiteral("Timer1")).setTimerEnabled(false);
    tk::Unload(*this);
}

} // namespace kb
