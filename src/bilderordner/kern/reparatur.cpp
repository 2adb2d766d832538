#include "bilderordner/kern/reparatur.h"

#include "bilderordner/kern/ablage.h"
#include "bilderordner/kern/bildbearbeitung.h"
#include "bilderordner/kern/pruefung.h"
#include "bilderordner/kern/rohnamen.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

namespace kbb {

namespace {

QString a(const QString& name)
{
    return QStringLiteral("„%1“").arg(name);
}

void benenneAusLatin1(const QString& ordner, QStringList& zeilen)
{
    for (const QByteArray& roh : namenOhneUtf8(ordner)) {
        const QString neu = ablage::freierName(ordner, alsLatin1(roh));
        if (ablage::benenneUm(ordner, roh, neu))
            zeilen.append(QStringLiteral("Umbenannt in %1: der Name war kein gültiges UTF-8.").arg(a(neu)));
        else
            zeilen.append(QStringLiteral("Konnte %1 nicht umbenennen.").arg(a(alsLatin1(roh))));
    }
}

void sortiereAus(const QString& ordner, const Datei& d, QStringList& zeilen)
{
    const QString ziel =
        ablage::verschiebe(ordner, d.name, QDir(ordner).filePath(QLatin1String(Aussortiert)));
    if (ziel.isEmpty())
        zeilen.append(QStringLiteral("Konnte %1 nicht nach „%2“ verschieben.")
                          .arg(a(d.name), QLatin1String(Aussortiert)));
    else
        zeilen.append(QStringLiteral("%1 nach „%2/%3“ verschoben: die Datei hielt das Spiel an.")
                          .arg(a(d.name), QLatin1String(Aussortiert), ziel));
}

// Gives the file's name afterwards.
QString kuerzeEndung(const QString& ordner, const QString& name, QStringList& zeilen)
{
    const QString neu = ablage::freierName(ordner, kurzeEndung(name));
    if (neu == name || !QFile::rename(QDir(ordner).filePath(name), QDir(ordner).filePath(neu))) {
        zeilen.append(QStringLiteral("Konnte %1 nicht umbenennen.").arg(a(name)));
        return name;
    }
    zeilen.append(
        QStringLiteral("%1 in %2 umbenannt: die Endung hatte vier Buchstaben.").arg(a(name), a(neu)));
    return neu;
}

// Qt writes JPEG, PNG, BMP and others but not GIF: such a picture becomes a PNG.
QString kleinerName(const QString& ordner, const QString& name, const QByteArray& format)
{
    if (QImageWriter::supportedImageFormats().contains(format))
        return name;
    return ablage::freierName(ordner, QFileInfo(name).completeBaseName() + QStringLiteral(".png"));
}

void verkleinere(const QString& ordner, const QString& name, QStringList& zeilen)
{
    const GelesenesBild g = liesBild(QDir(ordner).filePath(name));
    const QString original =
        QDir(ordner).filePath(QStringLiteral("%1/original").arg(QLatin1String(Aussortiert)));
    const QByteArray format = QImageWriter::supportedImageFormats().contains(g.format) ? g.format : "png";
    const QString neu = kleinerName(ordner, name, g.format);
    const QImage klein = eingepasst(g.bild);
    const QString abgelegt = g.bild.isNull() ? QString() : ablage::verschiebe(ordner, name, original);
    if (abgelegt.isEmpty()) {
        zeilen.append(QStringLiteral("Konnte %1 nicht verkleinern.").arg(a(name)));
        return;
    }
    if (!speichereBild(ordner, neu, klein, format)) {
        QFile::rename(QDir(original).filePath(abgelegt), QDir(ordner).filePath(name));
        zeilen.append(QStringLiteral("Konnte %1 nicht verkleinern.").arg(a(name)));
        return;
    }
    zeilen.append(
        QStringLiteral("%1 auf %2 × %3 Pixel verkleinert%4; das Original liegt in „%5/original/%6“.")
            .arg(a(name))
            .arg(klein.width())
            .arg(klein.height())
            .arg(neu == name ? QString() : QStringLiteral(" und als %1 gespeichert").arg(a(neu)))
            .arg(QLatin1String(Aussortiert), abgelegt));
}

} // namespace

QStringList repariere(const QString& ordner)
{
    QStringList zeilen;
    benenneAusLatin1(ordner, zeilen);
    for (const Datei& d : pruefeOrdner(ordner).dateien) {
        if (d.stopptSpiel()) {
            sortiereAus(ordner, d, zeilen);
            continue;
        }
        QString name = d.name;
        if (d.hat(Befund::PunktAmEnde) && kurzeEndung(name) != name)
            name = kuerzeEndung(ordner, name, zeilen);
        if (d.hat(Befund::ZuGross) || d.hat(Befund::HaeltLangeAuf))
            verkleinere(ordner, name, zeilen);
    }
    if (zeilen.isEmpty())
        zeilen.append(QStringLiteral("Nichts zu reparieren."));
    return zeilen;
}

} // namespace kbb
