// The teacher's actions in the companion's window: opening another folder,
// adding pictures, repairing the folder and filling it from a picture set.
#include "bilderordner/fenster/aktion.h"
#include "bilderordner/fenster/aufnahme.h"
#include "bilderordner/fenster/bilddialog.h"
#include "bilderordner/fenster/bilderfenster.h"
#include "bilderordner/fenster/klassenuebersicht.h"
#include "bilderordner/fenster/lesepool.h"
#include "bilderordner/kern/reparatur.h"
#include "bilderordner/kern/texte.h"
#include "regeln/einstellungen.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace kbb::fenster {

namespace {

// Local files that are no folders; those that are no ordinary files are taken
// too, so that the teacher learns why nothing is added.
QStringList lokaleDateien(const QMimeData* daten)
{
    QStringList dateien;
    if (!daten)
        return dateien;
    for (const QUrl& url : daten->urls())
        if (url.isLocalFile() && QFileInfo::exists(url.toLocalFile()) &&
            !QFileInfo(url.toLocalFile()).isDir())
            dateien.append(url.toLocalFile());
    return dateien;
}

// Shows one German line per thing done, in a window of its own.
void zeigeProtokoll(QWidget* fenster, const QString& titel, const QStringList& zeilen)
{
    auto* d = new QDialog(fenster);
    d->setObjectName(QStringLiteral("protokoll"));
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setWindowTitle(titel);
    d->setWindowModality(Qt::WindowModal);
    auto* liste = new QListWidget(d);
    liste->addItems(zeilen.isEmpty() ? QStringList{QStringLiteral("Es war nichts zu tun.")} : zeilen);
    liste->setWordWrap(true);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close, d);
    knoepfe->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schließen"));
    QObject::connect(knoepfe, &QDialogButtonBox::rejected, d, &QDialog::reject);
    auto* spalte = new QVBoxLayout(d);
    spalte->addWidget(new QLabel(QStringLiteral("Das wurde getan:"), d));
    spalte->addWidget(liste);
    spalte->addWidget(knoepfe);
    d->resize(640, 360);
    d->open();
}

Arbeitsergebnis fuelle(const QString& ordner, const Bildersatz& satz, bool ersetzen)
{
    Arbeitsergebnis e;
    e.zeilen = fuelleAusSatz(ordner, satz, ersetzen, &e.aenderung);
    return e;
}

// What the folder still needs after a repair: the teacher's part.
QStringList nochZuTun(const QString& ordner)
{
    const Ordnerbericht bericht = pruefeOrdner(ordner);
    QStringList zeilen;
    for (const Datei& d : bericht.dateien)
        for (const Meldung& m : d.meldungen)
            zeilen.append(QStringLiteral("%1: %2").arg(texte::genannt(d.name), m.satz));
    if (zeilen.isEmpty())
        return {QStringLiteral("Es bleibt nichts zu tun.")};
    zeilen.prepend(QStringLiteral("Noch zu tun:"));
    return zeilen;
}

} // namespace

