#pragma once

#include "ergebnisse/auswertung.h"

#include <QAbstractTableModel>

namespace kbb::fenster {

// The class overview's table: one line per child with its rounds, per level the
// number of rounds, the last and the best result, and the suggested level.
class Kindertabelle : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Spalte { Name, Runden, ErsteStufe };
    static constexpr int SchluesselRolle = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void setzeKinder(QList<kb::erg::Kind> kinder);
    const QList<kb::erg::Kind>& kinder() const { return kinder_; }
    // The line of the child of that key, or -1.
    int zeile(const QString& schluessel) const;
    int vorschlagSpalte() const { return ErsteStufe + stufen(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int stufen() const;
    QVariant stufenText(const kb::erg::Kind& k, int stufe, int role) const;
    QVariant vorschlagText(const kb::erg::Kind& k, int role) const;

    QList<kb::erg::Kind> kinder_;
};

// A name as the overview shows it; a child that typed none is named so.
QString anzeigename(const QString& name);

// A number with German digit grouping: 50.000.
QString zahl(qsizetype n);
// "1 Ergebnis", "50.000 Ergebnisse".
QString ergebnisse(qsizetype n);
// The verb that goes with so many: "wurde" or "wurden".
QString wurde(qsizetype n);

} // namespace kbb::fenster
