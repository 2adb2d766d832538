#include "bilderordner/kern/reparatur.h"

#include "bilderordner/kern/ablage.h"
#include "bilderordner/kern/bildbearbeitung.h"
#include "bilderordner/kern/pruefung.h"
#include "bilderordner/kern/rohnamen.h"
#include "bilderordner/kern/texte.h"
#include "toolkit/visibletext.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSet>

namespace kbb {

namespace {

using texte::genannt;

// One repair of one folder: the folder held open, and the report.
struct Reparatur {
    Ablage ablage;
    QStringList zeilen;
    QSet<QString> woerter; // the case-folded words the folder's pictures give

    void sage(const QString& zeile) { zeilen.append(zeile); }

    // Says why "aussortiert" cannot be used, the first time it matters.
    void sageAblageFehler(const QString& name)
    {
        const QString fehler = ablage.neuerFehler();
        if (!fehler.isEmpty())
            sage(fehler);
        else if (!ablage.ablageVerweigert())
            sage(QStringLiteral("Konnte %1 nicht nach „%2“ verschieben.")
                     .arg(genannt(name), QLatin1String(Aussortiert)));
    }

    // Moves a file into "aussortiert" and says why.
    void sortiereAus(const QByteArray& roh, const QString& name, const QString& grund)
    {
        const QString ziel = ablage.sortiereAus(roh, name);
        if (ziel.isEmpty())
            return sageAblageFehler(name);
        sage(QStringLiteral("%1 nach „%2/%3“ verschoben: %4.")
                 .arg(genannt(name), QLatin1String(Aussortiert), tk::escapedForDisplay(ziel), grund));
    }

    // Renames a file; a name that is taken is never made free with a number the
    // teacher did not write: a child would read it on the board. The file goes
    // to "aussortiert" instead.
    QString benenneUm(const QByteArray& roh, const QString& name, const QString& neu, const QString& grund)
    {
        if (ablage.belegt(neu)) {
            sortiereAus(roh, name, QStringLiteral("%1 gibt es schon").arg(genannt(neu)));
            return {};
        }
        if (!ablage.benenneUm(roh, neu)) {
            sage(QStringLiteral("Konnte %1 nicht umbenennen.").arg(genannt(name)));
            return name;
        }
        sage(QStringLiteral("%1 in %2 umbenannt: %3.").arg(genannt(name), genannt(neu), grund));
        return neu;
    }

    // A name from an old stick is read as Latin-1.
    void benenneAusLatin1(const QByteArray& roh)
    {
        const QString neu = alsLatin1(roh);
        const QString grund = QStringLiteral("der Name war kein gültiges UTF-8");
        if (ablage.belegt(neu))
            sortiereAus(roh, neu, grund + QStringLiteral(", und %1 gibt es schon").arg(genannt(neu)));
        else if (ablage.benenneUm(roh, neu))
            sage(QStringLiteral("Umbenannt in %1: %2.").arg(genannt(neu), grund));
        else
            sage(QStringLiteral("Konnte %1 nicht umbenennen.").arg(genannt(neu)));
    }

