// The teacher's actions in the class overview: another folder, joining two
// spellings of one child, deleting a child's records or all, and the exports.
#include "bilderordner/fenster/aktion.h"
#include "bilderordner/fenster/bilddialog.h"
#include "bilderordner/fenster/elternabend.h"
#include "bilderordner/fenster/kindertabelle.h"
#include "bilderordner/fenster/klassenuebersicht.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTableView>
#include <QToolBar>

namespace kbb::fenster {

namespace {

// Asks a yes-or-no question with buttons that say what they do; `ja` runs on the first.
void frage(QWidget* fenster, const QString& titel, const QString& text, const QString& jaText,
           const std::function<void()>& ja)
{
    auto* box = new QMessageBox(QMessageBox::Question, titel, text, QMessageBox::NoButton, fenster);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* knopf = box->addButton(jaText, QMessageBox::AcceptRole);
    box->setDefaultButton(box->addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole));
    QObject::connect(box, &QMessageBox::finished, fenster, [box, knopf, ja] {
        if (box->clickedButton() == knopf)
            ja();
    });
    box->open();
}

void melde(QWidget* fenster, const QString& titel, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, titel, text, QMessageBox::Ok, fenster);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("Schließen"));
    box->open();
}

QString genannt(const QString& name)
{
    return QStringLiteral("„%1“").arg(anzeigename(name));
}

// What a deletion did: `n` of `erwartet` records, of the child `von` or of all.
QString geloescht(qsizetype n, qsizetype erwartet, const QString& von)
{
    const QString wessen = von.isNull() ? QString() : QStringLiteral(" von %1").arg(genannt(von));
    if (n >= erwartet)
        return QStringLiteral("%1%2 %3 gelöscht.").arg(ergebnisse(n), wessen, wurde(n));
    if (n == 0)
        return QStringLiteral(
                   "Es ließ sich kein Ergebnis%1 löschen: Du darfst im Ergebnisordner nichts ändern.")
            .arg(wessen);
    return QStringLiteral("Nur %1 von %2 Ergebnissen%3 %4 sich löschen: Die übrigen stehen in Dateien, "
                          "die du nicht ändern darfst.")
        .arg(zahl(n), zahl(erwartet), wessen, n == 1 ? QStringLiteral("ließ") : QStringLiteral("ließen"));
}

} // namespace

void Klassenuebersicht::baueAktionen()
{
    oeffnen_ = neueAktion(this, QStringLiteral("Ordner öffnen …"), {}, QKeySequence::Open);
    connect(oeffnen_, &QAction::triggered, this, &Klassenuebersicht::waehleOrdner);
    auto* neu = neueAktion(this, QStringLiteral("Neu lesen"), {}, QKeySequence::Refresh);
    connect(neu, &QAction::triggered, this, &Klassenuebersicht::aktualisiere);
    csv_ = neueAktion(this, QStringLiteral("Als Tabelle speichern …"),
                      QStringLiteral("Die Ergebnisse des gewählten Zeitraums und Rechners als CSV-Datei "
                                     "für eine Tabellenkalkulation"));
    connect(csv_, &QAction::triggered, this, [this] {
        waehleZiel(QStringLiteral("Als Tabelle speichern"), QStringLiteral("Tabelle (*.csv)"),
                   QStringLiteral("csv"), &Klassenuebersicht::speichereCsv);
    });
    pdf_ = neueAktion(this, QStringLiteral("Für den Elternabend …"),
                      QStringLiteral("Eine PDF-Datei mit einer Seite je Kind: Stufen, Verlauf und Wörter "
                                     "zum Üben"));
    connect(pdf_, &QAction::triggered, this, [this] {
        waehleZiel(QStringLiteral("Für den Elternabend speichern"), QStringLiteral("PDF-Dokument (*.pdf)"),
                   QStringLiteral("pdf"), &Klassenuebersicht::speicherePdf);
    });
    zusammenfuehren_ =
        neueAktion(this, QStringLiteral("Zusammenführen …"),
                   QStringLiteral("Zwei markierte Zeilen, die dasselbe Kind meinen, zu einer machen"));
    connect(zusammenfuehren_, &QAction::triggered, this, &Klassenuebersicht::frageZusammenfuehren);
    loeschen_ = neueAktion(this, QStringLiteral("Kind löschen …"),
                           QStringLiteral("Alle Ergebnisse des markierten Kindes löschen"));
    connect(loeschen_, &QAction::triggered, this, &Klassenuebersicht::frageLoeschen);
    alleLoeschen_ = neueAktion(this, QStringLiteral("Alle löschen …"));
    connect(alleLoeschen_, &QAction::triggered, this, &Klassenuebersicht::frageAlleLoeschen);
    auto* schliessen = neueAktion(this, QStringLiteral("Schließen"), {}, QKeySequence::Close);
    connect(schliessen, &QAction::triggered, this, &QWidget::close);

    QMenu* ergebnisse = menuBar()->addMenu(QStringLiteral("&Ergebnisse"));
    ergebnisse->addActions({oeffnen_, neu});
    ergebnisse->addSeparator();
    ergebnisse->addActions({csv_, pdf_});
    ergebnisse->addSeparator();
    ergebnisse->addAction(schliessen);
    QMenu* kinder = menuBar()->addMenu(QStringLiteral("&Kinder"));
    kinder->addActions({zusammenfuehren_, loeschen_, alleLoeschen_});

    QToolBar* leiste = addToolBar(QStringLiteral("Aktionen"));
    leiste->setMovable(false);
    leiste->setToolButtonStyle(Qt::ToolButtonTextOnly);
    leiste->addActions({oeffnen_, neu});
    leiste->addSeparator();
    leiste->addActions({csv_, pdf_});
    leiste->addSeparator();
    leiste->addActions({zusammenfuehren_, loeschen_, alleLoeschen_});
}

