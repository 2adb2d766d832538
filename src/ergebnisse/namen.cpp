#include "ergebnisse/namen.h"

#include "ergebnisse/schreiber.h"
#include "toolkit/filenames.h"
#include "toolkit/folder.h"

#include <QFile>

namespace kb::erg {

namespace {

QByteArray kopf()
{
    return "# Kieselblick: Schreibweisen, die dasselbe Kind meinen. Je Zeile zwei Namen, "
           "durch einen Tabulator getrennt.\n";
}

} // namespace

QString namensSchluessel(const QString& name)
{
    // Case folding keeps "ß", whose capital is written "SS".
    return name.simplified().toCaseFolded().replace(QChar(0xDF), QLatin1String("ss"));
}

QString namensSchreibweise(const QString& name)
{
    return name.simplified();
}

Namen Namen::lies(const QString& ordner)
{
    Namen namen;
    const QString datei = QLatin1String(Zusammenfuehrungsdatei);
    const QString pfad = ordner + QLatin1Char('/') + datei;
    QFile f(pfad);
    if (!tk::isRegularFile(pfad) || tk::Folder::open(ordner).isLink(datei) || !f.open(QIODevice::ReadOnly))
        return namen;
    for (const QByteArray& zeile : f.readAll().split('\n')) {
        const QList<QByteArray> teile = zeile.split('\t');
        if (zeile.startsWith('#') || teile.size() != 2)
            continue;
        namen.verbinde(QString::fromUtf8(teile[0]), QString::fromUtf8(teile[1]));
    }
    return namen;
}

bool Namen::merke(const QString& ordner, const QString& name, const QString& gleich)
{
    const QByteArray zeile =
        namensSchreibweise(name).toUtf8() + '\t' + namensSchreibweise(gleich).toUtf8() + '\n';
    return tk::Folder::open(ordner).appendLine(QLatin1String(Zusammenfuehrungsdatei), kopf(), zeile,
                                               Dateirechte);
}

void Namen::verbinde(const QString& name, const QString& gleich)
{
    const QString kopfA = gruppe(namensSchluessel(name));
    const QString kopfB = gruppe(namensSchluessel(gleich));
    if (kopfA != kopfB)
        eltern_.insert(kopfB, kopfA);
}

QString Namen::gruppe(const QString& schluessel) const
{
    QString k = schluessel;
    for (auto it = eltern_.constFind(k); it != eltern_.constEnd(); it = eltern_.constFind(k))
        k = *it;
    return k;
}

} // namespace kb::erg