    void verkleinere(const QString& name);
};

// Qt writes JPEG, PNG, BMP and others but not GIF: such a picture becomes a PNG.
QString kleinerName(const QString& name, const QByteArray& format)
{
    if (QImageWriter::supportedImageFormats().contains(format))
        return name;
    return QFileInfo(name).completeBaseName() + QStringLiteral(".png");
}

void Reparatur::verkleinere(const QString& name)
{
    const GelesenesBild g = liesEingepasst(ablage.pfad(name));
    const QByteArray format = QImageWriter::supportedImageFormats().contains(g.format) ? g.format : "png";
    const QString neu = kleinerName(name, g.format);
    if (g.bild.isNull())
        return sage(QStringLiteral("Konnte %1 nicht verkleinern.").arg(genannt(name)));
    if (neu != name && ablage.belegt(neu)) {
        const QString abgelegt = ablage.sortiereAus(name, true);
        if (abgelegt.isEmpty())
            return sageAblageFehler(name);
        return sage(
            QStringLiteral("%1 nach „%2/original/%3“ verschoben: es war zu groß, und %4 gibt es schon.")
                .arg(genannt(name), QLatin1String(Aussortiert), tk::escapedForDisplay(abgelegt),
                     genannt(neu)));
    }
    const QImage klein = eingepasst(g.bild);
    const QString abgelegt = ablage.sortiereAus(name, true);
    if (abgelegt.isEmpty())
        return sageAblageFehler(name);
    if (!speichereBild(ablage, neu, klein, format)) {
        ablage.holeZurueck(abgelegt, name);
        return sage(QStringLiteral("Konnte %1 nicht verkleinern.").arg(genannt(name)));
    }
    sage(QStringLiteral("%1 auf %2 × %3 Pixel verkleinert%4; das Original liegt in „%5/original/%6“.")
             .arg(genannt(name))
             .arg(klein.width())
             .arg(klein.height())
             .arg(neu == name ? QString() : QStringLiteral(" und als %1 gespeichert").arg(genannt(neu)))
             .arg(QLatin1String(Aussortiert), tk::escapedForDisplay(abgelegt)));
}

// A name that gives a word with characters a child cannot read loses them.
QString lesbarerName(const QString& name)
{
    return tk::withoutInvisibleCharacters(name).trimmed();
}

void repariereDatei(Reparatur& r, const Datei& d)
{
    if (d.stopptSpiel())
        return r.sortiereAus(d.rohName, d.name,
                             QStringLiteral("die Datei beendete das Spiel mit einem Fehler"));
    if (d.hat(Befund::GleicherInhalt))
        return r.sortiereAus(d.rohName, d.name, QStringLiteral("eine Kopie eines anderen Bildes"));
    QString name = d.name;
    // "Kopie von Igel.png" alone becomes "Igel.png"; where "Igel" is taken, the teacher decides.
    const QString eigentlich = kopierterName(d.wort);
    if (d.hat(Befund::KopieName) && !r.woerter.contains(eigentlich.toCaseFolded())) {
        const QString neu = eigentlich + name.mid(d.wort.size());
        name = r.benenneUm(d.rohName, name, neu, QStringLiteral("der Name war der einer Kopie"));
        r.woerter.insert(eigentlich.toCaseFolded());
        if (name.isEmpty())
            return;
    }
    if (d.hat(Befund::UnsichtbareZeichen))
        name = r.benenneUm(d.rohName, name, lesbarerName(name),
                           QStringLiteral("das Wort enthielt Zeichen, die ein Kind nicht lesen kann"));
    if (!name.isEmpty() && d.hat(Befund::PunktAmEnde) && kurzeEndung(name) != name)
        name = r.benenneUm(QFile::encodeName(name), name, kurzeEndung(name),
                           QStringLiteral("die Endung hatte vier Buchstaben"));
    if (!name.isEmpty() && (d.hat(Befund::ZuGross) || d.hat(Befund::HaeltLangeAuf)))
        r.verkleinere(name);
}

} // namespace

QStringList repariere(const QString& ordner, Aenderung* aenderung)
{
    Reparatur r{Ablage(ordner), {}, {}};
    for (const QByteArray& roh : namenOhneUtf8(ordner))
        r.benenneAusLatin1(roh);
    const Ordnerbericht bericht = pruefeOrdner(ordner);
    for (const Datei& d : bericht.dateien)
        if (!d.stopptSpiel())
            r.woerter.insert(d.wort.toCaseFolded());
    for (const Datei& d : bericht.dateien)
        if (!d.hat(Befund::KeinUtf8))
            repariereDatei(r, d);
    if (r.zeilen.isEmpty())
        r.sage(QStringLiteral("Nichts zu reparieren."));
    if (aenderung)
        *aenderung = {QStringLiteral("Ordner reparieren"), r.ablage.schritte()};
    return r.zeilen;
}

} // namespace kbb
