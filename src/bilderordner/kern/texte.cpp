#include "bilderordner/kern/texte.h"

#include "toolkit/visibletext.h"

#include <QLocale>
#include <QStringList>

namespace kbb::texte {

QString genannt(const QString& name)
{
    return QStringLiteral("„%1“").arg(tk::escapedForDisplay(name));
}

namespace {

QString inAnfuehrung(const QString& text)
{
    return genannt(text);
}

QString abbruch()
{
    return QStringLiteral(" Zieht das Spiel sie, endet es mit „Laufzeitfehler 481“.");
}

} // namespace

QString keinBild()
{
    return QStringLiteral("Beendet das Spiel: die Datei ist kein Bild.") + abbruch();
}

QString beschaedigt()
{
    return QStringLiteral("Beendet das Spiel: das Bild ist beschädigt und lässt sich nicht lesen.") +
           abbruch();
}

QString unlesbar()
{
    return QStringLiteral("Beendet das Spiel: die Datei lässt sich nicht öffnen (keine Leserechte).") +
           abbruch();
}

QString keineDatei()
{
    return QStringLiteral(
               "Beendet das Spiel: das ist keine normale Datei, sondern etwa eine Pipe oder ein Gerät.") +
           abbruch();
}

QString zuGrossZumLesen()
{
    return QStringLiteral("Beendet das Spiel: das Bild ist so groß gespeichert, dass das Spiel es nicht "
                          "lesen kann.") +
           abbruch();
}

QString haeltLangeAuf(QSize bild, const tk::ShowCost& kosten)
{
    const double s = kosten.millis / 1000;
    const QString dauer = QLocale(QLocale::German).toString(s, 'f', s < 10 ? 1 : 0);
    QString satz = QStringLiteral("Hält das Spiel lange auf: das Bild hat %1 × %2 Pixel")
                       .arg(bild.width())
                       .arg(bild.height());
    switch (kosten.beyond) {
    case tk::ShowCost::Beyond::Coarser:
        satz +=
            QStringLiteral(" und ist mit Zeilensprung (interlaced) gespeichert. Es ganz zu lesen würde etwa "
                           "%1 Sekunden dauern; das Spiel zeigt darum nur eine grobe Fassung.")
                .arg(dauer);
        break;
    case tk::ShowCost::Beyond::UpperRows:
        satz += QStringLiteral(". Um seinen sichtbaren Teil ganz zu zeigen, bräuchte das Spiel etwa %1 "
                               "Sekunden; es zeigt darum nur die oberen Zeilen.")
                    .arg(dauer);
        break;
    case tk::ShowCost::Beyond::Waits:
        satz += (kosten.stepwise ? QStringLiteral(" und ist progressiv gespeichert") : QString()) +
                QStringLiteral(". Bis es zu sehen ist, vergehen etwa %1 Sekunden.").arg(dauer);
        break;
    }
    return satz + QStringLiteral(" „Ordner reparieren“ speichert es kleiner.");
}

QString unbekanntesFormat(const QString& format)
{
    return QStringLiteral("Beendet das Spiel: das Bildformat %1 kann das Spiel nicht lesen.")
               .arg(inAnfuehrung(format)) +
           abbruch();
}

QString zuGross(QSize bild, QSize sichtbar)
{
    return QStringLiteral("Zu groß (%1 × %2 Pixel): die Bildfläche zeigt höchstens %3 × %4 Pixel, unten "
                          "rechts liegt ihr Knopf; das Kind sieht nur den Teil oben links.")
        .arg(bild.width())
        .arg(bild.height())
        .arg(sichtbar.width())
        .arg(sichtbar.height());
}

QString sehrKlein(QSize bild)
{
    return QStringLiteral("Sehr klein (%1 × %2 Pixel, unter 100 Pixel breit und hoch): das Kind erkennt "
                          "darauf wenig.")
        .arg(bild.width())
        .arg(bild.height());
}

QString punktAmEnde(const QString& wort, const QString& besserName)
{
    return QStringLiteral("Das Wort endet mit einem Punkt (%1), weil die Endung vier Buchstaben hat; "
                          "besser heißt die Datei %2.")
        .arg(inAnfuehrung(wort), inAnfuehrung(besserName));
}

QString leeresWort()
{
    return QStringLiteral("Der Name gibt kein Wort (das Wort ist der Name ohne seine letzten vier Zeichen): "
                          "das Spiel nimmt die Datei nie.");
}

QString gleichesWort(const QStringList& andere)
{
    QStringList namen;
    for (const QString& a : andere)
        namen.append(inAnfuehrung(a));
    return QStringLiteral("Gleiches Wort wie %1: eine Runde nimmt nie beide, sondern zufällig eines dieser "
                          "Bilder, und zieht das Wort dadurch öfter als andere.")
        .arg(namen.join(QStringLiteral(", ")));
}

QString nurGrossKlein(const QString& anderes, const QString& andereDatei)
{
    return QStringLiteral("Das Wort unterscheidet sich von %1 (%2) nur in Groß- und Kleinschreibung: "
                          "beide können in derselben Auswahlbox stehen.")
        .arg(inAnfuehrung(anderes), inAnfuehrung(andereDatei));
}

QString wortZuLang(const QString& wort)
{
    return QStringLiteral("Das Wort %1 ist zu lang für einen Knopf der Auswahlbox: es wird abgeschnitten.")
        .arg(inAnfuehrung(wort));
}

QString keinUtf8(const QString& latin1)
{
    return QStringLiteral("Der Name ist kein gültiges UTF-8 (von einem alten Stick?): das Spiel lässt die "
                          "Datei aus. Reparieren benennt sie in %1 um.")
        .arg(inAnfuehrung(latin1));
}

QString gleicherInhalt(const QString& original)
{
    return QStringLiteral("Eine Kopie von %1 (gleicher Inhalt): das Kind sieht dasselbe Bild unter zwei "
                          "Wörtern. Reparieren legt die Kopie nach „aussortiert“.")
        .arg(inAnfuehrung(original));
}

QString kopieName(const QString& wort, const QString& eigentlich, bool frei)
{
    const QString rat =
        frei ? QStringLiteral("Reparieren benennt die Datei in %1 um.").arg(inAnfuehrung(eigentlich))
             : QStringLiteral("Bitte umbenennen oder aussortieren: %1 gibt es schon.")
                   .arg(inAnfuehrung(eigentlich));
    return QStringLiteral("Der Name sieht nach einer Kopie aus: das Kind liest %1 in der Auswahlbox. ")
               .arg(inAnfuehrung(wort)) +
           rat;
}

QString unsichtbareZeichen(const QString& wort)
{
    return QStringLiteral("Das Wort %1 enthält Zeichen, die ein Kind nicht lesen kann (Zeilenumbruch, "
                          "Tabulator, Steuerzeichen oder unsichtbare Zeichen). Reparieren entfernt sie.")
        .arg(inAnfuehrung(wort));
}

QString ablageVerweigert(const QString& name, tk::Folder::Refusal grund)
{
    QString was;
    switch (grund) {
    case tk::Folder::Refusal::Link:
        was = QStringLiteral("ist ein Verweis (Link) und kein echter Ordner im Bilderordner");
        break;
    case tk::Folder::Refusal::NoFolder:
        was = QStringLiteral("ist kein Ordner, sondern eine Datei");
        break;
    case tk::Folder::Refusal::OtherFileSystem:
        was = QStringLiteral("ist ein eingehängtes Laufwerk und liegt nicht im Bilderordner selbst");
        break;
    default:
        was = QStringLiteral("lässt sich nicht anlegen oder öffnen");
        break;
    }
    const QString satz =
        QStringLiteral("%1 %2: deshalb wurde nichts dorthin verschoben.").arg(inAnfuehrung(name), was);
    if (grund == tk::Folder::Refusal::Failed || grund == tk::Folder::Refusal::Missing)
        return satz;
    return satz +
           QStringLiteral(" Bitte %1 durch einen gewöhnlichen Ordner ersetzen.").arg(inAnfuehrung(name));
}

} // namespace kbb::texte
