#include "bilderordner/kern/aenderung.h"

#include "bilderordner/kern/ablage.h"
#include "bilderordner/kern/hinzufuegen.h"
#include "bilderordner/kern/reparatur.h"
#include "bilderordner/kern/texte.h"
#include "regeln/wort.h"
#include "toolkit/controls.h"
#include "toolkit/visibletext.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>

using namespace Qt::StringLiterals;

namespace kbb {

namespace {

using texte::genannt;

QString pfadGenannt(const QString& pfad)
{
    return u"„"_s + tk::escapedForDisplay(pfad) + u"“"_s;
}

// A new file that the change made leaves the game's sight but stays.
QString legeNeueBeiseite(Ablage& ablage, const QString& pfad)
{
    const QString frei = pfad.contains(u'/') ? QString() : ablage.sortiereAus(pfad);
    if (frei.isEmpty())
        return u"Konnte %1 nicht nach „%2“ verschieben."_s.arg(pfadGenannt(pfad), QLatin1String(Aussortiert));
    return u"%1 nach „%2/%3“ verschoben: die Änderung hatte die Datei angelegt."_s.arg(
        pfadGenannt(pfad), QLatin1String(Aussortiert), tk::escapedForDisplay(frei));
}

QString schiebeZurueck(Ablage& ablage, const Schritt& s)
{
    if (!s.von.contains(u'/') && ablage.belegt(s.von))
        return u"Konnte %1 nicht zurücklegen: %2 gibt es schon."_s.arg(pfadGenannt(s.nach),
                                                                       pfadGenannt(s.von));
    if (!ablage.verschiebe(s.nach, s.von))
        return u"Konnte %1 nicht zurücklegen."_s.arg(pfadGenannt(s.nach));
    return u"%1 wieder als %2 zurückgelegt."_s.arg(pfadGenannt(s.nach), pfadGenannt(s.von));
}

// The files other than `ausser` whose word is this word, whatever the case.
QStringList mitWort(const QString& ordner, const QString& wort, const QString& ausser)
{
    QStringList namen;
    for (const QString& name : tk::listedFileNames(ordner))
        if (name != ausser && kb::Wort(name).compare(wort, Qt::CaseInsensitive) == 0)
            namen.append(name);
    return namen;
}

} // namespace

QStringList macheRueckgaengig(const QString& ordner, const Aenderung& aenderung)
{
    Ablage ablage(ordner);
    QStringList zeilen;
    for (auto s = aenderung.schritte.crbegin(); s != aenderung.schritte.crend(); ++s)
        zeilen.append(s->von.isEmpty() ? legeNeueBeiseite(ablage, s->nach) : schiebeZurueck(ablage, *s));
    return zeilen;
}

Einzelergebnis legeBeiseite(const QString& ordner, const QString& name)
{
    Ablage ablage(ordner);
    Einzelergebnis e;
    const QString frei = ablage.sortiereAus(name);
    e.ok = !frei.isEmpty();
    const QString fehler = ablage.neuerFehler();
    e.meldung = e.ok ? u"%1 beiseitegelegt: es liegt jetzt in „%2/%3“."_s.arg(
                           genannt(name), QLatin1String(Aussortiert), tk::escapedForDisplay(frei))
                : !fehler.isEmpty() ? fehler
                                    : u"Konnte %1 nicht beiseitelegen."_s.arg(genannt(name));
    e.aenderung = {u"Beiseitelegen"_s, ablage.schritte()};
    return e;
}

Einzelergebnis aendereWort(const QString& ordner, const QString& name, const QString& wort)
{
    Einzelergebnis e;
    e.meldung = wortFehler(wort);
    if (!e.meldung.isEmpty())
        return e;
    const QString neu = wort + name.mid(kb::Wort(name).size());
    if (const QStringList andere = mitWort(ordner, wort, name); !andere.isEmpty()) {
        e.meldung = u"Das Wort %1 gibt es schon: %2."_s.arg(genannt(wort), genannt(andere.first()));
        return e;
    }
    Ablage ablage(ordner);
    if (neu != name && ablage.belegt(neu)) {
        e.meldung = u"Im Ordner gibt es schon etwas namens %1."_s.arg(genannt(neu));
        return e;
    }
    e.ok = neu == name || ablage.benenneUm(QFile::encodeName(name), neu);
    e.meldung = e.ok ? u"%1 in %2 umbenannt."_s.arg(genannt(name), genannt(neu))
                     : u"Konnte %1 nicht umbenennen."_s.arg(genannt(name));
    e.aenderung = {u"Wort ändern"_s, ablage.schritte()};
    return e;
}

Einzelergebnis legeZurueck(const QString& ordner, const QString& abgelegt)
{
    Einzelergebnis e;
    const QString name = abgelegt.section(u'/', -1);
    Ablage ablage(ordner);
    if (ablage.belegt(name)) {
        e.meldung = u"%1 gibt es im Ordner schon: bitte zuerst dort das Wort ändern oder das Bild "
                    "beiseitelegen."_s.arg(genannt(name));
        return e;
    }
    e.ok = ablage.verschiebe(QLatin1String(Aussortiert) + u'/' + abgelegt, name);
    e.meldung = e.ok ? u"%1 zurückgelegt."_s.arg(genannt(name))
                     : u"Konnte %1 nicht zurücklegen."_s.arg(pfadGenannt(abgelegt));
    e.aenderung = {u"Zurücklegen"_s, ablage.schritte()};
    return e;
}

QStringList aussortierteDateien(const QString& ordner)
{
    const QDir ablage(QDir(ordner).filePath(QLatin1String(Aussortiert)));
    QStringList namen;
    for (QDirIterator it(ablage.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        namen.append(ablage.relativeFilePath(it.next()));
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setNumericMode(true);
    std::sort(namen.begin(), namen.end(), collator);
    return namen;
}

} // namespace kbb