void Klassenuebersicht::waehleOrdner()
{
    QFileDialog* d = ordnerDialog(this, QStringLiteral("Ergebnisordner öffnen"), ordner_);
    connect(d, &QFileDialog::fileSelected, this, &Klassenuebersicht::oeffne);
    d->open();
}

void Klassenuebersicht::frageZusammenfuehren()
{
    const QStringList schluessel = gewaehlteSchluessel();
    if (schluessel.size() != 2)
        return;
    const kb::erg::Kind& a = modell_->kinder()[modell_->zeile(schluessel[0])];
    const kb::erg::Kind& b = modell_->kinder()[modell_->zeile(schluessel[1])];
    // The spelling used more often leads; the other joins it.
    const bool aVorn = a.runden >= b.runden;
    const QString name = aVorn ? a.name : b.name, gleich = aVorn ? b.name : a.name;
    frage(
        this, QStringLiteral("Zusammenführen"),
        QStringLiteral("Meinen %1 und %2 dasselbe Kind? Dann stehen ihre Ergebnisse künftig in einer Zeile. "
                       "Das wird im Ergebnisordner vermerkt und gilt auch beim nächsten Öffnen.")
            .arg(genannt(name), genannt(gleich)),
        QStringLiteral("Zusammenführen"), [this, name, gleich] {
            const QString ordner = ordner_;
            nachricht_ = [this, name, gleich](int geschrieben) {
                if (!geschrieben)
                    nurHier_.append({name, gleich});
                return geschrieben ? QStringLiteral("%1 und %2 sind jetzt ein Kind.")
                                         .arg(genannt(name), genannt(gleich))
                                   : QStringLiteral("%1 und %2 sind bis zum Schließen ein Kind; im "
                                                    "Ergebnisordner ließ es sich nicht vermerken.")
                                         .arg(genannt(name), genannt(gleich));
            };
            starteLesung(0,
                         [ordner, name, gleich] { return int(kb::erg::Namen::merke(ordner, name, gleich)); });
        });
}

