#include "ergebnisse/bestand.h"

#include "ergebnisse/textvorrat.h"

#include "toolkit/filenames.h"
#include "toolkit/folder.h"

#include <QFile>
#include <algorithm>

namespace kb::erg {

namespace {

// The results files of the folder, by name.
QStringList ergebnisdateien(const QString& ordner)
{
    const tk::Folder folder = tk::Folder::open(ordner);
    QStringList namen;
    for (const QString& name : tk::plainFileNames(ordner))
        if (tagDerDatei(name).isValid() && !folder.isLink(name))
            namen.append(name);
    std::sort(namen.begin(), namen.end());
    return namen;
}

QByteArray liesDatei(const QString& pfad)
{
    QFile f(pfad);
    if (!tk::isRegularFile(pfad) || !f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// The records of one file's bytes; counts what cannot be read.
QList<Datensatz> ausDatei(const QByteArray& inhalt, int& unlesbar, Textvorrat* vorrat = nullptr)
{
    QList<Datensatz> saetze;
    qsizetype anfang = 0;
    while (anfang < inhalt.size()) {
        qsizetype ende = inhalt.indexOf('\n', anfang);
        if (ende < 0)
            ende = inhalt.size();
        const QByteArrayView zeile = QByteArrayView(inhalt).sliced(anfang, ende - anfang);
        if (auto d = ausZeile(zeile, vorrat))
            saetze.append(std::move(*d));
        else if (!zeile.isEmpty() && zeile != QByteArrayView(kopfzeile()).chopped(1))
            ++unlesbar;
        anfang = ende + 1;
    }
    return saetze;
}

QByteArray csvFeld(QString text)
{
    if (!text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front()))
        text.prepend(QLatin1Char('\''));
    if (text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) || text != text.trimmed())
        text = QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return text.toUtf8();
}

} // namespace

Bestand lies(const QString& ordner)
{
    Bestand b;
    b.gefunden = tk::Folder::open(ordner).isOpen();
    Textvorrat vorrat;
    for (const QString& name : ergebnisdateien(ordner)) {
        b.saetze += ausDatei(liesDatei(ordner + QLatin1Char('/') + name), b.unlesbareZeilen, &vorrat);
        ++b.dateien;
    }
    std::stable_sort(b.saetze.begin(), b.saetze.end(),
                     [](const Datensatz& x, const Datensatz& y) { return x.zeit < y.zeit; });
    return b;
}

int loescheAlte(const QString& ordner, int tage, const QDate& heute)
{
    const tk::Folder folder = tk::Folder::open(ordner);
    int geloescht = 0;
    for (const QString& name : ergebnisdateien(ordner)) {
        if (tagDerDatei(name).daysTo(heute) <= tage)
            continue;
        int unlesbar = 0;
        const int anzahl = int(ausDatei(liesDatei(ordner + QLatin1Char('/') + name), unlesbar).size());
        if (folder.removeFile(name) || folder.overwrite(name, {}))
            geloescht += anzahl;
    }
    return geloescht;
}

int loesche(const QString& ordner, const std::function<bool(const Datensatz&)>& weg)
{
    const tk::Folder folder = tk::Folder::open(ordner);
    int geloescht = 0;
    for (const QString& name : ergebnisdateien(ordner)) {
        int unlesbar = 0;
        const QList<Datensatz> saetze = ausDatei(liesDatei(ordner + QLatin1Char('/') + name), unlesbar);
        QByteArray rest = kopfzeile();
        int hier = 0;
        for (const Datensatz& d : saetze)
            weg(d) ? void(++hier) : void(rest += alsZeile(d));
        if (hier > 0 && folder.overwrite(name, rest))
            geloescht += hier;
    }
    return geloescht;
}

QByteArray alsCsv(const QList<Datensatz>& saetze, bool bom)
{
    QByteArray csv = bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    csv += "Datum;Uhrzeit;Rechner;Name;Stufe;Richtige;Falsche;Gezeigt;Gew\xC3\xA4hlt;Benutzer\r\n";
    for (const Datensatz& d : saetze) {
        const QByteArrayList felder{d.zeit.date().toString(QStringLiteral("dd.MM.yyyy")).toLatin1(),
                                    d.zeit.time().toString(QStringLiteral("HH:mm:ss")).toLatin1(),
                                    csvFeld(d.rechner),
                                    csvFeld(d.name),
                                    QByteArray::number(d.stufe),
                                    QByteArray::number(d.richtige),
                                    QByteArray::number(d.falsche),
                                    csvFeld(d.gezeigt.join(QStringLiteral(", "))),
                                    csvFeld(d.gewaehlt.join(QStringLiteral(", "))),
                                    csvFeld(d.benutzer)};
        csv += felder.join(';') + "\r\n";
    }
    return csv;
}

} // namespace kb::erg
