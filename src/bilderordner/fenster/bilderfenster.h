#pragma once

#include "bilderordner/fenster/bildliste.h"
#include "bilderordner/kern/aenderung.h"
#include "bilderordner/kern/pruefung.h"
#include "bilderordner/kern/saetze.h"

#include <QFutureWatcher>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QApplication;
class QLabel;
class QListView;
class QProgressBar;
class QToolButton;

namespace kbb::fenster {

// What a change of the folder in a worker gives: its lines for the teacher and
// its steps, for undoing it. A change of a single picture says its one line in
// the window; a larger one shows its lines in a window of their own.
struct Arbeitsergebnis {
    QStringList zeilen;
    Aenderung aenderung;
    bool einzeln = false;
};

// The judgement of the folder with its tiles already in order, both made in a
// worker thread.
struct Geprueft {
    Ordnerbericht bericht;
    Bildliste::Eintraege eintraege;
};

class Aufnahme;
class Kachel;
class Kindansicht;
class Klassenuebersicht;
class Vorschaubilder;

// The companion's window on one picture folder: every file as a tile with its
// word and verdict, the summary, the child's view of the chosen picture, and the
// teacher's actions. The folder is listed at once; the thumbnails and the
// judgement of every file are made in worker threads and arrive as they are done.
class Bilderfenster : public QMainWindow {
    Q_OBJECT
public:
    // `share` holds the shipped picture sets (see shareOrdner()).
    Bilderfenster(const QString& ordner, const QString& share, QWidget* parent = nullptr);
    ~Bilderfenster() override;

    void oeffne(const QString& ordner);
    // Lists the folder again and judges it anew.
    void aktualisiere();

    const QString& ordner() const { return ordner_; }
    const Ordnerbericht& bericht() const { return bericht_; }
    bool berichtDa() const { return berichtDa_; }
    QListView* liste() const { return liste_; }
    Bildliste* modell() const { return modell_; }
    Kindansicht* kindansicht() const { return kindansicht_; }
    Vorschaubilder* vorschaubilder() const { return vorschau_; }
    QLabel* uebersicht() const { return uebersicht_; }
    QLabel* schreibschutz() const { return schreibschutz_; }
    QLabel* einstellungsfehler() const { return einstellungsfehler_; }
    QAction* hinzufuegenAktion() const { return hinzufuegen_; }
    QAction* reparierenAktion() const { return reparieren_; }
    QToolButton* saetzeKnopf() const { return saetzeKnopf_; }
    QAction* klassenuebersichtAktion() const { return klassenuebersicht_; }
    // The class overview of the configured results folder, opened from the menu
    // "Ergebnisse"; the one that is open, if any.
    Klassenuebersicht* offeneKlassenuebersicht() const;
    QAction* wortAendernAktion() const { return wortAendern_; }
    QAction* beiseiteAktion() const { return beiseite_; }
    QAction* ersetzenAktion() const { return ersetzen_; }
    QAction* rueckgaengigAktion() const { return rueckgaengig_; }
    QAction* aussortiertAktion() const { return aussortiert_; }
    QAction* hilfeAktion() const { return hilfe_; }
    // The line under the summary that says what is being done and what was done last.
    QLabel* arbeitszeile() const { return arbeitszeile_; }

Q_SIGNALS:
    void berichtAngekommen();
    void ersteVorschauGemalt();
    void arbeitFertig(); // a repair, a set or adding pictures is done

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void baueAktionen();
    void baueInhalt();
    void baueSatzMenue();
    void berichtFertig();
    void zeigeUebersicht();
    void schalteAktionen();
    void auswahlGeaendert();
    void waehleOrdner();
    void waehleBilder();
    void repariereOrdner();
    void fuelleAus(const Bildersatz& satz, bool ersetzen);
    void starteArbeit(const QString& titel, const std::function<Arbeitsergebnis()>& arbeit);
    void arbeitAngekommen();
    void zeigeKlassenuebersicht();
    void meldeArbeit(const QString& text, bool laeuft);
    void merke(const Aenderung& aenderung);
    // Actions on the chosen picture (bilderfenster_einzeln.cpp).
    void baueEinzelaktionen();
    QString gewaehlterName() const;
    void zeigeKontextmenue(const QPoint& punkt);
    void aendereGewaehltesWort();
    void legeGewaehltesBeiseite();
    void ersetzeGewaehltesBild();
    void zeigeAussortiert();
    void macheLetztesRueckgaengig();
    void zeigeHilfe();

    QString ordner_;
    QString share_;
    QList<Bildersatz> saetze_;
    Ordnerbericht bericht_;
    bool berichtDa_ = false;
    bool beschreibbar_ = false;
    Vorschaubilder* vorschau_;
    Bildliste* modell_;
    Kachel* kachel_;
    Aufnahme* aufnahme_;
    QListView* liste_ = nullptr;
    Kindansicht* kindansicht_ = nullptr;
    QLabel* uebersicht_ = nullptr;
    QLabel* schreibschutz_ = nullptr;
    QLabel* einstellungsfehler_ = nullptr;
    QAction* oeffnen_ = nullptr;
    QAction* hinzufuegen_ = nullptr;
    QAction* reparieren_ = nullptr;
    QToolButton* saetzeKnopf_ = nullptr;
    QAction* klassenuebersicht_ = nullptr;
    QPointer<Klassenuebersicht> offeneUebersicht_;
    QAction* wortAendern_ = nullptr;
    QAction* beiseite_ = nullptr;
    QAction* ersetzen_ = nullptr;
    QAction* rueckgaengig_ = nullptr;
    QAction* aussortiert_ = nullptr;
    QAction* hilfe_ = nullptr;
    QLabel* arbeitszeile_ = nullptr;
    QProgressBar* fortschritt_ = nullptr;
    QFutureWatcher<Geprueft> pruefung_;
    QFutureWatcher<Arbeitsergebnis> arbeit_;
    QString arbeitTitel_;
    Aenderung letzte_; // the last change, which "Rückgängig" undoes
};

// Opens the window on the folder and runs the program.
int starte(QApplication& app, const QString& ordner);

} // namespace kbb::fenster
