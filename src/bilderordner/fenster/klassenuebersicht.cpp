#include "bilderordner/fenster/klassenuebersicht.h"

#include "bilderordner/fenster/kindertabelle.h"
#include "bilderordner/fenster/verlaufsdiagramm.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace kbb::fenster {

using kb::erg::Zeitraum;

namespace {

// The usual desktop font (DejaVu Sans) draws the dots of Ä, Ö and Ü a pixel or
// two above the font's ascent, and a label only as tall as its font cuts them
// off ("zum Üben"). The label gets that much room above its text.
void raumFuerUmlaute(QLabel* l)
{
    const QFontMetrics fm(l->font());
    const int ueber = -fm.tightBoundingRect(QStringLiteral("ÄÖÜ")).top() - fm.ascent();
    l->setContentsMargins(0, std::max(0, ueber), 0, 0);
}

QLabel* ueberschrift(const QString& text, QWidget* eltern)
{
    auto* l = new QLabel(text, eltern);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    raumFuerUmlaute(l);
    return l;
}

} // namespace

Lesung lade(const QString& ordner, int tage, const QDate& heute, const Filter& filter)
{
    Lesung l;
    l.ordner = ordner;
    l.filter = filter;
    if (tage > 0)
        l.abgelaufen = kb::erg::loescheAlte(ordner, tage, heute);
    l.bestand = kb::erg::lies(ordner);
    l.namen = kb::erg::Namen::lies(ordner);
    for (const auto& [name, gleich] : filter.nurHier)
        l.namen.verbinde(name, gleich);
    l.ansicht = kb::erg::werteAus(l.bestand.saetze, l.namen, filter.zeitraum, heute, filter.rechner);
    return l;
}

Klassenuebersicht::Klassenuebersicht(const QString& ordner, int tage, bool aufheben, QWidget* parent)
    : QMainWindow(parent), ordner_(QFileInfo(ordner).absoluteFilePath()), tage_(tage), aufheben_(aufheben),
      modell_(new Kindertabelle(this))
{
    setWindowFlag(Qt::Window);
    baueAktionen();
    baueInhalt();
    connect(&leser_, &QFutureWatcher<Lesung>::finished, this, &Klassenuebersicht::lesungFertig);
    resize(1024, 768);
    setWindowTitle(QStringLiteral("Klassenübersicht – %1").arg(QDir::toNativeSeparators(ordner_)));
    starteLesung(tage_);
}

Klassenuebersicht::~Klassenuebersicht()
{
    // A worker still reading a slow share finishes on its own; nothing waits for it.
    leser_.disconnect(this);
}

QWidget* Klassenuebersicht::baueFilter()
{
    auto* zeile = new QWidget(this);
    auto* reihe = new QHBoxLayout(zeile);
    reihe->setContentsMargins(0, 0, 0, 0);
    zeitraum_ = new QComboBox(zeile);
    zeitraum_->addItem(QStringLiteral("Diese Woche"), int(Zeitraum::Woche));
    zeitraum_->addItem(QStringLiteral("Dieser Monat"), int(Zeitraum::Monat));
    zeitraum_->addItem(QStringLiteral("Alle"), int(Zeitraum::Alle));
    zeitraum_->setCurrentIndex(2);
    rechner_ = new QComboBox(zeile);
    rechner_->addItem(QStringLiteral("Alle Rechner"), QString());
    rechner_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* zeitraumText = new QLabel(QStringLiteral("&Zeitraum:"), zeile);
    zeitraumText->setBuddy(zeitraum_);
    auto* rechnerText = new QLabel(QStringLiteral("&Rechner:"), zeile);
    rechnerText->setBuddy(rechner_);
    reihe->addWidget(zeitraumText);
    reihe->addWidget(zeitraum_);
    reihe->addSpacing(16);
    reihe->addWidget(rechnerText);
    reihe->addWidget(rechner_);
    reihe->addStretch(1);
    const auto neu = [this] {
        berechneAnsicht();
        zeigeAuswahl();
    };
    connect(zeitraum_, &QComboBox::currentIndexChanged, this, neu);
    connect(rechner_, &QComboBox::currentIndexChanged, this, neu);
    return zeile;
}

