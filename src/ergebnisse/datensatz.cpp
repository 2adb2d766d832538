#include "ergebnisse/datensatz.h"

#include "ergebnisse/textvorrat.h"

#include <QRegularExpression>

namespace kb::erg {

namespace {

constexpr char Trenner = '\t';
constexpr int Felder = 10;

QByteArray maskiert(const QString& text)
{
    QByteArray aus;
    for (const char c : text.toUtf8()) {
        const auto b = uchar(c);
        if (c == '\\')
            aus += "\\\\";
        else if (c == '\t')
            aus += "\\t";
        else if (c == '\n')
            aus += "\\n";
        else if (c == '\r')
            aus += "\\r";
        else if (b < 0x20 || b == 0x7F)
            aus += "\\x" + QByteArray::number(b, 16).rightJustified(2, '0').toUpper();
        else
            aus += c;
    }
    return aus;
}

QString alsText(QByteArrayView utf8, Textvorrat* vorrat)
{
    return vorrat ? vorrat->text(utf8) : QString::fromUtf8(utf8);
}

std::optional<QString> entmaskiert(QByteArrayView feld, Textvorrat* vorrat)
{
    if (!feld.contains('\\'))
        return alsText(feld, vorrat);
    QByteArray aus;
    for (qsizetype i = 0; i < feld.size(); ++i) {
        if (feld[i] != '\\') {
            aus += feld[i];
            continue;
        }
        if (++i >= feld.size())
            return std::nullopt;
        switch (feld[i]) {
        case '\\':
            aus += '\\';
            break;
        case 't':
            aus += '\t';
            break;
        case 'n':
            aus += '\n';
            break;
        case 'r':
            aus += '\r';
            break;
        case 'x': {
            if (i + 2 >= feld.size())
                return std::nullopt;
            bool ok = false;
            const int b = feld.sliced(i + 1, 2).toByteArray().toInt(&ok, 16);
            if (!ok)
                return std::nullopt;
            aus += char(b);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return alsText(aus, vorrat);
}

QByteArray liste(const QStringList& woerter)
{
    QByteArrayList teile;
    for (const QString& w : woerter)
        teile.append(maskiert(w));
    return teile.join('/');
}

std::optional<QStringList> ausListe(QByteArrayView feld, Textvorrat* vorrat)
{
    QStringList woerter;
    if (feld.isEmpty())
        return woerter;
    woerter.reserve(feld.count('/') + 1);
    for (qsizetype anfang = 0; anfang <= feld.size();) {
        qsizetype ende = feld.indexOf('/', anfang);
        if (ende < 0)
            ende = feld.size();
        const auto wort = entmaskiert(feld.sliced(anfang, ende - anfang), vorrat);
        if (!wort)
            return std::nullopt;
        woerter.append(*wort);
        anfang = ende + 1;
    }
    return woerter;
}

// A number of exactly `stellen` digits at `ab`, or -1.
int ziffern(QByteArrayView text, qsizetype ab, int stellen)
{
    int zahl = 0;
    for (qsizetype i = ab; i < ab + stellen; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        zahl = zahl * 10 + (text[i] - '0');
    }
    return zahl;
}

// "2026-12-06" and "09:15:02"; an invalid time for anything else.
QDateTime zeitpunkt(QByteArrayView datum, QByteArrayView uhrzeit)
{
    if (datum.size() != 10 || datum[4] != '-' || datum[7] != '-' || uhrzeit.size() != 8 ||
        uhrzeit[2] != ':' || uhrzeit[5] != ':')
        return {};
    const QDate tag(ziffern(datum, 0, 4), ziffern(datum, 5, 2), ziffern(datum, 8, 2));
    const QTime zeit(ziffern(uhrzeit, 0, 2), ziffern(uhrzeit, 3, 2), ziffern(uhrzeit, 6, 2));
    if (!tag.isValid() || !zeit.isValid())
        return {};
    return QDateTime(tag, zeit);
}

QString sicher(QString teil)
{
    static const QRegularExpression fremd(QStringLiteral("[^A-Za-z0-9.-]"));
    teil.replace(fremd, QStringLiteral("_"));
    return teil.isEmpty() ? QStringLiteral("_") : teil.left(64);
}

} // namespace

QByteArray kopfzeile()
{
    return "Datum\tUhrzeit\tRechner\tBenutzer\tName\tStufe\tRichtige\tFalsche\tGezeigt\tGew\xC3\xA4hlt\n";
}

QByteArray alsZeile(const Datensatz& d)
{
    const QByteArrayList felder{d.zeit.date().toString(Qt::ISODate).toLatin1(),
                                d.zeit.time().toString(QStringLiteral("HH:mm:ss")).toLatin1(),
                                maskiert(d.rechner),
                                maskiert(d.benutzer),
                                maskiert(d.name),
                                QByteArray::number(d.stufe),
                                QByteArray::number(d.richtige),
                                QByteArray::number(d.falsche),
                                liste(d.gezeigt),
                                liste(d.gewaehlt)};
    return felder.join(Trenner) + '\n';
}

std::optional<Datensatz> ausZeile(QByteArrayView zeile, Textvorrat* vorrat)
{
    if (zeile.endsWith('\n'))
        zeile.chop(1);
    QByteArrayView felder[Felder];
    qsizetype anfang = 0;
    for (int i = 0; i < Felder; ++i) {
        if (anfang > zeile.size())
            return std::nullopt;
        qsizetype ende = zeile.indexOf(Trenner, anfang);
        if (ende < 0)
            ende = zeile.size();
        felder[i] = zeile.sliced(anfang, ende - anfang);
        anfang = ende + 1;
    }
    Datensatz d;
    d.zeit = zeitpunkt(felder[0], felder[1]);
    bool ok[3] = {};
    d.stufe = felder[5].toInt(&ok[0]);
    d.richtige = felder[6].toInt(&ok[1]);
    d.falsche = felder[7].toInt(&ok[2]);
    const auto rechner = entmaskiert(felder[2], vorrat), benutzer = entmaskiert(felder[3], vorrat),
               name = entmaskiert(felder[4], vorrat);
    const auto gezeigt = ausListe(felder[8], vorrat), gewaehlt = ausListe(felder[9], vorrat);
    if (!d.zeit.isValid() || !ok[0] || !ok[1] || !ok[2] || !rechner || !benutzer || !name || !gezeigt ||
        !gewaehlt || d.stufe < 1 || d.richtige < 0 || d.falsche < 0)
        return std::nullopt;
    d.rechner = *rechner;
    d.benutzer = *benutzer;
    d.name = *name;
    d.gezeigt = *gezeigt;
    d.gewaehlt = *gewaehlt;
    return d;
}

QString dateiname(const QDate& tag, const QString& rechner, const QString& benutzer)
{
    return QStringLiteral("%1_%2_%3.tsv").arg(tag.toString(Qt::ISODate), sicher(rechner), sicher(benutzer));
}

QDate tagDerDatei(const QString& dateiname)
{
    if (!dateiname.endsWith(QLatin1String(".tsv")) || dateiname.size() < 15 || dateiname.at(10) != u'_')
        return {};
    return QDate::fromString(dateiname.left(10), Qt::ISODate);
}

} // namespace kb::erg
