#include "regeln/einstellungen.h"

#include "toolkit/services.h"

#include <QDir>
#include <optional>

namespace kb {

namespace {

const QHash<QString, QStringList>& bekannt()
{
    static const QHash<QString, QStringList> schluessel{
        {QStringLiteral("Bilder"), {QStringLiteral("Ordner")}},
        {QStringLiteral("Ergebnisse"),
         {QStringLiteral("Aufheben"), QStringLiteral("Ordner"), QStringLiteral("Tage")}},
        {QStringLiteral("Anzeige"), {QStringLiteral("Tafel"), QStringLiteral("Zeiger")}},
    };
    return schluessel;
}

QString jaNein(bool wert)
{
    return wert ? QStringLiteral("ja") : QStringLiteral("nein");
}

// A yes-or-no value; anything else keeps the default and is noted.
bool leseJaNein(tk::Configuration& c, const char* abschnitt, const char* name, bool standard)
{
    const QString a = QLatin1String(abschnitt), n = QLatin1String(name);
    if (!c.contains(a, n))
        return standard;
    const QString wert = c.value(a, n).toLower();
    if (wert == u"ja")
        return true;
    if (wert == u"nein")
        return false;
    c.addProblem(c.line(a, n), QStringLiteral("„%1=%2“: erlaubt sind „ja“ und „nein“; es gilt „%3“.")
                                   .arg(n, c.value(a, n), jaNein(standard)));
    return standard;
}

// A folder: absolute after its variables are filled in, else the default.
QString leseOrdner(tk::Configuration& c, const char* abschnitt, const char* name, const QString& standard)
{
    const QString a = QLatin1String(abschnitt), n = QLatin1String(name);
    const QString wert = c.value(a, n);
    if (wert.isEmpty())
        return standard;
    const QString pfad = tk::Configuration::expandPath(wert);
    if (QDir::isAbsolutePath(pfad))
        return QDir::cleanPath(pfad);
    c.addProblem(c.line(a, n),
                 QStringLiteral("„%1=%2“ ist kein vollständiger Pfad; es gilt „%3“.").arg(n, wert, standard));
    return standard;
}

int leseTage(tk::Configuration& c, int standard)
{
    const QString a = QStringLiteral("Ergebnisse"), n = QStringLiteral("Tage");
    if (!c.contains(a, n))
        return standard;
    bool ok = false;
    const int tage = c.value(a, n).toInt(&ok);
    if (ok && tage >= 1 && tage <= 3650)
        return tage;
    c.addProblem(c.line(a, n), QStringLiteral("„Tage=%1“: erlaubt ist eine Zahl von 1 bis 3650; es gilt %2.")
                                   .arg(c.value(a, n))
                                   .arg(standard));
    return standard;
}

} // namespace

Einstellungen leseEinstellungen(const QString& datei, const QString& programmOrdner)
{
    tk::Configuration c = tk::Configuration::read(datei, bekannt());
    Einstellungen e;
    e.datei = datei;
    e.gefunden = c.found();
    e.bilderordner = leseOrdner(c, "Bilder", "Ordner", programmOrdner + QStringLiteral("/bilder"));
    e.aufheben = leseJaNein(c, "Ergebnisse", "Aufheben", false);
    e.ergebnisordner = leseOrdner(c, "Ergebnisse", "Ordner", QLatin1String(StandardErgebnisordner));
    e.tage = leseTage(c, e.tage);
    e.tafel = leseJaNein(c, "Anzeige", "Tafel", false);
    e.zeiger = leseJaNein(c, "Anzeige", "Zeiger", true);
    e.probleme = c.problems();
    return e;
}

namespace {
std::optional<Einstellungen>& gelesen()
{
    static std::optional<Einstellungen> e;
    return e;
}
} // namespace

const Einstellungen& einstellungen()
{
    if (!gelesen())
        gelesen() = leseEinstellungen(tk::services().configurationFile(), tk::services().programFolder());
    return *gelesen();
}

void einstellungenNeuLesen()
{
    gelesen().reset();
}

} // namespace kb
