#include "ergebnisse/datensatz.h"

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

std::optional<QString> entmaskiert(QByteArrayView feld)
{
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
    return QString::fromUtf8(aus);
}

QByteArray liste(const QStringList& woerter)
{
    QByteArrayList teile;
    for (const QString& w : woerter)
        teile.append(maskiert(w));
    return teile.join('/');
}

std::optional<QStringList> ausListe(QByteArrayView feld)
{
    QStringList woerter;
    if (feld.isEmpty())
        return woerter;
    for (const QByteArray& teil : feld.toByteArray().split('/')) {
        const auto wort = entmaskiert(teil);
        if (!wort)
            return std::nullopt;
        woerter.append(*wort);
    }
    return woerter;
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

std::optional<Datensatz> ausZeile(QByteArrayView zeile)
{
    if (zeile.endsWith('\n'))
        zeile.chop(1);
    const QByteArrayList felder = zeile.toByteArray().split(Trenner);
    if (felder.size() < Felder)
        return std::nullopt;
    Datensatz d;
    d.zeit = QDateTime(QDate::fromString(QString::fromLatin1(felder[0]), Qt::ISODate),
                       QTime::fromString(QString::fromLatin1(felder[1]), QStringLiteral("HH:mm:ss")));
    bool ok[3] = {};
    d.stufe = felder[5].toInt(&ok[0]);
    d.richtige = felder[6].toInt(&ok[1]);
    d.falsche = felder[7].toInt(&ok[2]);
    const auto rechner = entmaskiert(felder[2]), benutzer = entmaskiert(felder[3]),
               name = entmaskiert(felder[4]);
    const auto gezeigt = ausListe(felder[8]), gewaehlt = ausListe(felder[9]);
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
