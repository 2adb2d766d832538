#include "bilderordner/fenster/bilderfenster.h"

#include "bilderordner/fenster/aufnahme.h"
#include "bilderordner/fenster/bildliste.h"
#include "bilderordner/fenster/kachel.h"
#include "bilderordner/fenster/kindansicht.h"
#include "bilderordner/fenster/klassenuebersicht.h"
#include "bilderordner/fenster/lesepool.h"
#include "bilderordner/fenster/vorschaubilder.h"
#include "bilderordner/kern/texte.h"
#include "bilderordner/kern/wortbreite.h"
#include "regeln/bildflaeche.h"
#include "regeln/einstellungen.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace kbb::fenster {

namespace {

// Thumbnails of 128 x 96 pixels take 48 KB each: the cache keeps about 1,300 of
// them, so a folder of 1,000 photos is decoded once, and a larger one keeps
// what was seen last.
constexpr qsizetype CacheGrenze = 64 * 1024 * 1024;

// What in the system configuration could not be used; empty when all could.
QString einstellungsSatz()
{
    const kb::Einstellungen& e = kb::einstellungen();
    if (e.probleme.isEmpty())
        return {};
    return QStringLiteral("Die Einstellungen in %1 enthalten Fehler; es gilt dort die Voreinstellung:\n%2")
        .arg(texte::genannt(QDir::toNativeSeparators(e.datei)), e.probleme.join(QLatin1Char('\n')));
}

QString schreibschutzSatz()
{
    const QString name = qEnvironmentVariable("USER", QStringLiteral("<name>"));
    return QStringLiteral("Du darfst in diesem Ordner nichts ändern. Bitte die Schul-IT, dich in die Gruppe "
                          "„kieselblick“ aufzunehmen (adduser %1 kieselblick), und melde dich danach neu an.")
        .arg(name);
}

} // namespace

Bilderfenster::Bilderfenster(const QString& ordner, const QString& share, QWidget* parent)
    : QMainWindow(parent), share_(share), vorschau_(new Vorschaubilder(Kachel::Vorschau, CacheGrenze, this)),
      modell_(new Bildliste(*vorschau_, this)), kachel_(nullptr), aufnahme_(new Aufnahme(this, this))
{
    // The board's font and the screens' geometry are set up here, in the
    // user-interface thread, before any worker measures a word with them.
    passtAufKnopf(QString());
    kb::bildflaeche();
    kachel_ = new Kachel(this);
    setWindowTitle(QStringLiteral("Kieselblick – Bilder"));
    setAcceptDrops(true);
    baueInhalt();
    baueAktionen();
    connect(kachel_, &Kachel::ersteVorschauGemalt, this, &Bilderfenster::ersteVorschauGemalt);
    connect(&pruefung_, &QFutureWatcher<Geprueft>::finished, this, &Bilderfenster::berichtFertig);
    connect(&arbeit_, &QFutureWatcher<QStringList>::finished, this, &Bilderfenster::arbeitAngekommen);
    connect(aufnahme_, &Aufnahme::geaendert, this, &Bilderfenster::aktualisiere);
    connect(aufnahme_, &Aufnahme::meldung, this, [this](const QString& t) { meldeArbeit(t, true); });
    connect(aufnahme_, &Aufnahme::fertig, this, [this](const Aenderung& a) {
        merke(a);
        meldeArbeit(arbeitszeile_->text(), false);
        Q_EMIT arbeitFertig();
    });
    // A school's laptop often has a screen of 1024 × 768 pixels, of which the
    // title bar and a task bar take some: the window fits into what is left.
    setMinimumSize(720, 480);
    resize(1000, 660);
    oeffne(ordner);
}

Bilderfenster::~Bilderfenster()
{
    // Workers still judging the folder finish on their own; nothing waits for them.
    pruefung_.disconnect(this);
    arbeit_.disconnect(this);
}