void Klassenuebersicht::baueInhalt()
{
    meldung_ = new QLabel(this);
    meldung_->setWordWrap(true);
    meldung_->setStyleSheet(QStringLiteral(
        "background: #fff4c2; border: 1px solid #d9b300; border-radius: 4px; padding: 6px; color: #3d3000;"));
    meldung_->hide();
    stand_ = new QLabel(this);
    stand_->setWordWrap(true);
    stand_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    raumFuerUmlaute(stand_);

    tabelle_ = new QTableView(this);
    tabelle_->setModel(modell_);
    tabelle_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabelle_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tabelle_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabelle_->setAlternatingRowColors(true);
    tabelle_->verticalHeader()->hide();
    tabelle_->verticalHeader()->setDefaultSectionSize(tabelle_->fontMetrics().height() + 8);
    tabelle_->horizontalHeader()->setStretchLastSection(true);
    tabelle_->setAccessibleName(QStringLiteral("Kinder"));
    connect(tabelle_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &Klassenuebersicht::auswahlGeaendert);
    connect(tabelle_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Klassenuebersicht::schalteAktionen);
    auto* legende = new QLabel(
        QStringLiteral("Je Stufe: Runden · zuletzt richtig · am besten richtig (von 4 oder 7 Wörtern). ") +
            kb::erg::vorschlagsRegel(),
        this);
    legende->setWordWrap(true);
    legende->setStyleSheet(QStringLiteral("color: #505050;"));
    raumFuerUmlaute(legende);

    diagramm_ = new Verlaufsdiagramm(this);
    fehlwoerter_ = new QTableWidget(0, 2, this);
    fehlwoerter_->setHorizontalHeaderLabels({QStringLiteral("Wort"), QStringLiteral("übersehen")});
    fehlwoerter_->verticalHeader()->hide();
    fehlwoerter_->verticalHeader()->setDefaultSectionSize(fehlwoerter_->fontMetrics().height() + 6);
    fehlwoerter_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fehlwoerter_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    fehlwoerter_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    fehlwoerter_->setAccessibleName(QStringLiteral("Oft übersehene Wörter"));
    auto* woerter = new QWidget(this);
    auto* woerterSpalte = new QVBoxLayout(woerter);
    woerterSpalte->setContentsMargins(0, 0, 0, 0);
    woerterSpalte->addWidget(ueberschrift(QStringLiteral("Oft übersehene Wörter"), woerter));
    auto* woerterHinweis = new QLabel(QStringLiteral("gezeigt, aber nicht gewählt: zum Üben"), woerter);
    woerterHinweis->setStyleSheet(QStringLiteral("color: #505050;"));
    raumFuerUmlaute(woerterHinweis);
    woerterSpalte->addWidget(woerterHinweis);
    woerterSpalte->addWidget(fehlwoerter_, 1);

    auto* unten = new QSplitter(Qt::Horizontal, this);
    unten->addWidget(diagramm_);
    unten->addWidget(woerter);
    unten->setStretchFactor(0, 3);
    unten->setStretchFactor(1, 1);
    unten->setChildrenCollapsible(false);
    auto* oben = new QWidget(this);
    auto* obenSpalte = new QVBoxLayout(oben);
    obenSpalte->setContentsMargins(0, 0, 0, 0);
    obenSpalte->addWidget(tabelle_, 1);
    obenSpalte->addWidget(legende);
    auto* teiler = new QSplitter(Qt::Vertical, this);
    teiler->addWidget(oben);
    teiler->addWidget(unten);
    teiler->setStretchFactor(0, 1);
    teiler->setStretchFactor(1, 1);
    teiler->setChildrenCollapsible(false);

    auto* mitte = new QWidget(this);
    auto* spalte = new QVBoxLayout(mitte);
    spalte->setContentsMargins(8, 6, 8, 6);
    spalte->addWidget(baueFilter());
    spalte->addWidget(meldung_);
    spalte->addWidget(stand_);
    spalte->addWidget(teiler, 1);
    setCentralWidget(mitte);
}

