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

using kbtest::bildDaten;
using kbtest::hochkantFoto;
using kbtest::lege;
using kbtest::schreibeDatei;

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