void Bilderfenster::baueInhalt()
{
    schreibschutz_ = new QLabel(schreibschutzSatz(), this);
    schreibschutz_->setWordWrap(true);
    schreibschutz_->setStyleSheet(QStringLiteral(
        "background: #fff4c2; border: 1px solid #d9b300; border-radius: 4px; padding: 8px; color: #3d3000;"));
    einstellungsfehler_ = new QLabel(einstellungsSatz(), this);
    einstellungsfehler_->setWordWrap(true);
    einstellungsfehler_->setStyleSheet(schreibschutz_->styleSheet());
    einstellungsfehler_->setVisible(!einstellungsfehler_->text().isEmpty());
    uebersicht_ = new QLabel(this);
    uebersicht_->setWordWrap(true);
    uebersicht_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    liste_ = new QListView(this);
    liste_->setViewMode(QListView::IconMode);
    liste_->setMovement(QListView::Static);
    liste_->setResizeMode(QListView::Adjust);
    liste_->setUniformItemSizes(true);
    liste_->setWrapping(true);
    liste_->setSelectionMode(QAbstractItemView::SingleSelection);
    liste_->setDragDropMode(QAbstractItemView::NoDragDrop);
    liste_->setAcceptDrops(false);
    liste_->viewport()->setAcceptDrops(false);
    liste_->setItemDelegate(kachel_);
    liste_->setModel(modell_);
    liste_->setAccessibleName(QStringLiteral("Bilder im Ordner"));
    connect(liste_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &Bilderfenster::auswahlGeaendert);

    // What is being done, right under the summary where the teacher looks, and
    // what was done last.
    arbeitszeile_ = new QLabel(this);
    arbeitszeile_->setObjectName(QStringLiteral("arbeitszeile"));
    arbeitszeile_->setWordWrap(true);
    arbeitszeile_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fortschritt_ = new QProgressBar(this);
    fortschritt_->setRange(0, 0);
    fortschritt_->setMaximumHeight(10);
    fortschritt_->setTextVisible(false);
    fortschritt_->hide();
    arbeitszeile_->hide();

    auto* links = new QWidget(this);
    auto* spalte = new QVBoxLayout(links);
    spalte->setContentsMargins(6, 6, 0, 6);
    spalte->addWidget(einstellungsfehler_);
    spalte->addWidget(schreibschutz_);
    spalte->addWidget(uebersicht_);
    spalte->addWidget(arbeitszeile_);
    spalte->addWidget(fortschritt_);
    spalte->addWidget(liste_, 1);

    kindansicht_ = new Kindansicht(this);
    auto* rechts = new QScrollArea(this);
    rechts->setWidget(kindansicht_);
    rechts->setWidgetResizable(true);
    rechts->setMinimumWidth(kindansicht_->sizeHint().width() + 24);
    rechts->setFrameShape(QFrame::NoFrame);

    auto* teiler = new QSplitter(this);
    teiler->addWidget(links);
    teiler->addWidget(rechts);
    teiler->setStretchFactor(0, 1);
    teiler->setChildrenCollapsible(false);
    setCentralWidget(teiler);
}

void Bilderfenster::oeffne(const QString& ordner)
{
    ordner_ = QFileInfo(ordner).absoluteFilePath();
    setWindowTitle(QStringLiteral("Kieselblick – Bilder – %1").arg(QDir::toNativeSeparators(ordner_)));
    kindansicht_->zeige({}, {}, {});
    aktualisiere();
    liste_->scrollToTop();
}

void Bilderfenster::aktualisiere()
{
    const QString gewaehlt = liste_->currentIndex().data(Bildliste::NameRolle).toString();
    const int rollen = liste_->verticalScrollBar()->value();
    // The listing and the words are there at once; the verdicts follow.
    modell_->setzeListe(ordner_);
    QStringList pfade;
    for (int i = 0; i < modell_->rowCount(); ++i)
        if (const QString p = modell_->index(i).data(Bildliste::PfadRolle).toString(); !p.isEmpty())
            pfade.append(p);
    vorschau_->setzeDateien(pfade);
    berichtDa_ = false;
    beschreibbar_ = QFileInfo(ordner_).isDir() && QFileInfo(ordner_).isWritable();
    zeigeUebersicht();
    schalteAktionen();
    if (const int z = modell_->zeile(gewaehlt); z >= 0)
        liste_->setCurrentIndex(modell_->index(z));
    liste_->verticalScrollBar()->setValue(rollen);
    pruefung_.setFuture(QtConcurrent::run(&lesepool(), [ordner = ordner_] {
        Geprueft g{pruefeOrdner(ordner), {}};
        g.eintraege = Bildliste::ordne(g.bericht);
        return g;
    }));
}

