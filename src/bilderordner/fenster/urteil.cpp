#include "bilderordner/fenster/urteil.h"

namespace kbb::fenster {

namespace {

const QColor Rot(0xB0, 0x10, 0x10);
const QColor Orange(0xA0, 0x55, 0x00);
const QColor Gruen(0x1E, 0x70, 0x28);

QString kurzWort(Befund b)
{
    switch (b) {
    case Befund::KeinBild:
        return QStringLiteral("Beendet das Spiel: kein Bild");
    case Befund::Beschaedigt:
        return QStringLiteral("Beendet das Spiel: beschädigt");
    case Befund::Unlesbar:
        return QStringLiteral("Beendet das Spiel: nicht lesbar");
    case Befund::UnbekanntesFormat:
        return QStringLiteral("Beendet das Spiel: fremdes Format");
    case Befund::KeineDatei:
        return QStringLiteral("Beendet das Spiel: keine normale Datei");
    case Befund::ZuGrossZumLesen:
        return QStringLiteral("Beendet das Spiel: zu groß zum Lesen");
    case Befund::HaeltLangeAuf:
        return QStringLiteral("Hält das Spiel lange auf");
    case Befund::ZuGross:
        return QStringLiteral("Größer als die Bildfläche");
    case Befund::SehrKlein:
        return QStringLiteral("Sehr klein");
    case Befund::PunktAmEnde:
        return QStringLiteral("Wort endet mit Punkt");
    case Befund::LeeresWort:
        return QStringLiteral("Kein Wort: wird nie gezeigt");
    case Befund::GleichesWort:
        return QStringLiteral("Wort doppelt");
    case Befund::NurGrossKlein:
        return QStringLiteral("Wort fast doppelt (groß/klein)");
    case Befund::WortZuLang:
        return QStringLiteral("Wort zu lang für den Knopf");
    case Befund::UnsichtbareZeichen:
        return QStringLiteral("Wort mit unsichtbaren Zeichen");
    case Befund::GleicherInhalt:
        return QStringLiteral("Kopie eines anderen Bildes");
    case Befund::KopieName:
        return QStringLiteral("Name einer Kopie");
    case Befund::KeinUtf8:
        return QStringLiteral("Name unlesbar: wird ausgelassen");
    }
    return {};
}

} // namespace

Urteil urteil(const Datei& datei)
{
    if (datei.meldungen.isEmpty())
        return {Schwere::Gut, QStringLiteral("In Ordnung"), Gruen};
    // A finding that stops the game outweighs everything else about the file.
    for (const Meldung& m : datei.meldungen)
        if (stopptSpiel(m.befund))
            return {Schwere::HaeltAn, kurzWort(m.befund), Rot};
    const Befund erster = datei.meldungen.first().befund;
    QString text = kurzWort(erster);
    if (datei.meldungen.size() > 1)
        text += QStringLiteral(" (+%1)").arg(datei.meldungen.size() - 1);
    return {Schwere::Hinweis, text, Orange};
}

Urteil offen()
{
    return {Schwere::Offen, QStringLiteral("wird geprüft …"), QColor(0x70, 0x70, 0x70)};
}

} // namespace kbb::fenster
