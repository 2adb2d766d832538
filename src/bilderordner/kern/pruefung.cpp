#include "bilderordner/kern/pruefung.h"

#include "bilderordner/kern/rohnamen.h"
#include "bilderordner/kern/texte.h"
#include "bilderordner/kern/wortbreite.h"
#include "regeln/bildflaeche.h"
#include "regeln/wort.h"
#include "toolkit/controls.h"
#include "toolkit/filenames.h"
#include "toolkit/picture.h"
#include "toolkit/runtimeerror.h"
#include "toolkit/visibletext.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace kbb {

namespace {

// The finding for each reason the picture loader gives for error 481. A file
// that vanished after it was listed (error 53) cannot be opened either.
Befund stoppBefund(tk::Reason grund)
{
    switch (grund) {
    case tk::Reason::NoPicture:
        return Befund::KeinBild;
    case tk::Reason::Damaged:
        return Befund::Beschaedigt;
    case tk::Reason::UnknownFormat:
        return Befund::UnbekanntesFormat;
    case tk::Reason::SpecialFile:
        return Befund::KeineDatei;
    case tk::Reason::TooLarge:
        return Befund::ZuGrossZumLesen;
    case tk::Reason::Unreadable:
    case tk::Reason::None:
        break;
    }
    return Befund::Unlesbar;
}

// Loads the picture as the presentation screen does, and decodes what it would
// show, for no longer than the screen would. Gives the reason the game would
// stop, if it would, and what showing it costs. The pixels are decoded as an
// image, not as the screen's pixmap, so that the window can judge a folder in a
// worker thread.
std::optional<Befund> ladeWieDasSpiel(const QString& pfad, QSize& groesse, tk::ShowCost& kosten)
{
    try {
        const tk::Picture bild = tk::Picture::load(pfad);
        bild.decodeImage(kb::bildflaeche().dekodiert);
        groesse = bild.size();
        kosten = bild.showCost(kb::bildflaeche().dekodiert);
        return std::nullopt;
    } catch (const tk::RuntimeError& fehler) {
        return stoppBefund(fehler.reason());
    }
}

QString stopptSatz(Befund b, const QString& pfad)
{
    switch (b) {
    case Befund::Unlesbar:
        return texte::unlesbar();
    case Befund::Beschaedigt:
        return texte::beschaedigt();
    case Befund::UnbekanntesFormat:
        return texte::unbekanntesFormat(tk::foreignPictureFormat(pfad));
    case Befund::KeineDatei:
        return texte::keineDatei();
    case Befund::ZuGrossZumLesen:
        return texte::zuGrossZumLesen();
    default:
        return texte::keinBild();
    }
}

void pruefeGroesse(Datei& d)
{
    if (d.groesse.isEmpty())
        return;
    const kb::Bildflaeche& f = kb::bildflaeche();
    if (!f.zeigtGanz(d.groesse))
        d.meldungen.append({Befund::ZuGross, texte::zuGross(d.groesse, f.sichtbar)});
    else if (d.groesse.width() < 100 && d.groesse.height() < 100)
        d.meldungen.append({Befund::SehrKlein, texte::sehrKlein(d.groesse)});
}

void pruefeWort(Datei& d)
{
    if (d.wort.endsWith(QLatin1Char('.')))
        d.meldungen.append({Befund::PunktAmEnde, texte::punktAmEnde(d.wort, kurzeEndung(d.name))});
    if (tk::hasInvisibleCharacters(d.wort))
        d.meldungen.append({Befund::UnsichtbareZeichen, texte::unsichtbareZeichen(d.wort)});
    if (passtAufKnopf(d.wort) == false)
        d.meldungen.append({Befund::WortZuLang, texte::wortZuLang(d.wort)});
}

Datei beurteile(const QString& ordner, const QString& name)
{
    Datei d{name, QFile::encodeName(name), kb::Wort(name), {}, {}};
    // The draw turns away a file without a word before it loads it.
    if (d.wort.isEmpty()) {
        d.meldungen.append({Befund::LeeresWort, texte::leeresWort()});
        return d;
    }
    tk::ShowCost kosten;
    if (const auto stopp = ladeWieDasSpiel(ordner + QLatin1Char('/') + name, d.groesse, kosten)) {
        d.meldungen.append({*stopp, stopptSatz(*stopp, ordner + QLatin1Char('/') + name)});
        return d;
    }
    // Judged by the header, not by the clock: the same on a fast and a slow machine.
    if (kosten.millis > tk::ShowDeadlineMillis)
        d.meldungen.append({Befund::HaeltLangeAuf, texte::haeltLangeAuf(d.groesse, kosten)});
    pruefeGroesse(d);
    pruefeWort(d);
    return d;
}

// Same words and words that differ only in case, among the files the game can
// show. Files are grouped by their case-folded word, so a large folder costs
// one pass.
void vergleicheWoerter(QList<Datei>& dateien)
{
    QHash<QString, QList<qsizetype>> gruppen;
    for (qsizetype i = 0; i < dateien.size(); ++i)
        if (!dateien[i].wort.isEmpty() && !dateien[i].stopptSpiel())
            gruppen[dateien[i].wort.toCaseFolded()].append(i);
    for (const QList<qsizetype>& gruppe : std::as_const(gruppen)) {
        for (qsizetype i : gruppe) {
            Datei& d = dateien[i];
            QStringList gleiche;
            for (qsizetype j : gruppe) {
                const Datei& e = dateien[j];
                if (i == j)
                    continue;
                if (e.wort == d.wort)
                    gleiche.append(e.name);
                else
                    d.meldungen.append({Befund::NurGrossKlein, texte::nurGrossKlein(e.wort, e.name)});
            }
            if (!gleiche.isEmpty())
                d.meldungen.append({Befund::GleichesWort, texte::gleichesWort(gleiche)});
        }
    }
}

void pruefeKopienamen(QList<Datei>& dateien)
{
    QSet<QString> woerter;
    for (const Datei& d : std::as_const(dateien))
        if (!d.stopptSpiel())
            woerter.insert(d.wort.toCaseFolded());
    for (Datei& d : dateien) {
        const QString eigentlich = kopierterName(d.wort);
        if (!eigentlich.isEmpty() && !d.stopptSpiel())
            d.meldungen.append(
                {Befund::KopieName,
                 texte::kopieName(d.wort, eigentlich, !woerter.contains(eigentlich.toCaseFolded()))});
    }
}

QByteArray inhaltsschluessel(const QString& pfad)
{
    QFile f(pfad);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!tk::isRegularFile(pfad) || !f.open(QIODevice::ReadOnly) || !hash.addData(&f))
        return {};
    return hash.result();
}

