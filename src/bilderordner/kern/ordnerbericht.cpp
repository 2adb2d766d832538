#include "bilderordner/kern/ordnerbericht.h"

#include "regeln/stufen.h"

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

QString stufenSatz(const Ordnerbericht& b)
{
    QStringList ja, nein;
    int fehlt = 0;
    const auto stufen = kb::stufen();
    for (std::size_t i = 0; i < stufen.size(); ++i) {
        const bool spielbar = b.spielbar.value(qsizetype(i));
        (spielbar ? ja : nein).append(QString::number(stufen[i].nummer));
        if (!spielbar)
            fehlt = std::max(fehlt, stufen[i].woerter());
    }
    if (nein.isEmpty())
        return QStringLiteral("Alle Stufen (1 bis %1) können gespielt werden.").arg(stufen.size());
    const QString braucht = QStringLiteral("Stufe %1 braucht %2 Bilder mit verschiedenen Wörtern.")
                                .arg(aufzaehlung(nein))
                                .arg(fehlt);
    if (ja.isEmpty())
        return QStringLiteral("Keine Stufe kann gespielt werden: ") + braucht;
    return QStringLiteral("Nur Stufe %1 kann gespielt werden: ").arg(aufzaehlung(ja)) + braucht;
}

} // namespace

bool stopptSpiel(Befund befund)
{
    return befund == Befund::KeinBild || befund == Befund::Beschaedigt || befund == Befund::Unlesbar ||
           befund == Befund::UnbekanntesFormat || befund == Befund::KeineDatei ||
           befund == Befund::ZuGrossZumLesen;
}

bool Datei::stopptSpiel() const
{
    return std::any_of(meldungen.begin(), meldungen.end(),
                       [](const Meldung& m) { return kbb::stopptSpiel(m.befund); });
}

bool Datei::hat(Befund befund) const
{
    return std::any_of(meldungen.begin(), meldungen.end(),
                       [befund](const Meldung& m) { return m.befund == befund; });
}

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

Zusammenfassung Ordnerbericht::zusammenfassung() const
{
    const QString name = QDir::toNativeSeparators(ordner);
    Zusammenfassung z;
    if (!gefunden) {
        z.ordner = QStringLiteral("Den Ordner „%1“ gibt es nicht.").arg(name);
        return z;
    }
    const qsizetype halten =
        std::count_if(dateien.begin(), dateien.end(), [](const Datei& d) { return d.stopptSpiel(); });
    z.ordner = QStringLiteral("Ordner „%1“: %2 Dateien, %3 Bilder mit verschiedenen Wörtern.")
                   .arg(name)
                   .arg(dateien.size())
                   .arg(verschiedeneWoerter);
    z.stufen = stufenSatz(*this);
    if (halten > 0)
        z.anhalten = halten == 1 ? QStringLiteral("Eine Datei hält das Spiel an.")
                                 : QStringLiteral("%1 Dateien halten das Spiel an.").arg(halten);
    z.schreibrecht = beschreibbar
                         ? QStringLiteral("Der Ordner darf geändert werden.")
                         : QStringLiteral("Der Ordner ist schreibgeschützt: er kann nur angesehen werden.");
    z.urteil = inOrdnung() ? QStringLiteral("In Ordnung.") : QStringLiteral("Nicht in Ordnung.");
    return z;
}

QStringList Zusammenfassung::zeilen() const
{
    QStringList z;
    for (const QString* satz : {&ordner, &stufen, &anhalten, &schreibrecht, &urteil})
        if (!satz->isEmpty())
            z.append(*satz);
    return z;
}

} // namespace kbb
