#include "bilderordner/kern/saetze.h"

#include "bilderordner/kern/ablage.h"
#include "bilderordner/kern/reparatur.h"
#include "bilderordner/kern/texte.h"
#include "regeln/wort.h"
#include "toolkit/controls.h"
#include "toolkit/filenames.h"
#include "toolkit/folder.h"
#include "toolkit/visibletext.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>
#include <algorithm>

namespace kbb {

namespace {

using texte::genannt;

// A line of a set names a picture of the set's own folder by its plain name:
// never a path, never a hidden file, never through a link. What a set file
// says must not make the companion copy any other file into a picture folder.
bool gewoehnlicherName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.startsWith(QLatin1Char('.')) && !tk::hasInvisibleCharacters(name);
}

// Reads one set file; a set without its "Name:" line is no set.
std::optional<Bildersatz> liesSatz(const QString& datei, const QString& bilder)
{
    QFile f(datei);
    if (!tk::isRegularFile(datei) || !f.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    const QStringList zeilen = QString::fromUtf8(f.read(1 << 20)).split(QLatin1Char('\n'));
    const QString kopf = QStringLiteral("Name:");
    if (zeilen.isEmpty() || !zeilen.first().startsWith(kopf))
        return std::nullopt;
    Bildersatz satz{zeilen.first().mid(kopf.size()).trimmed(), datei, {}};
    const tk::Folder ordner = tk::Folder::open(bilder);
    const QStringList vorhanden = tk::listedFileNames(bilder);
    for (const QString& zeile : zeilen.mid(1)) {
        const QString name = zeile.trimmed();
        const QStringList namen = name == QLatin1String("*") ? vorhanden : QStringList{name};
        for (const QString& n : namen) {
            const QString pfad = QDir(bilder).filePath(n);
            if (gewoehnlicherName(n) && vorhanden.contains(n) && !ordner.isLink(n) &&
                !satz.bilder.contains(pfad) && QImageReader(pfad).canRead())
                satz.bilder.append(pfad);
        }
    }
    return satz;
}

// A copy is made only of a picture the game can read: whatever else a set's
// folder holds stays where it is.
bool kopiere(const QString& quelle, const Ablage& ablage, const QString& name)
{
    QFile f(quelle);
    if (!tk::isRegularFile(quelle) || !f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray inhalt = f.readAll();
    QBuffer puffer;
    puffer.setData(inhalt);
    if (!QImageReader(&puffer).canRead())
        return false;
    return ablage.schreibe(name, [&](QIODevice& ziel) { return ziel.write(inhalt) == inhalt.size(); });
}

// Moves every file the game lists to "aussortiert"; false when the folder
// "aussortiert" cannot be used, and then nothing has moved.
bool sortiereAllesAus(Ablage& ablage, const QString& ordner, QStringList& zeilen)
{
    for (const QString& name : tk::listedFileNames(ordner)) {
        const QString neu = ablage.sortiereAus(name);
        if (neu.isEmpty() && ablage.ablageVerweigert()) {
            zeilen.append(ablage.neuerFehler());
            return false;
        }
        zeilen.append(neu.isEmpty()
                          ? QStringLiteral("Konnte %1 nicht verschieben.").arg(genannt(name))
                          : QStringLiteral("%1 nach „%2/%3“ verschoben.")
                                .arg(genannt(name), QLatin1String(Aussortiert), tk::escapedForDisplay(neu)));
    }
    return true;
}

} // namespace

QStringList datenOrdner()
{
    QStringList ordner{QStringLiteral(KBB_DATENORDNER)};
#ifdef KBB_QUELLORDNER
    ordner.append(QStringLiteral(KBB_QUELLORDNER));
#endif
    return ordner;
}

QString shareOrdner()
{
    for (const QString& ordner : datenOrdner())
        if (QFileInfo(ordner + QStringLiteral("/saetze")).isDir() && tk::changeableOnlyByOwner(ordner) &&
            tk::changeableOnlyByOwner(ordner + QStringLiteral("/saetze")))
            return ordner;
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
    if (satz.bilder.isEmpty())
        return {QStringLiteral("Der Satz %1 enthält keine Bilder: der Ordner bleibt, wie er ist.")
                    .arg(genannt(satz.name))};
    Ablage ablage(ordner);
    QStringList zeilen;
    if (ersetzen && !sortiereAllesAus(ablage, ordner, zeilen))
        return zeilen;
    QSet<QString> woerter;
    for (const QString& name : tk::listedFileNames(ordner))
        woerter.insert(kb::Wort(name).toCaseFolded());
    int kopiert = 0;
    for (const QString& bild : satz.bilder) {
        const QString name = QFileInfo(bild).fileName();
        const QString wort = kb::Wort(name);
        if (woerter.contains(wort.toCaseFolded())) {
            zeilen.append(QStringLiteral("%1 nicht kopiert: das Wort %2 gibt es schon.")
                              .arg(genannt(name), genannt(wort)));
            continue;
        }
        if (ablage.belegt(name) || !kopiere(bild, ablage, name)) {
            zeilen.append(QStringLiteral("Konnte %1 nicht kopieren.").arg(genannt(name)));
            continue;
        }
        woerter.insert(wort.toCaseFolded());
        ++kopiert;
    }
    zeilen.prepend(
        QStringLiteral("%1 aus dem Satz %2 kopiert.")
            .arg(kopiert == 1 ? QStringLiteral("Ein Bild") : QStringLiteral("%1 Bilder").arg(kopiert),
                 genannt(satz.name)));
    return zeilen;
}

} // namespace kbb