void Bilderfenster::berichtFertig()
{
    Geprueft g = pruefung_.result();
    if (g.bericht.ordner != ordner_)
        return;
    bericht_ = std::move(g.bericht);
    const QString gewaehlt = liste_->currentIndex().data(Bildliste::NameRolle).toString();
    const int rollen = liste_->verticalScrollBar()->value();
    modell_->setzeBericht(std::move(g.eintraege));
    if (const int z = modell_->zeile(gewaehlt); z >= 0)
        liste_->setCurrentIndex(modell_->index(z));
    liste_->verticalScrollBar()->setValue(rollen);
    berichtDa_ = true;
    beschreibbar_ = bericht_.beschreibbar;
    zeigeUebersicht();
    schalteAktionen();
    Q_EMIT berichtAngekommen();
}

// The report's summary without write access and the overall verdict: the banner
// says the one, the tiles say the other.
void Bilderfenster::zeigeUebersicht()
{
    schreibschutz_->setVisible(QFileInfo(ordner_).isDir() && !beschreibbar_);
    if (!QFileInfo(ordner_).isDir()) {
        uebersicht_->setText(
            QStringLiteral("Den Ordner „%1“ gibt es nicht.").arg(QDir::toNativeSeparators(ordner_)));
        return;
    }
    if (modell_->rowCount() == 0) {
        uebersicht_->setText(QStringLiteral(
            "Der Ordner ist leer. Ziehe Bilder aus dem Dateimanager auf dieses Fenster, oder wähle "
            "„Bilder hinzufügen …“ oder einen Bildersatz."));
        return;
    }
    if (!berichtDa_) {
        const int n = modell_->rowCount();
        uebersicht_->setText((n == 1 ? QStringLiteral("1 Datei.") : QStringLiteral("%1 Dateien.").arg(n)) +
                             QStringLiteral(" Die Bilder werden geprüft …"));
        return;
    }
    Zusammenfassung z = bericht_.zusammenfassung();
    z.schreibrecht.clear();
    const QStringList zeilen = z.zeilen();
    // Red: the game ends with an error or cannot be played; amber: the child
    // will see something wrong; green: all good.
    const QString farbe = bericht_.ampel() == Ampel::Gruen  ? QStringLiteral("#1e7028")
                          : bericht_.ampel() == Ampel::Gelb ? QStringLiteral("#8a5a00")
                                                            : QStringLiteral("#b01010");
    uebersicht_->setText(QStringLiteral("<span style=\"color:%1\">%2</span>")
                             .arg(farbe, zeilen.join(QLatin1Char(' ')).toHtmlEscaped()));
}

void Bilderfenster::schalteAktionen()
{
    const bool frei = beschreibbar_ && !aufnahme_->beschaeftigt() && !arbeit_.isRunning();
    hinzufuegen_->setEnabled(frei);
    reparieren_->setEnabled(frei);
    saetzeKnopf_->setEnabled(frei && !saetze_.isEmpty());
    const bool bild = frei && !gewaehlterName().isEmpty();
    for (QAction* a : {wortAendern_, beiseite_, ersetzen_})
        a->setEnabled(bild);
    aussortiert_->setEnabled(frei);
    rueckgaengig_->setEnabled(frei && !letzte_.leer());
    rueckgaengig_->setText(letzte_.leer() ? QStringLiteral("Rückgängig")
                                          : QStringLiteral("Rückgängig: %1").arg(letzte_.was));
}

void Bilderfenster::auswahlGeaendert()
{
    const QModelIndex i = liste_->currentIndex();
    kindansicht_->zeige(i.data(Bildliste::PfadRolle).toString(), i.data(Qt::DisplayRole).toString(),
                        i.data(Bildliste::SaetzeRolle).toStringList());
    schalteAktionen();
}

// Says what is being done (with a moving bar) or what was done last.
void Bilderfenster::meldeArbeit(const QString& text, bool laeuft)
{
    arbeitszeile_->setText(text);
    arbeitszeile_->setVisible(!text.isEmpty());
    fortschritt_->setVisible(laeuft);
    statusBar()->showMessage(text);
}

// Keeps a change for "Rückgängig"; one that changed nothing keeps the one before.
void Bilderfenster::merke(const Aenderung& aenderung)
{
    if (!aenderung.leer())
        letzte_ = aenderung;
    schalteAktionen();
}

int starte(QApplication& app, const QString& ordner)
{
    Bilderfenster fenster(ordner, shareOrdner());
    fenster.show();
    return app.exec();
}

} // namespace kbb::fenster