void Klassenuebersicht::frageLoeschen()
{
    const QStringList schluessel = gewaehlteSchluessel();
    if (schluessel.size() != 1)
        return;
    const QString gruppe = schluessel.first();
    const kb::erg::Namen namen = lesung_.namen;
    qsizetype alle = 0;
    for (const kb::erg::Datensatz& d : std::as_const(lesung_.bestand.saetze))
        alle += kb::erg::gehoertZu(d, gruppe, namen) ? 1 : 0;
    const QString name = modell_->kinder()[modell_->zeile(gruppe)].name;
    const QString text =
        alle == 1
            ? QStringLiteral("Das eine Ergebnis von %1 löschen, auch wenn es außerhalb des gewählten "
                             "Zeitraums liegt oder von einem anderen Rechner kommt?")
                  .arg(genannt(name))
            : QStringLiteral("Alle %1 von %2 löschen, auch die außerhalb des gewählten Zeitraums und von "
                             "anderen Rechnern?")
                  .arg(ergebnisse(alle), genannt(name));
    frage(this, QStringLiteral("Kind löschen"),
          text + QStringLiteral(" Das lässt sich nicht rückgängig machen."), QStringLiteral("Löschen"),
          [this, gruppe, namen, name, alle] {
              const QString ordner = ordner_;
              nachricht_ = [name, alle](int n) { return geloescht(n, alle, name); };
              starteLesung(0, [ordner, gruppe, namen] {
                  return kb::erg::loesche(ordner, [&](const kb::erg::Datensatz& d) {
                      return kb::erg::gehoertZu(d, gruppe, namen);
                  });
              });
          });
}

void Klassenuebersicht::frageAlleLoeschen()
{
    const qsizetype alle = lesung_.bestand.saetze.size();
    const QString ort = QDir::toNativeSeparators(ordner_);
    const QString text = alle == 1
                             ? QStringLiteral("Das eine Ergebnis im Ordner „%1“ löschen?").arg(ort)
                             : QStringLiteral("Alle %1 im Ordner „%2“ löschen, von allen Kindern, Tagen "
                                              "und Rechnern?")
                                   .arg(ergebnisse(alle), ort);
    frage(this, QStringLiteral("Alle löschen"),
          text + QStringLiteral(" Das lässt sich nicht rückgängig machen."), QStringLiteral("Alle löschen"),
          [this, alle] {
              const QString ordner = ordner_;
              nachricht_ = [alle](int n) { return geloescht(n, alle, QString()); };
              starteLesung(0, [ordner] {
                  return kb::erg::loesche(ordner, [](const kb::erg::Datensatz&) { return true; });
              });
          });
}

void Klassenuebersicht::waehleZiel(const QString& titel, const QString& filter, const QString& endung,
                                   bool (Klassenuebersicht::*speichere)(const QString&))
{
    QString start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(start).isDir())
        start = QDir::homePath();
    const QString name = QStringLiteral("Kieselblick-Ergebnisse-%1.%2")
                             .arg(QDate::currentDate().toString(Qt::ISODate), endung);
    auto* d = new QFileDialog(this, titel, QDir(start).filePath(name), filter);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setAcceptMode(QFileDialog::AcceptSave);
    d->setFileMode(QFileDialog::AnyFile);
    d->setDefaultSuffix(endung);
    connect(d, &QFileDialog::fileSelected, this, [this, speichere, titel](const QString& pfad) {
        if (!(this->*speichere)(pfad))
            melde(this, titel,
                  QStringLiteral("Die Datei „%1“ ließ sich nicht schreiben.")
                      .arg(QDir::toNativeSeparators(pfad)));
    });
    d->open();
}

bool Klassenuebersicht::speichereCsv(const QString& pfad)
{
    QSaveFile f(pfad);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(kb::erg::alsCsv(ansicht_.saetze, true));
    return f.commit();
}

// A page takes some 20 ms: a whole school's worth shows its progress and can
// be stopped. A stopped file is removed and is no failure.
bool Klassenuebersicht::speicherePdf(const QString& pfad)
{
    // Copies (they share their data): the window may read the folder anew meanwhile.
    const QList<kb::erg::Kind> kinder = modell_->kinder();
    const QList<kb::erg::Datensatz> saetze = ansicht_.saetze;
    QProgressDialog fortschritt(QStringLiteral("Die Seiten für den Elternabend werden geschrieben …"),
                                QStringLiteral("Abbrechen"), 0, int(kinder.size()), this);
    fortschritt.setWindowTitle(QStringLiteral("Für den Elternabend"));
    fortschritt.setWindowModality(Qt::WindowModal);
    fortschritt.setMinimumDuration(500);
    const bool fertig =
        schreibeElternabend(pfad, kinder, saetze, QStringLiteral("%1; %2").arg(zeitraumText(), rechnerText()),
                            [&fortschritt](int seite) {
                                fortschritt.setValue(seite);
                                return !fortschritt.wasCanceled();
                            });
    return fertig || fortschritt.wasCanceled();
}

} // namespace kbb::fenster