void Klassenuebersicht::oeffne(const QString& ordner)
{
    ordner_ = QFileInfo(ordner).absoluteFilePath();
    nurHier_.clear();
    setWindowTitle(QStringLiteral("Klassenübersicht – %1").arg(QDir::toNativeSeparators(ordner_)));
    starteLesung(0);
}

void Klassenuebersicht::aktualisiere()
{
    starteLesung(0);
}

// Reads the folder in a worker; `aenderung` runs there first (deleting, joining)
// and gives the number that the banner reports.
void Klassenuebersicht::starteLesung(int tage, const std::function<int()>& aenderung)
{
    geladen_ = false;
    schalteAktionen();
    stand_->setText(QStringLiteral("Die Ergebnisse werden gelesen …"));
    const QString ordner = ordner_;
    const QDate heute = QDate::currentDate();
    leser_.setFuture(QtConcurrent::run([ordner, tage, heute, aenderung, filter = filter()] {
        const int geaendert = aenderung ? aenderung() : 0;
        Lesung l = lade(ordner, tage, heute, filter);
        l.geaendert = geaendert;
        return l;
    }));
}

void Klassenuebersicht::lesungFertig()
{
    Lesung l = leser_.result();
    if (l.ordner != ordner_)
        return;
    lesung_ = std::move(l);
    QStringList zeilen;
    if (lesung_.abgelaufen > 0)
        zeilen.append(QStringLiteral("%1, älter als %2 %3, %4 gelöscht.")
                          .arg(ergebnisse(lesung_.abgelaufen), zahl(tage_),
                               tage_ == 1 ? QStringLiteral("Tag") : QStringLiteral("Tage"),
                               wurde(lesung_.abgelaufen)));
    if (nachricht_)
        zeilen.append(nachricht_(lesung_.geaendert));
    nachricht_ = nullptr;
    meldung_->setText(zeilen.join(QLatin1Char('\n')));
    meldung_->setVisible(!zeilen.isEmpty());

    const QString gewaehlt = rechner_->currentData().toString();
    const QSignalBlocker still(rechner_);
    rechner_->clear();
    rechner_->addItem(QStringLiteral("Alle Rechner"), QString());
    for (const QString& r : kb::erg::rechnerListe(lesung_.bestand.saetze))
        rechner_->addItem(r, r);
    rechner_->setCurrentIndex(std::max(0, rechner_->findData(gewaehlt)));
    geladen_ = true;
    // The worker has worked out what to show, unless the filter changed since
    // or a join is to hold here only.
    if (lesung_.filter == filter())
        ansicht_ = std::move(lesung_.ansicht);
    else
        berechneAnsicht();
    zeigeAuswahl();
    Q_EMIT eingelesen();
}

Filter Klassenuebersicht::filter() const
{
    return {Zeitraum(zeitraum_->currentData().toInt()), rechner_->currentData().toString(), nurHier_};
}

void Klassenuebersicht::berechneAnsicht()
{
    const Filter f = filter();
    for (const auto& [name, gleich] : f.nurHier)
        lesung_.namen.verbinde(name, gleich);
    ansicht_ =
        kb::erg::werteAus(lesung_.bestand.saetze, lesung_.namen, f.zeitraum, QDate::currentDate(), f.rechner);
}

// The records of the chosen period and computer, grouped by child.
void Klassenuebersicht::zeigeAuswahl()
{
    const QString gewaehlt = tabelle_->currentIndex().data(Kindertabelle::SchluesselRolle).toString();
    modell_->setzeKinder(ansicht_.kinder);
    tabelle_->resizeColumnsToContents();
    if (const int z = modell_->zeile(gewaehlt); z >= 0)
        tabelle_->selectRow(z);
    else if (modell_->rowCount() > 0)
        tabelle_->selectRow(0);
    auswahlGeaendert();
    zeigeFehlwoerter();
    zeigeStand();
    schalteAktionen();
}