void Bilderfenster::baueAktionen()
{
    oeffnen_ =
        neueAktion(this, QStringLiteral("Ordner öffnen …"),
                   QStringLiteral("Einen anderen Bilderordner zeigen, etwa eine Kopie auf einem Stick"),
                   QKeySequence::Open);
    connect(oeffnen_, &QAction::triggered, this, &Bilderfenster::waehleOrdner);
    hinzufuegen_ = neueAktion(this, QStringLiteral("Bilder hinzufügen …"),
                              QStringLiteral("Fotos oder Bilder auswählen, für jedes das Wort eingeben; sie "
                                             "werden verkleinert, bis das Kind sie ganz sieht"));
    connect(hinzufuegen_, &QAction::triggered, this, &Bilderfenster::waehleBilder);
    reparieren_ =
        neueAktion(this, QStringLiteral("Ordner reparieren"),
                   QStringLiteral("Dateien, die das Spiel mit einem Fehler beenden, nach "
                                  "„aussortiert“ legen, Endungen kürzen, zu große Bilder verkleinern; "
                                  "nichts wird gelöscht"));
    connect(reparieren_, &QAction::triggered, this, &Bilderfenster::repariereOrdner);
    auto* neu = neueAktion(
        this, QStringLiteral("Neu prüfen"),
        QStringLiteral("Den Ordner noch einmal lesen, etwa nachdem jemand anderes etwas geändert hat"),
        QKeySequence::Refresh);
    connect(neu, &QAction::triggered, this, &Bilderfenster::aktualisiere);
    auto* beenden = neueAktion(this, QStringLiteral("Beenden"), {}, QKeySequence::Quit);
    connect(beenden, &QAction::triggered, this, &QWidget::close);

    saetzeKnopf_ = new QToolButton(this);
    saetzeKnopf_->setText(QStringLiteral("Bildersätze"));
    saetzeKnopf_->setPopupMode(QToolButton::InstantPopup);
    saetzeKnopf_->setToolTip(QStringLiteral("Den Ordner aus einem mitgelieferten Bildersatz füllen: die "
                                            "Bilder hinzufügen oder die bisherigen ersetzen"));
    saetzeKnopf_->setMenu(new QMenu(saetzeKnopf_));
    baueSatzMenue();

    QMenu* menue = menuBar()->addMenu(QStringLiteral("&Ordner"));
    menue->addActions({oeffnen_, hinzufuegen_, reparieren_, neu});
    menue->addMenu(saetzeKnopf_->menu())->setText(QStringLiteral("Bildersätze"));
    menue->addSeparator();
    menue->addAction(beenden);
    klassenuebersicht_ = neueAktion(this, QStringLiteral("Klassenübersicht …"));
    connect(klassenuebersicht_, &QAction::triggered, this, &Bilderfenster::zeigeKlassenuebersicht);
    menuBar()->addMenu(QStringLiteral("&Ergebnisse"))->addAction(klassenuebersicht_);
    baueEinzelaktionen();
    QMenu* bild = menuBar()->addMenu(QStringLiteral("&Bild"));
    bild->addActions({wortAendern_, beiseite_, ersetzen_});
    bild->addSeparator();
    bild->addActions({rueckgaengig_, aussortiert_});
    hilfe_ =
        neueAktion(this, QStringLiteral("Hilfe zu Kieselblick – Bilder"), {}, QKeySequence::HelpContents);
    connect(hilfe_, &QAction::triggered, this, &Bilderfenster::zeigeHilfe);
    menuBar()->addMenu(QStringLiteral("&Hilfe"))->addAction(hilfe_);

    QToolBar* leiste = addToolBar(QStringLiteral("Aktionen"));
    leiste->setMovable(false);
    leiste->setToolButtonStyle(Qt::ToolButtonTextOnly);
    leiste->addActions({oeffnen_, hinzufuegen_, reparieren_});
    leiste->addWidget(saetzeKnopf_);
    leiste->addActions({rueckgaengig_, neu});
}

void Bilderfenster::baueSatzMenue()
{
    saetze_ = share_.isEmpty() ? QList<Bildersatz>() : saetze(share_);
    QMenu* menue = saetzeKnopf_->menu();
    for (const Bildersatz& satz : std::as_const(saetze_)) {
        QMenu* einer =
            menue->addMenu(QStringLiteral("%1 (%2 Bilder)").arg(satz.name).arg(satz.bilder.size()));
        connect(einer->addAction(QStringLiteral("hinzufügen")), &QAction::triggered, this,
                [this, satz] { fuelleAus(satz, false); });
        connect(einer->addAction(QStringLiteral("ersetzen …")), &QAction::triggered, this,
                [this, satz] { fuelleAus(satz, true); });
    }
}

// The overview is a window of its own: the results are another task than the
// pictures, and a teacher may keep both open side by side.
void Bilderfenster::zeigeKlassenuebersicht()
{
    if (!offeneUebersicht_) {
        const kb::Einstellungen& e = kb::einstellungen();
        offeneUebersicht_ = new Klassenuebersicht(e.ergebnisordner, e.tage, e.aufheben, this);
        offeneUebersicht_->setAttribute(Qt::WA_DeleteOnClose);
    }
    offeneUebersicht_->show();
    offeneUebersicht_->raise();
    offeneUebersicht_->activateWindow();
}