// Files with the same bytes. Only files of equal size are read, so a folder
// without copies costs one look at each file's size.
void vergleicheInhalte(QList<Datei>& dateien, const QString& ordner)
{
    QHash<qint64, QList<qsizetype>> nachGroesse;
    for (qsizetype i = 0; i < dateien.size(); ++i)
        if (!dateien[i].stopptSpiel() && !dateien[i].wort.isEmpty())
            nachGroesse[QFileInfo(ordner + QLatin1Char('/') + dateien[i].name).size()].append(i);
    for (const QList<qsizetype>& gruppe : std::as_const(nachGroesse)) {
        if (gruppe.size() < 2)
            continue;
        QHash<QByteArray, QList<qsizetype>> nachInhalt;
        for (qsizetype i : gruppe)
            if (const QByteArray k = inhaltsschluessel(ordner + QLatin1Char('/') + dateien[i].name);
                !k.isEmpty())
                nachInhalt[k].append(i);
        for (const QList<qsizetype>& gleiche : std::as_const(nachInhalt)) {
            // The original is the first whose name the repair keeps as it is:
            // no copy's name, and no character a child cannot read. Otherwise a
            // repair would put both aside: the one for its content, the other
            // because its readable name is still taken.
            const auto umbenannt = [&](qsizetype i) {
                return 2 * dateien[i].hat(Befund::KopieName) + dateien[i].hat(Befund::UnsichtbareZeichen);
            };
            const qsizetype o =
                *std::min_element(gleiche.begin(), gleiche.end(),
                                  [&](qsizetype a, qsizetype b) { return umbenannt(a) < umbenannt(b); });
            for (qsizetype i : gleiche)
                if (i != o)
                    dateien[i].meldungen.append(
                        {Befund::GleicherInhalt, texte::gleicherInhalt(dateien[o].name)});
        }
    }
}

} // namespace

QString kurzeEndung(const QString& name)
{
    const QString endung = QFileInfo(name).suffix();
    if (endung.size() != 4)
        return name;
    static const QHash<QString, QString> kurz = {{QStringLiteral("jpeg"), QStringLiteral("jpg")},
                                                 {QStringLiteral("jfif"), QStringLiteral("jpg")},
                                                 {QStringLiteral("tiff"), QStringLiteral("tif")}};
    const QString neu = kurz.value(endung.toLower(), endung.left(3));
    return name.left(name.size() - 4) + (endung.at(0).isUpper() ? neu.toUpper() : neu);
}

QString kopierterName(const QString& wort)
{
    static const QRegularExpression muster[] = {
        QRegularExpression(QStringLiteral("^(?:Kopie(?: \\(\\d+\\))? von|Copy(?: \\(\\d+\\))? of) (.+)$"),
                           QRegularExpression::CaseInsensitiveOption),
        QRegularExpression(
            QStringLiteral("^(.+?)(?: - Kopie| - Copy| Kopie| copy| \\(Kopie\\))(?: \\(\\d+\\))?$"),
            QRegularExpression::CaseInsensitiveOption),
        QRegularExpression(QStringLiteral("^(.+?) ?\\(\\d+\\)$")),
    };
    for (const QRegularExpression& m : muster)
        if (const QRegularExpressionMatch treffer = m.match(wort); treffer.hasMatch())
            return treffer.captured(1).trimmed();
    return {};
}

Ordnerbericht pruefeOrdner(const QString& ordner)
{
    Ordnerbericht b;
    const QFileInfo info(ordner);
    b.ordner = info.absoluteFilePath();
    b.gefunden = info.isDir();
    if (!b.gefunden)
        return b;
    b.beschreibbar = info.isWritable();
    for (const QString& name : tk::listedFileNames(b.ordner))
        b.dateien.append(beurteile(b.ordner, name));
    vergleicheWoerter(b.dateien);
    pruefeKopienamen(b.dateien);
    vergleicheInhalte(b.dateien, b.ordner);
    std::stable_partition(b.dateien.begin(), b.dateien.end(), [](const Datei& d) { return d.stopptSpiel(); });
    for (const QByteArray& roh : namenOhneUtf8(b.ordner))
        b.dateien.append(
            {alsLatin1(roh), roh, {}, {}, {{Befund::KeinUtf8, texte::keinUtf8(alsLatin1(roh))}}});
    QSet<QString> woerter;
    for (const Datei& d : b.dateien)
        if (!d.wort.isEmpty() && !d.stopptSpiel())
            woerter.insert(d.wort);
    b.verschiedeneWoerter = int(woerter.size());
    for (const kb::Stufe& stufe : kb::stufen())
        b.spielbar.append(b.verschiedeneWoerter >= stufe.woerter());
    return b;
}

} // namespace kbb
