#pragma once

#include "bilderordner/fenster/urteil.h"
#include "bilderordner/kern/pruefung.h"

#include <QAbstractListModel>
#include <QHash>

namespace kbb::fenster {

class Vorschaubilder;

// The files of the folder as the window lists them: at first straight from the
// folder's listing with their words, then in the report's order (files that
// stop the game first) with its verdicts. Thumbnails come from the loader.
class Bildliste : public QAbstractListModel {
    Q_OBJECT
public:
    enum Rolle {
        PfadRolle = Qt::UserRole + 1,
        NameRolle,
        UrteilRolle, // the short verdict, text
        FarbeRolle,  // its colour
        SchwereRolle,
        SaetzeRolle, // the report's sentences on the file
        KeinBildRolle,
    };

    explicit Bildliste(Vorschaubilder& vorschau, QObject* parent = nullptr);

    struct Eintrag {
        QString name;
        QString pfad;
        QString wort;
        Urteil urteil;
        QStringList saetze;
    };
    using Eintraege = QList<Eintrag>;

    // The folder's files as the game lists them; every verdict still open.
    void setzeListe(const QString& ordner);
    // The tiles of a report, in the window's order: files that stop the game
    // first, each group sorted as people sort. Made in a worker thread, so that
    // the window only has to take them in.
    static Eintraege ordne(const Ordnerbericht& bericht);
    void setzeBericht(Eintraege eintraege);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    int zeile(const QString& name) const;

private:
    void ersetze(QList<Eintrag> eintraege);
    void vorschauBereit(const QString& pfad);

    Vorschaubilder& vorschau_;
    QList<Eintrag> eintraege_;
    QHash<QString, int> zeileVonPfad_;
};

} // namespace kbb::fenster