void Klassenuebersicht::zeigeStand()
{
    const QString ort = QDir::toNativeSeparators(ordner_);
    if (!lesung_.bestand.gefunden) {
        stand_->setText(
            QStringLiteral("Den Ergebnisordner „%1“ gibt es nicht, oder er lässt sich nicht lesen.")
                .arg(ort));
        return;
    }
    QString text = QStringLiteral("%1 von %2 %3 (%4; %5) im Ordner „%6“.")
                       .arg(ergebnisse(ansicht_.saetze.size()), zahl(modell_->rowCount()),
                            modell_->rowCount() == 1 ? QStringLiteral("Kind") : QStringLiteral("Kindern"),
                            zeitraumText(), rechnerText(), ort);
    if (lesung_.bestand.unlesbareZeilen > 0)
        text += lesung_.bestand.unlesbareZeilen == 1
                    ? QStringLiteral(" 1 Zeile ließ sich nicht lesen und fehlt.")
                    : QStringLiteral(" %1 Zeilen ließen sich nicht lesen und fehlen.")
                          .arg(zahl(lesung_.bestand.unlesbareZeilen));
    if (lesung_.bestand.saetze.isEmpty() && !aufheben_)
        text += QStringLiteral(" Das Spiel hebt zurzeit keine Ergebnisse auf; die Schul-IT kann das in der "
                               "Einstellung „Aufheben=ja“ im Abschnitt [Ergebnisse] einschalten.");
    stand_->setText(text);
}

void Klassenuebersicht::zeigeFehlwoerter()
{
    const QList<kb::erg::Fehlwort>& woerter = ansicht_.fehlwoerter;
    fehlwoerter_->setRowCount(int(woerter.size()));
    for (int i = 0; i < woerter.size(); ++i) {
        fehlwoerter_->setItem(i, 0, new QTableWidgetItem(woerter[i].wort));
        auto* anzahl = new QTableWidgetItem(QStringLiteral("%1×").arg(zahl(woerter[i].anzahl)));
        anzahl->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fehlwoerter_->setItem(i, 1, anzahl);
    }
}

void Klassenuebersicht::auswahlGeaendert()
{
    const int z = tabelle_->currentIndex().row();
    if (z < 0 || z >= modell_->rowCount()) {
        diagramm_->leere(modell_->rowCount() == 0 ? QStringLiteral("Keine Ergebnisse im gewählten Zeitraum")
                                                  : QStringLiteral("Bitte ein Kind wählen"));
        return;
    }
    const kb::erg::Kind& k = modell_->kinder()[z];
    diagramm_->zeige(anzeigename(k.name), ansicht_.saetze, k.saetze);
}

QStringList Klassenuebersicht::gewaehlteSchluessel() const
{
    QStringList schluessel;
    for (const QModelIndex& i : tabelle_->selectionModel()->selectedRows())
        schluessel.append(i.data(Kindertabelle::SchluesselRolle).toString());
    return schluessel;
}

void Klassenuebersicht::schalteAktionen()
{
    const qsizetype gewaehlt = tabelle_ ? tabelle_->selectionModel()->selectedRows().size() : 0;
    oeffnen_->setEnabled(geladen_);
    zusammenfuehren_->setEnabled(geladen_ && gewaehlt == 2);
    loeschen_->setEnabled(geladen_ && gewaehlt == 1);
    alleLoeschen_->setEnabled(geladen_ && !lesung_.bestand.saetze.isEmpty());
    csv_->setEnabled(geladen_ && !ansicht_.saetze.isEmpty());
    pdf_->setEnabled(geladen_ && !ansicht_.saetze.isEmpty());
}

QString Klassenuebersicht::zeitraumText() const
{
    const auto z = Zeitraum(zeitraum_->currentData().toInt());
    const QDate heute = QDate::currentDate();
    if (z == Zeitraum::Alle)
        return QStringLiteral("alle Tage");
    return QStringLiteral("%1, %2 bis %3")
        .arg(zeitraum_->currentText(), kb::erg::ersterTag(z, heute).toString(QStringLiteral("dd.MM.yyyy")),
             heute.toString(QStringLiteral("dd.MM.yyyy")));
}

QString Klassenuebersicht::rechnerText() const
{
    return rechner_->currentIndex() <= 0 ? QStringLiteral("alle Rechner")
                                         : QStringLiteral("Rechner „%1“").arg(rechner_->currentText());
}

} // namespace kbb::fenster
