#pragma once

// Picture folders for the companion's tests: files of every kind, the folder's
// files by their bytes, and the companion's program run as a teacher would.
// Each test program that includes this defines KBB_PROGRAMM.
#include "bilderordner/kern/ordnerbericht.h"
#include "support/spielumgebung.h"
#include "support/testbilder.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <cstdio>

namespace kbtest::ordner {

inline void schreibeDatei(const QByteArray& pfad, const QByteArray& inhalt)
{
    std::FILE* f = std::fopen(pfad.constData(), "wb");
    QVERIFY(f);
    QCOMPARE(std::fwrite(inhalt.constData(), 1, std::size_t(inhalt.size()), f), std::size_t(inhalt.size()));
    std::fclose(f);
}

// Each picture its own shade: two pictures alike in every byte are copies.
inline QByteArray bildDaten(QSize size, const char* format)
{
    static int n = 0;
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((n++ * 37) % 360, 160, 160));
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    image.save(&puffer, format);
    return puffer.data();
}

// A JPEG whose camera says "turn a quarter to the right" (EXIF orientation 6).
inline QByteArray hochkantFoto(QSize gespeichert)
{
    const QByteArray exif("\xFF\xE1\x00\x22"
                          "Exif\0\0MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0",
                          36);
    return bildDaten(gespeichert, "JPEG").insert(2, exif);
}

// "png:W:H", "jpeg:W:H", "bmpoben:W:H" (a BMP stored top row first), "text",
// "halb" (a PNG cut short), "heic".
inline void lege(const QString& ordner, const QString& name, const QString& art)
{
    const QByteArray pfad = QFile::encodeName(ordner + u'/' + name);
    const QStringList t = art.split(u':');
    if (t[0] == u"text")
        schreibeDatei(pfad, "[.ShellClassInfo]\n");
    else if (t[0] == u"halb")
        schreibeDatei(pfad, bildDaten({300, 300}, "PNG").left(120));
    else if (t[0] == u"heic")
        schreibeDatei(pfad, QByteArray("\0\0\0\x18"
                                       "ftypheic",
                                       12) +
                                QByteArray(200, 'x'));
    else if (t[0] == u"bmpoben")
        schreibeDatei(pfad, kbtest::bmpDatei(QImage::fromData(bildDaten({t[1].toInt(), t[2].toInt()}, "PNG")),
                                             24, true));
    else
        schreibeDatei(pfad, bildDaten({t[1].toInt(), t[2].toInt()}, t[0].toUpper().toLatin1()));
}

// Fifteen pictures of different words, so that every level can be played.
inline void fuenfzehnBilder(const QString& ordner)
{
    for (int i = 0; i < 15; ++i)
        lege(ordner, u"Bild%1.png"_s.arg(QChar(u'A' + i)), u"png:120:90"_s);
}

inline const kbb::Datei* datei(const kbb::Ordnerbericht& b, const QString& name)
{
    for (const kbb::Datei& d : b.dateien)
        if (d.name == name)
            return &d;
    return nullptr;
}

// Every file below the folder, by the hash of its bytes.
inline QMultiHash<QByteArray, QString> inhalte(const QString& ordner)
{
    QMultiHash<QByteArray, QString> alle;
    for (QDirIterator it(ordner, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            alle.insert(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1), it.filePath());
    }
    return alle;
}

// Every file below a folder with a digest of its content; links by their text.
inline QMap<QString, QByteArray> inhalt(const QString& ordner)
{
    QMap<QString, QByteArray> karte;
    QDirIterator it(ordner, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const QString name = QDir(ordner).relativeFilePath(info.filePath());
        if (info.isSymLink())
            karte.insert(name, "-> " + QFile::encodeName(info.symLinkTarget()));
        else if (info.isFile()) {
            QFile f(info.filePath());
            f.open(QIODevice::ReadOnly);
            karte.insert(name, QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex());
        }
    }
    return karte;
}

struct Lauf {
    int status = -1;
    QString ausgabe;
    QByteArray roh; // the same output as bytes
    QString fehler; // what it printed on standard error
};

inline Lauf starte(const QStringList& argumente)
{
    QProcess p;
    p.start(QStringLiteral(KBB_PROGRAMM), argumente);
    if (!p.waitForFinished(60000))
        return {};
    const QByteArray roh = p.readAllStandardOutput();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(roh), roh,
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace kbtest::ordner

using namespace kbtest::ordner;
