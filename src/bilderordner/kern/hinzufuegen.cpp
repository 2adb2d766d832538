#include "bilderordner/kern/hinzufuegen.h"

#include "bilderordner/kern/ablage.h"
#include "bilderordner/kern/bildbearbeitung.h"
#include "bilderordner/kern/reparatur.h"
#include "bilderordner/kern/texte.h"
#include "regeln/wort.h"
#include "toolkit/controls.h"
#include "toolkit/filenames.h"
#include "toolkit/visibletext.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace kbb {

namespace {

using texte::genannt;

// The files whose word is this word, whatever the case: two words that differ
// only in case look alike to a child.
QStringList mitWort(const QString& ordner, const QString& wort)
{
    QStringList namen;
    for (const QString& name : tk::listedFileNames(ordner))
        if (kb::Wort(name).compare(wort, Qt::CaseInsensitive) == 0)
            namen.append(name);
    return namen;
}

// Moves the files that give the word to "aussortiert"; on failure gives the
// sentence that says why.
QString sortiereAus(Ablage& ablage, const QStringList& namen)
{
    for (const QString& name : namen)
        if (ablage.sortiereAus(name).isEmpty()) {
            const QString fehler = ablage.neuerFehler();
            return !fehler.isEmpty() ? fehler
                                     : QStringLiteral("Konnte %1 nicht nach „%2“ verschieben.")
                                           .arg(genannt(name), QLatin1String(Aussortiert));
        }
    return {};
}

// Names that cameras, phones and screenshot tools give: a known beginning
// followed by digits, or nothing but digits and separators.
bool kameraName(const QString& name)
{
    static const QRegularExpression muster(
        QStringLiteral("^(?:(?:img|dsc[nf]?|pxl|mvimg|vid|dcim|p|screenshot|bildschirmfoto|"
                       "whatsapp image|signal|photo|foto|image|bild)[ _-]*(?:vom|from|am)?[ _-]*\\d"
                       "|[\\d_ .:-]+$)"),
        QRegularExpression::CaseInsensitiveOption);
    return muster.match(name).hasMatch();
}

} // namespace

QString keineBildquelle(const QString& quelle)
{
    const QString name = genannt(QFileInfo(quelle).fileName());
    if (!QFileInfo(quelle).exists())
        return QStringLiteral("%1 gibt es nicht mehr.").arg(name);
    if (!tk::isRegularFile(quelle))
        return QStringLiteral("%1 ist keine normale Datei, sondern etwa eine Pipe oder ein Gerät: daraus "
                              "kann Kieselblick kein Bild lesen.")
            .arg(name);
    return {};
}

QString wortVorschlag(const QString& dateiname)
{
    const QString wort = QFileInfo(dateiname).completeBaseName().trimmed();
    return kameraName(wort) ? QString() : wort;
}

QString wortFehler(const QString& wort)
{
    if (wort.trimmed().isEmpty())
        return QStringLiteral("Bitte ein Wort eingeben.");
    if (wort != wort.trimmed())
        return QStringLiteral("Das Wort darf nicht mit einem Leerzeichen beginnen oder enden.");
    if (wort.contains(QLatin1Char('/')))
        return QStringLiteral("Das Wort darf keinen Schrägstrich enthalten.");
    if (tk::hasInvisibleCharacters(wort))
        return QStringLiteral("Das Wort darf keine Zeilenumbrüche, Tabulatoren oder unsichtbaren Zeichen "
                              "enthalten: ein Kind kann sie nicht lesen.");
    if (wort.startsWith(QLatin1Char('.')))
        return QStringLiteral(
            "Das Wort darf nicht mit einem Punkt beginnen: das Spiel übersieht solche Dateien.");
    if (wort.endsWith(QLatin1Char('.')))
        return QStringLiteral("Das Wort darf nicht mit einem Punkt enden.");
    if (QFile::encodeName(wort).size() > 250)
        return QStringLiteral("Das Wort ist zu lang für einen Dateinamen.");
    return {};
}

Hinzugefuegt fuegeBildHinzu(const QString& ordner, const QString& quelle, const QString& wort, bool ersetzen)
{
    Hinzugefuegt h;
    h.meldung = keineBildquelle(quelle);
    if (h.meldung.isEmpty())
        h.meldung = wortFehler(wort);
    if (!h.meldung.isEmpty())
        return h;
    const GelesenesBild g = liesEingepasst(quelle);
    if (g.bild.isNull()) {
        h.meldung = QStringLiteral("%1 ist kein Bild, das Kieselblick lesen kann.")
                        .arg(genannt(QFileInfo(quelle).fileName()));
        return h;
    }
    const QStringList vorhanden = mitWort(ordner, wort);
    if (!vorhanden.isEmpty() && !ersetzen) {
        h.wortVorhanden = true;
        h.vorhanden = vorhanden.first();
        h.meldung = QStringLiteral("Das Wort %1 gibt es schon: %2.").arg(genannt(wort), genannt(h.vorhanden));
        return h;
    }
    Ablage ablage(ordner);
    h.meldung = sortiereAus(ablage, vorhanden);
    h.aenderung = {QStringLiteral("Bild hinzufügen"), ablage.schritte()};
    if (!h.meldung.isEmpty())
        return h;
    const bool foto = g.format == "jpeg";
    h.datei = wort + (foto ? QStringLiteral(".jpg") : QStringLiteral(".png"));
    // Something the game does not list (a folder, a hidden link) may have the
    // name; a number added to it would be read by the child as part of the word.
    if (ablage.belegt(h.datei)) {
        h.meldung = QStringLiteral("Im Ordner gibt es schon etwas namens %1: bitte ein anderes Wort wählen.")
                        .arg(genannt(h.datei));
        return h;
    }
    const QImage klein = eingepasst(g.bild);
    h.ok = speichereBild(ablage, h.datei, klein, foto ? "jpeg" : "png");
    h.aenderung = {QStringLiteral("Bild hinzufügen"), ablage.schritte()};
    h.meldung = h.ok ? QStringLiteral("%1 hinzugefügt (%2 × %3 Pixel).")
                           .arg(genannt(h.datei))
                           .arg(klein.width())
                           .arg(klein.height())
                     : QStringLiteral("Konnte %1 nicht speichern.").arg(genannt(h.datei));
    return h;
}

} // namespace kbb
