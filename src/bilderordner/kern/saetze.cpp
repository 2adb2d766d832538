#include "bilderordner/kern/saetze.h"

#include "bilderordner/kern/ablage.h"
#include "bilderordner/kern/reparatur.h"
#include "regeln/wort.h"
#include "toolkit/controls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace kbb {

namespace {

QString a(const QString& name)
{
    return QStringLiteral("„%1“").arg(name);
}

// Reads one set file; a set without its "Name:" line is no set.
std::optional<Bildersatz> liesSatz(const QString& datei, const QString& bilder)
{
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    const QStringList zeilen = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    const QString kopf = QStringLiteral("Name:");
    if (zeilen.isEmpty() || !zeilen.first().startsWith(kopf))
        return std::nullopt;
    Bildersatz satz{zeilen.first().mid(kopf.size()).trimmed(), datei, {}};
    for (const QString& zeile : zeilen.mid(1)) {
        const QString name = zeile.trimmed();
        const QStringList namen =
            name == QLatin1String("*") ? tk::listedFileNames(bilder) : QStringList{name};
        for (const QString& n : namen) {
            const QString pfad = QDir(bilder).filePath(n);
            if (!n.isEmpty() && QFileInfo(pfad).isFile() && !satz.bilder.contains(pfad))
                satz.bilder.append(pfad);
        }
    }
    return satz;
}

QStringList sortiereAllesAus(const QString& ordner)
{
    QStringList zeilen;
    const QString ziel = QDir(ordner).filePath(QLatin1String(Aussortiert));
    for (const QString& name : tk::listedFileNames(ordner)) {
        const QString neu = ablage::verschiebe(ordner, name, ziel);
        zeilen.append(neu.isEmpty() ? QStringLiteral("Konnte %1 nicht verschieben.").arg(a(name))
                                    : QStringLiteral("%1 nach „%2/%3“ verschoben.")
                                          .arg(a(name), QLatin1String(Aussortiert), neu));
    }
    return zeilen;
}

bool kopiere(const QString& quelle, const QString& ordner, const QString& name)
{
    QFile f(quelle);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray inhalt = f.readAll();
    return ablage::schreibe(ordner, name,
                            [&](QIODevice& ziel) { return ziel.write(inhalt) == inhalt.size(); });
}

} // namespace

QString shareOrdner(const QString& programmOrdner)
{
    for (const char* weg : {"/../../share/kieselblick", "/share/kieselblick"}) {
        const QString ordner = QDir::cleanPath(programmOrdner + QLatin1String(weg));
        if (QFileInfo(ordner + QStringLiteral("/saetze")).isDir())
            return ordner;
    }
    return {};
}

QList<Bildersatz> saetze(const QString& shareOrdner)
{
    QList<Bildersatz> liste;
    const QDir dir(QDir(shareOrdner).filePath(QStringLiteral("saetze")));
    const QString bilder = QDir(shareOrdner).filePath(QStringLiteral("bilder"));
    for (const QString& datei : dir.entryList({QStringLiteral("*.txt")}, QDir::Files))
        if (const auto satz = liesSatz(dir.filePath(datei), bilder))
            liste.append(*satz);
    std::sort(liste.begin(), liste.end(),
              [](const Bildersatz& x, const Bildersatz& y) { return x.name.localeAwareCompare(y.name) < 0; });
    return liste;
}

QStringList fuelleAusSatz(const QString& ordner, const Bildersatz& satz, bool ersetzen)
{
    QStringList zeilen = ersetzen ? sortiereAllesAus(ordner) : QStringList();
    QSet<QString> woerter;
    for (const QString& name : tk::listedFileNames(ordner))
        woerter.insert(kb::Wort(name).toCaseFolded());
    int kopiert = 0;
    for (const QString& bild : satz.bilder) {
        const QString name = QFileInfo(bild).fileName();
        const QString wort = kb::Wort(name);
        if (woerter.contains(wort.toCaseFolded())) {
            zeilen.append(
                QStringLiteral("%1 nicht kopiert: das Wort %2 gibt es schon.").arg(a(name), a(wort)));
            continue;
        }
        const QString ziel = ablage::freierName(ordner, name);
        if (!kopiere(bild, ordner, ziel)) {
            zeilen.append(QStringLiteral("Konnte %1 nicht kopieren.").arg(a(name)));
            continue;
        }
        woerter.insert(wort.toCaseFolded());
        ++kopiert;
    }
    zeilen.append(QStringLiteral("%1 Bilder aus dem Satz %2 kopiert.").arg(kopiert).arg(a(satz.name)));
    return zeilen;
}

} // namespace kbb
