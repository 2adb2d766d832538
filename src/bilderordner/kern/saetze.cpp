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
#include <QDate>
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

QByteArray inhaltVon(const QString& pfad)
{
    QFile f(pfad);
    return tk::isRegularFile(pfad) && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Whether the folder's file is the set's own picture of that name, byte for
// byte: it stays where it is, so that replacing by the same set again makes no
// second copy of it.
bool ausDemSatz(const Ablage& ablage, const QString& name, const Bildersatz& satz)
{
    for (const QString& bild : satz.bilder)
        if (QFileInfo(bild).fileName() == name)
            return inhaltVon(bild) == inhaltVon(ablage.pfad(name));
    return false;
}

// The folder below "aussortiert" that takes the teacher's pictures when a set
// replaces them, dated, so that they are not buried among earlier ones.
QString datierterOrdner(const Bildersatz& satz)
{
    QString name = QStringLiteral("%1 vor Satz %2")
                       .arg(QDate::currentDate().toString(Qt::ISODate),
                            tk::withoutInvisibleCharacters(satz.name).trimmed());
    return name.replace(QLatin1Char('/'), QLatin1Char('-'));
}

// Moves every file the game lists, but the set's own pictures, into a dated
// folder below "aussortiert"; false when it cannot be used, and then nothing
// has moved.
bool sortiereAllesAus(Ablage& ablage, const QString& ordner, const Bildersatz& satz, QStringList& zeilen)
{
    const QString unter = datierterOrdner(satz);
    int verschoben = 0;
    for (const QString& name : tk::listedFileNames(ordner)) {
        if (ausDemSatz(ablage, name, satz))
            continue;
        const QString neu = ablage.sortiereAusNach(name, unter);
        if (neu.isEmpty() && ablage.ablageVerweigert()) {
            zeilen.append(ablage.neuerFehler());
            return false;
        }
        verschoben += neu.isEmpty() ? 0 : 1;
        if (neu.isEmpty())
            zeilen.append(QStringLiteral("Konnte %1 nicht verschieben.").arg(genannt(name)));
    }
    const QString wo =
        QStringLiteral("„%1/%2“").arg(QLatin1String(Aussortiert), tk::escapedForDisplay(unter));
    if (verschoben == 1)
        zeilen.prepend(QStringLiteral("Das bisherige Bild liegt jetzt in %1.").arg(wo));
    else if (verschoben > 1)
        zeilen.prepend(
            QStringLiteral("Die %1 bisherigen Bilder liegen jetzt in %2.").arg(verschoben).arg(wo));
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

QStringList fuelleAusSatz(const QString& ordner, const Bildersatz& satz, bool ersetzen, Aenderung* aenderung)
{
    if (satz.bilder.isEmpty())
        return {QStringLiteral("Der Satz %1 enthält keine Bilder: der Ordner bleibt, wie er ist.")
                    .arg(genannt(satz.name))};
    Ablage ablage(ordner);
    QStringList zeilen;
    const auto merke = qScopeGuard([&] {
        if (aenderung)
            *aenderung = {QStringLiteral("Bildersatz „%1“").arg(satz.name), ablage.schritte()};
    });
    if (ersetzen && !sortiereAllesAus(ablage, ordner, satz, zeilen))
        return zeilen;
    QSet<QString> woerter;
    for (const QString& name : tk::listedFileNames(ordner))
        woerter.insert(kb::Wort(name).toCaseFolded());
    int kopiert = 0;
    for (const QString& bild : satz.bilder) {
        const QString name = QFileInfo(bild).fileName();
        const QString wort = kb::Wort(name);
        if (ersetzen && ausDemSatz(ablage, name, satz)) {
            zeilen.append(QStringLiteral("%1 liegt schon im Ordner.").arg(genannt(name)));
            continue;
        }
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
    zeilen.prepend(QStringLiteral("%1 aus dem Satz %2 kopiert.")
                       .arg(kopiert == 0   ? QStringLiteral("Kein Bild")
                            : kopiert == 1 ? QStringLiteral("Ein Bild")
                                           : QStringLiteral("%1 Bilder").arg(kopiert),
                            genannt(satz.name)));
    return zeilen;
}

} // namespace kbb
