#include "bilderordner/kern/ordnerbericht.h"

#include "toolkit/visibletext.h"

#include "regeln/stufen.h"

#include <QDir>
#include <QMap>
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

// "Stufe 2 braucht 15" or "die Stufen 2, 4 und 5 brauchen 15".
QString braucht(const QStringList& stufen, int woerter)
{
    return stufen.size() == 1
               ? QStringLiteral("Stufe %1 braucht %2").arg(stufen.first()).arg(woerter)
               : QStringLiteral("die Stufen %1 brauchen %2").arg(aufzaehlung(stufen)).arg(woerter);
}

QString anzahlBilder(int n)
{
    return n == 0 ? QStringLiteral("keines") : n == 1 ? QStringLiteral("eines") : QString::number(n);
}

// Which levels can be played and, for the others, how many pictures with
// different words each needs, grouped by that number.
QString stufenSatz(const Ordnerbericht& b)
{
    QStringList ja;
    QMap<int, QStringList> nein; // words needed -> levels
    const auto stufen = kb::stufen();
    for (std::size_t i = 0; i < stufen.size(); ++i) {
        const QString nummer = QString::number(stufen[i].nummer);
        if (b.spielbar.value(qsizetype(i)))
            ja.append(nummer);
        else
            nein[stufen[i].woerter()].append(nummer);
    }
    if (nein.isEmpty())
        return QStringLiteral("Alle Stufen (1 bis %1) können gespielt werden.").arg(stufen.size());
    QStringList teile;
    for (auto it = nein.cbegin(); it != nein.cend(); ++it)
        teile.append(braucht(it.value(), it.key()) +
                     (teile.isEmpty() ? QStringLiteral(" Bilder mit verschiedenen Wörtern") : QString()));
    const QString grund = QStringLiteral("%1; der Ordner hat %2.")
                              .arg(teile.join(QStringLiteral(", ")), anzahlBilder(b.verschiedeneWoerter));
    if (ja.isEmpty())
        return QStringLiteral("Keine Stufe kann gespielt werden: ") + grund;
    if (ja.size() == 1)
        return QStringLiteral("Nur Stufe %1 kann gespielt werden: ").arg(ja.first()) + grund;
    return QStringLiteral("Nur die Stufen %1 können gespielt werden: ").arg(aufzaehlung(ja)) + grund;
}

QString dateienUndWoerter(qsizetype dateien, int woerter)
{
    const QString d = dateien == 1 ? QStringLiteral("1 Datei") : QStringLiteral("%1 Dateien").arg(dateien);
    const QString w = woerter == 0   ? QStringLiteral("kein Wort")
                      : woerter == 1 ? QStringLiteral("1 Wort")
                                     : QStringLiteral("%1 verschiedene Wörter").arg(woerter);
    return d + QStringLiteral(", ") + w;
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

Ampel Ordnerbericht::ampel() const
{
    if (!gefunden || stopptSpiel() || !spielbar.value(0))
        return Ampel::Rot;
    const bool hinweise =
        std::any_of(dateien.begin(), dateien.end(), [](const Datei& d) { return !d.meldungen.isEmpty(); });
    const bool alleStufen = std::all_of(spielbar.begin(), spielbar.end(), [](bool s) { return s; });
    return hinweise || !alleStufen ? Ampel::Gelb : Ampel::Gruen;
}

bool Ordnerbericht::inOrdnung() const
{
    return ampel() == Ampel::Gruen;
}

QStringList Ordnerbericht::befundZeilen() const
{
    QStringList zeilen;
    for (const Datei& d : dateien)
        for (const Meldung& m : d.meldungen)
            zeilen.append(tk::escapedForDisplay(d.name) + QStringLiteral(": ") + m.satz);
    return zeilen;
}

Zusammenfassung Ordnerbericht::zusammenfassung() const
{
    const QString name = tk::escapedForDisplay(QDir::toNativeSeparators(ordner));
    Zusammenfassung z;
    if (!gefunden) {
        z.ordner = QStringLiteral("Den Ordner „%1“ gibt es nicht.").arg(name);
        return z;
    }
    const qsizetype halten =
        std::count_if(dateien.begin(), dateien.end(), [](const Datei& d) { return d.stopptSpiel(); });
    z.ordner = dateien.isEmpty() ? QStringLiteral("Der Ordner „%1“ ist leer.").arg(name)
                                 : QStringLiteral("Ordner „%1“: %2.")
                                       .arg(name, dateienUndWoerter(dateien.size(), verschiedeneWoerter));
    z.stufen = stufenSatz(*this);
    if (halten > 0)
        z.anhalten = halten == 1
                         ? QStringLiteral("Eine Datei beendet das Spiel mit einem Fehler.")
                         : QStringLiteral("%1 Dateien beenden das Spiel mit einem Fehler.").arg(halten);
    z.schreibrecht = beschreibbar
                         ? QStringLiteral("Der Ordner darf geändert werden.")
                         : QStringLiteral("Der Ordner ist schreibgeschützt: er kann nur angesehen werden.");
    switch (ampel()) {
    case Ampel::Gruen:
        z.urteil = QStringLiteral("In Ordnung.");
        break;
    case Ampel::Gelb:
        z.urteil = QStringLiteral("Spielbar, aber nicht alles in Ordnung: das Kind sieht etwas, das nicht "
                                  "stimmt, oder nicht jede Stufe geht (siehe oben).");
        break;
    case Ampel::Rot:
        z.urteil = QStringLiteral("Nicht in Ordnung: das Spiel endet mit einem Fehler oder lässt sich nicht "
                                  "spielen.");
        break;
    }
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
