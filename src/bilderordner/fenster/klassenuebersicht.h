#pragma once

#include "ergebnisse/auswertung.h"
#include "ergebnisse/bestand.h"

#include <QFutureWatcher>
#include <QMainWindow>

class QAction;
class QComboBox;
class QLabel;
class QTableView;
class QTableWidget;

namespace kbb::fenster {

class Kindertabelle;
class Verlaufsdiagramm;

// What is shown: the period, the computer (empty for all) and the joins made
// in the window that the folder could not take.
struct Filter {
    kb::erg::Zeitraum zeitraum = kb::erg::Zeitraum::Alle;
    QString rechner;
    QList<QPair<QString, QString>> nurHier;
    bool operator==(const Filter&) const = default;
};

// What a worker brings back from a results folder.
struct Lesung {
    QString ordner;
    kb::erg::Bestand bestand;
    kb::erg::Namen namen; // the folder's joins and those of the filter
    Filter filter;
    kb::erg::Ansicht ansicht; // of the filter, on the day it was read
    int abgelaufen = 0;       // records older than the configured days, deleted before reading
    int geaendert = 0;        // records deleted, or joins written, by the change before reading
};

// Deletes the records of days older than `tage` (none with 0), then reads the
// folder with the teachers' joins of names and works out what the filter shows.
// Runs in a worker thread.
Lesung lade(const QString& ordner, int tage, const QDate& heute, const Filter& filter);

// The teachers' class overview of a results folder: one line per child with
// its rounds per level and a suggested level, the chosen child's results over
// time, the words the class misses most, filters by period and computer,
// joining two spellings of one child, deleting, and export as a table or as
// pages for a parents' evening. The folder is read in a worker thread, so a
// slow share never holds up the window.
class Klassenuebersicht : public QMainWindow {
    Q_OBJECT
public:
    // `tage` > 0: records older than that many days are deleted on opening (the
    // school's configured folder); 0 leaves the folder as it is. `aufheben`
    // says whether the game keeps results at all, for the hint on an empty folder.
    Klassenuebersicht(const QString& ordner, int tage, bool aufheben, QWidget* parent = nullptr);
    ~Klassenuebersicht() override;

    // Reads another folder, without deleting old records in it.
    void oeffne(const QString& ordner);
    void aktualisiere();

    // The exports, also reached through their buttons and a file dialog.
    bool speichereCsv(const QString& pfad);
    bool speicherePdf(const QString& pfad);

    const QString& ordner() const { return ordner_; }
    bool geladen() const { return geladen_; }
    const QList<kb::erg::Datensatz>& auswahl() const { return ansicht_.saetze; }
    Kindertabelle* modell() const { return modell_; }
    QTableView* tabelle() const { return tabelle_; }
    Verlaufsdiagramm* diagramm() const { return diagramm_; }
    QTableWidget* fehlwoerter() const { return fehlwoerter_; }
    QComboBox* zeitraumWahl() const { return zeitraum_; }
    QComboBox* rechnerWahl() const { return rechner_; }
    QLabel* stand() const { return stand_; }
    QLabel* meldung() const { return meldung_; }
    QAction* zusammenfuehrenAktion() const { return zusammenfuehren_; }
    QAction* loeschenAktion() const { return loeschen_; }
    QAction* alleLoeschenAktion() const { return alleLoeschen_; }
    QAction* csvAktion() const { return csv_; }
    QAction* pdfAktion() const { return pdf_; }

Q_SIGNALS:
    void eingelesen(); // the folder's records are read and shown

private:
    void baueAktionen();
    void baueInhalt();
    QWidget* baueFilter();
    void starteLesung(int tage, const std::function<int()>& aenderung = {});
    void lesungFertig();
    Filter filter() const;
    void berechneAnsicht();
    void zeigeAuswahl();
    void zeigeStand();
    void zeigeFehlwoerter();
    void auswahlGeaendert();
    void schalteAktionen();
    QStringList gewaehlteSchluessel() const;
    void waehleOrdner();
    void frageZusammenfuehren();
    void frageLoeschen();
    void frageAlleLoeschen();
    void waehleZiel(const QString& titel, const QString& filter, const QString& endung,
                    bool (Klassenuebersicht::*speichere)(const QString&));
    QString zeitraumText() const;
    QString rechnerText() const;

    QString ordner_;
    int tage_ = 0;
    bool aufheben_ = true;
    bool geladen_ = false;
    Lesung lesung_;
    QList<QPair<QString, QString>> nurHier_; // joins that could not be written into the folder
    kb::erg::Ansicht ansicht_;
    std::function<QString(int)> nachricht_; // what the last change did, for the banner
    QFutureWatcher<Lesung> leser_;
    Kindertabelle* modell_;
    QTableView* tabelle_ = nullptr;
    Verlaufsdiagramm* diagramm_ = nullptr;
    QTableWidget* fehlwoerter_ = nullptr;
    QComboBox* zeitraum_ = nullptr;
    QComboBox* rechner_ = nullptr;
    QLabel* stand_ = nullptr;
    QLabel* meldung_ = nullptr;
    QAction* oeffnen_ = nullptr;
    QAction* zusammenfuehren_ = nullptr;
    QAction* loeschen_ = nullptr;
    QAction* alleLoeschen_ = nullptr;
    QAction* csv_ = nullptr;
    QAction* pdf_ = nullptr;
};

} // namespace kbb::fenster
