#include "bilderordner/fenster/kindertabelle.h"

#include "regeln/stufen.h"

#include <QBrush>
#include <QColor>
#include <QLocale>

namespace kbb::fenster {

namespace {

QString datum(const QDateTime& zeit)
{
    return zeit.date().toString(QStringLiteral("dd.MM.yyyy"));
}

QString rundenWort(int n)
{
    return n == 1 ? QStringLiteral("1 Runde") : QStringLiteral("%1 Runden").arg(zahl(n));
}

} // namespace

QString anzeigename(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("(ohne Namen)") : name;
}

QString zahl(qsizetype n)
{
    return QLocale(QLocale::German, QLocale::Germany).toString(n);
}

QString ergebnisse(qsizetype n)
{
    return n == 1 ? QStringLiteral("1 Ergebnis") : QStringLiteral("%1 Ergebnisse").arg(zahl(n));
}

QString wurde(qsizetype n)
{
    return n == 1 ? QStringLiteral("wurde") : QStringLiteral("wurden");
}

void Kindertabelle::setzeKinder(QList<kb::erg::Kind> kinder)
{
    beginResetModel();
    kinder_ = std::move(kinder);
    endResetModel();
}

int Kindertabelle::zeile(const QString& schluessel) const
{
    for (int i = 0; i < kinder_.size(); ++i)
        if (kinder_[i].schluessel == schluessel)
            return i;
    return -1;
}

int Kindertabelle::stufen() const
{
    return int(kb::stufen().size());
}

int Kindertabelle::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(kinder_.size());
}

int Kindertabelle::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : vorschlagSpalte() + 1;
}

QVariant Kindertabelle::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= kinder_.size())
        return {};
    const kb::erg::Kind& k = kinder_[index.row()];
    if (role == SchluesselRolle)
        return k.schluessel;
    const int spalte = index.column();
    if (spalte == Name) {
        if (role == Qt::DisplayRole)
            return anzeigename(k.name);
        if (role == Qt::ToolTipRole && k.schreibweisen.size() > 1)
            return QStringLiteral("Auch geschrieben: %1")
                .arg(k.schreibweisen.mid(1).join(QStringLiteral(", ")));
        return {};
    }
    if (spalte == Runden) {
        if (role == Qt::DisplayRole)
            return zahl(k.runden);
        return role == Qt::TextAlignmentRole ? QVariant(Qt::AlignCenter) : QVariant();
    }
    if (spalte == vorschlagSpalte())
        return vorschlagText(k, role);
    return stufenText(k, spalte - ErsteStufe + 1, role);
}

QVariant Kindertabelle::stufenText(const kb::erg::Kind& k, int stufe, int role) const
{
    const kb::erg::StufenStand& s = k.stufen[stufe - 1];
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignCenter);
    if (role == Qt::DisplayRole)
        return s.runden == 0 ? QStringLiteral("–")
                             : QStringLiteral("%1× · %2/%3 · %4/%5")
                                   .arg(zahl(s.runden))
                                   .arg(s.letzte)
                                   .arg(s.gezeigt)
                                   .arg(s.beste)
                                   .arg(s.besteVon);
    if (role == Qt::ToolTipRole && s.runden > 0)
        return QStringLiteral("Stufe %1: %2; zuletzt am %3 %4 von %5 Wörtern richtig, am besten %6 von %7.")
            .arg(stufe)
            .arg(rundenWort(s.runden), datum(s.letzteZeit))
            .arg(s.letzte)
            .arg(s.gezeigt)
            .arg(s.beste)
            .arg(s.besteVon);
    return {};
}

QVariant Kindertabelle::vorschlagText(const kb::erg::Kind& k, int role) const
{
    const int v = k.vorschlag;
    const int bisher = std::max(k.hoechste, 1);
    switch (role) {
    case Qt::DisplayRole:
        if (k.runden > 0 && v > bisher)
            return QStringLiteral("Stufe %1, höher").arg(v);
        if (k.runden > 0 && v < bisher)
            return QStringLiteral("Stufe %1, leichter").arg(v);
        return QStringLiteral("Stufe %1").arg(v);
    case Qt::ForegroundRole:
        if (v > bisher)
            return QBrush(QColor(0x1e, 0x70, 0x28));
        return v < bisher ? QBrush(QColor(0xa0, 0x50, 0x00)) : QVariant();
    case Qt::ToolTipRole:
        return kb::erg::vorschlagsRegel();
    default:
        return {};
    }
}

QVariant Kindertabelle::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::ToolTipRole && section == vorschlagSpalte())
        return kb::erg::vorschlagsRegel();
    if (role == Qt::ToolTipRole && section >= ErsteStufe && section < vorschlagSpalte())
        return QStringLiteral("Runden · zuletzt richtig · am besten richtig, jeweils von 4 oder 7 Wörtern");
    if (role != Qt::DisplayRole)
        return {};
    if (section == Name)
        return QStringLiteral("Name");
    if (section == Runden)
        return QStringLiteral("Runden");
    if (section == vorschlagSpalte())
        return QStringLiteral("Vorschlag");
    return QStringLiteral("Stufe %1").arg(section - ErsteStufe + 1);
}

} // namespace kbb::fenster
