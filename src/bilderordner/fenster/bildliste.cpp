#include "bilderordner/fenster/bildliste.h"

#include "bilderordner/fenster/vorschaubilder.h"
#include "bilderordner/kern/rohnamen.h"
#include "regeln/wort.h"
#include "toolkit/controls.h"
#include "toolkit/visibletext.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QDir>
#include <algorithm>

namespace kbb::fenster {

namespace {

// Names in the order people read them: "Sonne2" before "Sonne10", "Äpfel"
// beside "Apfel". Sort keys are made once per name, so that sorting a large
// folder stays quick.
template <typename Liste, typename Vorrang> void sortiereNatuerlich(Liste& eintraege, Vorrang vorrang)
{
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<std::pair<QCollatorSortKey, qsizetype>> schluessel;
    schluessel.reserve(std::size_t(eintraege.size()));
    for (qsizetype i = 0; i < eintraege.size(); ++i)
        schluessel.emplace_back(collator.sortKey(eintraege[i].name), i);
    std::stable_sort(schluessel.begin(), schluessel.end(), [&](const auto& x, const auto& y) {
        const int vx = vorrang(eintraege[x.second]), vy = vorrang(eintraege[y.second]);
        return vx != vy ? vx > vy : x.first.compare(y.first) < 0;
    });
    Liste sortiert;
    sortiert.reserve(eintraege.size());
    for (const auto& [s, i] : schluessel)
        sortiert.append(std::move(eintraege[i]));
    eintraege = std::move(sortiert);
}

} // namespace

Bildliste::Bildliste(Vorschaubilder& vorschau, QObject* parent)
    : QAbstractListModel(parent), vorschau_(vorschau)
{
    connect(&vorschau_, &Vorschaubilder::bereit, this, &Bildliste::vorschauBereit);
}

void Bildliste::setzeListe(const QString& ordner)
{
    const QDir dir(ordner);
    QList<Eintrag> eintraege;
    for (const QString& name : tk::listedFileNames(ordner))
        eintraege.append({name, dir.filePath(name), kb::Wort(name), offen(), {}});
    for (const QByteArray& roh : namenOhneUtf8(ordner))
        eintraege.append({alsLatin1(roh), QString(), QString(), offen(), {}});
    sortiereNatuerlich(eintraege, [](const Eintrag&) { return 0; });
    ersetze(std::move(eintraege));
}

Bildliste::Eintraege Bildliste::ordne(const Ordnerbericht& bericht)
{
    const QDir dir(bericht.ordner);
    QList<Eintrag> eintraege;
    for (const Datei& d : bericht.dateien) {
        QStringList saetze;
        for (const Meldung& m : d.meldungen)
            saetze.append(m.satz);
        // A name that is no UTF-8 cannot be opened by its shown name.
        const QString pfad = d.hat(Befund::KeinUtf8) ? QString() : dir.filePath(d.name);
        eintraege.append({d.name, pfad, d.wort, urteil(d), saetze});
    }
    // Files that stop the game first, then those a teacher should look at, each
    // group by name as people sort.
    sortiereNatuerlich(eintraege, [](const Eintrag& e) { return int(e.urteil.schwere); });
    return eintraege;
}

void Bildliste::setzeBericht(Eintraege eintraege)
{
    ersetze(std::move(eintraege));
}

void Bildliste::ersetze(QList<Eintrag> eintraege)
{
    beginResetModel();
    eintraege_ = std::move(eintraege);
    zeileVonPfad_.clear();
    for (int i = 0; i < eintraege_.size(); ++i)
        if (!eintraege_[i].pfad.isEmpty())
            zeileVonPfad_.insert(eintraege_[i].pfad, i);
    endResetModel();
}

int Bildliste::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(eintraege_.size());
}

QVariant Bildliste::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= eintraege_.size())
        return {};
    const Eintrag& e = eintraege_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return tk::escapedForDisplay(e.wort);
    case Qt::DecorationRole:
        return e.pfad.isEmpty() ? QImage() : vorschau_.bild(e.pfad);
    case Qt::ToolTipRole:
        return (QStringList{tk::escapedForDisplay(e.name)} + e.saetze).join(QLatin1Char('\n'));
    case PfadRolle:
        return e.pfad;
    case NameRolle:
        return e.name;
    case UrteilRolle:
        return e.urteil.kurz;
    case FarbeRolle:
        return e.urteil.farbe;
    case SchwereRolle:
        return int(e.urteil.schwere);
    case SaetzeRolle:
        return e.saetze;
    case KeinBildRolle:
        return e.pfad.isEmpty() || vorschau_.keinBild(e.pfad);
    default:
        return {};
    }
}

int Bildliste::zeile(const QString& name) const
{
    for (int i = 0; i < eintraege_.size(); ++i)
        if (eintraege_[i].name == name)
            return i;
    return -1;
}

void Bildliste::vorschauBereit(const QString& pfad)
{
    const auto it = zeileVonPfad_.constFind(pfad);
    if (it == zeileVonPfad_.constEnd())
        return;
    const QModelIndex i = index(*it);
    Q_EMIT dataChanged(i, i, {Qt::DecorationRole, KeinBildRolle});
}

} // namespace kbb::fenster