Klassenuebersicht* Bilderfenster::offeneKlassenuebersicht() const
{
    return offeneUebersicht_;
}

void Bilderfenster::dragEnterEvent(QDragEnterEvent* event)
{
    if (hinzufuegen_->isEnabled() && !lokaleDateien(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Bilderfenster::dropEvent(QDropEvent* event)
{
    const QStringList dateien = lokaleDateien(event->mimeData());
    if (!hinzufuegen_->isEnabled() || dateien.isEmpty())
        return;
    event->acceptProposedAction();
    aufnahme_->nimm(ordner_, dateien);
    schalteAktionen();
}

void Bilderfenster::waehleOrdner()
{
    QFileDialog* d = ordnerDialog(this, QStringLiteral("Bilderordner öffnen"), ordner_);
    connect(d, &QFileDialog::fileSelected, this, &Bilderfenster::oeffne);
    d->open();
}

void Bilderfenster::waehleBilder()
{
    QFileDialog* d = bildDialog(this, QStringLiteral("Bilder hinzufügen"), true);
    connect(d, &QFileDialog::filesSelected, this, [this](const QStringList& dateien) {
        aufnahme_->nimm(ordner_, dateien);
        schalteAktionen();
    });
    d->open();
}

void Bilderfenster::repariereOrdner()
{
    const QString ordner = ordner_;
    starteArbeit(QStringLiteral("Ordner reparieren"), [ordner] {
        Arbeitsergebnis e;
        e.zeilen = repariere(ordner, &e.aenderung);
        e.zeilen += nochZuTun(ordner);
        return e;
    });
}

void Bilderfenster::fuelleAus(const Bildersatz& satz, bool ersetzen)
{
    const QString ordner = ordner_;
    const QString titel = QStringLiteral("Bildersatz „%1“").arg(satz.name);
    if (!ersetzen) {
        starteArbeit(titel, [ordner, satz] { return fuelle(ordner, satz, false); });
        return;
    }
    auto* frage = new QMessageBox(
        QMessageBox::Question, titel,
        QStringLiteral(
            "Alle Bilder des Ordners durch den Satz „%1“ ersetzen? Die bisherigen Bilder werden nicht "
            "gelöscht: sie kommen in einen Unterordner von „aussortiert“ mit dem heutigen Datum.")
            .arg(satz.name),
        QMessageBox::NoButton, this);
    frage->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* ja = frage->addButton(QStringLiteral("Ersetzen"), QMessageBox::AcceptRole);
    frage->addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    connect(frage, &QMessageBox::finished, this, [this, frage, ja, ordner, satz, titel] {
        if (frage->clickedButton() == ja)
            starteArbeit(titel, [ordner, satz] { return fuelle(ordner, satz, true); });
    });
    frage->open();
}

// Runs a change of the folder in a worker thread, with the actions switched off
// until it is done; then shows what was done and judges the folder anew.
void Bilderfenster::starteArbeit(const QString& titel, const std::function<Arbeitsergebnis()>& arbeit)
{
    if (arbeit_.isRunning())
        return;
    arbeitTitel_ = titel;
    meldeArbeit(titel + QStringLiteral(" …"), true);
    arbeit_.setFuture(QtConcurrent::run(&lesepool(), arbeit));
    schalteAktionen();
}

void Bilderfenster::arbeitAngekommen()
{
    const Arbeitsergebnis e = arbeit_.result();
    if (e.einzeln)
        meldeArbeit(e.zeilen.join(QLatin1Char(' ')), false);
    else {
        meldeArbeit(arbeitTitel_ + QStringLiteral(": fertig."), false);
        zeigeProtokoll(this, arbeitTitel_, e.zeilen);
    }
    merke(e.aenderung);
    aktualisiere();
    Q_EMIT arbeitFertig();
}

} // namespace kbb::fenster
