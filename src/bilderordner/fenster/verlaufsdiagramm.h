#pragma once

#include "ergebnisse/datensatz.h"

#include <QChartView>

class QLineSeries;

namespace kbb::fenster {

// A child's results over time: the right picks of every round, one line per
// level, on a time axis. The same chart is shown in the overview and printed
// on the child's page for the parents' evening.
QChart* baueVerlauf(const QString& name, const QList<kb::erg::Datensatz>& saetze,
                    const QList<qsizetype>& auswahl);

// The overview's chart of the chosen child.
class Verlaufsdiagramm : public QChartView {
    Q_OBJECT
public:
    explicit Verlaufsdiagramm(QWidget* parent = nullptr);

    // Shows the rounds at the positions `auswahl` of `saetze`, oldest first;
    // an empty name shows a hint instead.
    void zeige(const QString& name, const QList<kb::erg::Datensatz>& saetze, const QList<qsizetype>& auswahl);
    void leere(const QString& hinweis);

    // The lines drawn, one per level played.
    QList<QLineSeries*> reihen() const;
};

} // namespace kbb::fenster
