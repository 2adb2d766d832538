#include "bilderordner/kern/pruefung.h"

#include <QDir>
#include <algorithm>

namespace kbb {

namespace {

// "1", "1 und 3", "2, 4 und 5".
QString aufzaehlung(const QStringList& teile)
{
    if (teile.size() < 2)
        return teile.join(QString());
    return teile.mid(0, teile.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" und ") + teile.last();
}

QString stufenZeile(const Ordnerbericht& b)
{
    QStringList ja, nein;
    int fehlt = 0;
    for (int s = 1; s <= 5; ++s) {
        (b.spielbar[std::size_t(s - 1)] ? ja : nein).append(QString::number(s));
        if (!b.spielbar[std::size_t(s - 1)])
            fehlt = std::max(fehlt, benoetigteWoerter(s));
    }
    if (nein.isEmpty())
        return QStringLiteral("Alle Stufen (1 bis 5) können gespielt werden.");
    const QString braucht = QStringLiteral("Stufe %1 braucht %2 Bilder mit verschiedenen Wörtern.")
                                .arg(aufzaehlung(nein))
                                .arg(fehlt);
    if (ja.isEmpty())
        return QStringLiteral("Keine Stufe kann gespielt werden: ") + braucht;
    return QStringLiteral("Nur Stufe %1 kann gespielt werden: ").arg(aufzaehlung(ja)) + braucht;
}

} // namespace

bool Ordnerbericht::stopptSpiel() const
{
    return std::any_of(dateien.begin(), dateien.end(), [](const Datei& d) { return d.stopptSpiel(); });
}

bool Ordnerbericht::inOrdnung() const
{
    return gefunden && !stopptSpiel() &&
           std::all_of(spielbar.begin(), spielbar.end(), [](bool s) { return s; });
}

QStringList Ordnerbericht::befundZeilen() const
{
    QStringList zeilen;
    for (const Datei& d : dateien)
        for (const Meldung& m : d.meldungen)
            zeilen.append(d.name + QStringLiteral(": ") + m.satz);
    return zeilen;
}

QStringList Ordnerbericht::zusammenfassung() const
{
    if (!gefunden)
        return {QStringLiteral("Den Ordner „%1“ gibt es nicht.").arg(QDir::toNativeSeparators(ordner))};
    const qsizetype halten =
        std::count_if(dateien.begin(), dateien.end(), [](const Datei& d) { return d.stopptSpiel(); });
    QStringList zeilen{QStringLiteral("Ordner „%1“: %2 Dateien, %3 Bilder mit verschiedenen Wörtern.")
                           .arg(QDir::toNativeSeparators(ordner))
                           .arg(dateien.size())
                           .arg(verschiedeneWoerter),
                       stufenZeile(*this)};
    if (halten > 0)
        zeilen.append(halten == 1 ? QStringLiteral("Eine Datei hält das Spiel an.")
                                  : QStringLiteral("%1 Dateien halten das Spiel an.").arg(halten));
    zeilen.append(beschreibbar
                      ? QStringLiteral("Der Ordner darf geändert werden.")
                      : QStringLiteral("Der Ordner ist schreibgeschützt: er kann nur angesehen werden."));
    zeilen.append(inOrdnung() ? QStringLiteral("In Ordnung.") : QStringLiteral("Nicht in Ordnung."));
    return zeilen;
}

} // namespace kbb
