#pragma once

// Picture folders for the companion's tests, and its program run as a teacher
// would. Each test program that includes this defines KBB_PROGRAMM.
#include "bilderordner/kern/ordnerbericht.h"
#include "support/spielumgebung.h"
#include "support/testbilder.h"

#include <QProcess>

namespace kbtest::ordner {

using kbtest::bildDaten;
using kbtest::dateienIn;
using kbtest::hochkantFoto;
using kbtest::lege;
using kbtest::schreibeDatei;

// `anzahl` pictures of different words "BildA.png", "BildB.png", ...; fifteen
// let every level be played.
inline void bilderIn(const QString& ordner, int anzahl = 15)
{
    for (int i = 0; i < anzahl; ++i)
        lege(ordner, u"Bild%1.png"_s.arg(QChar(u'A' + i)), u"png:120:90"_s);
}

inline const kbb::Datei* datei(const kbb::Ordnerbericht& b, const QString& name)
{
    for (const kbb::Datei& d : b.dateien)
        if (d.name == name)
            return &d;
    return nullptr;
}

struct Lauf {
    int status = -1;
    QString ausgabe;
    QByteArray roh; // the same output as bytes
    QString fehler; // what it printed on standard error
};

inline Lauf starte(const QStringList& argumente, const QProcessEnvironment& umgebung = {})
{
    QProcess p;
    if (!umgebung.isEmpty())
        p.setProcessEnvironment(umgebung);
    p.start(QStringLiteral(KBB_PROGRAMM), argumente);
    if (!p.waitForFinished(60000))
        return {};
    const QByteArray roh = p.readAllStandardOutput();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(roh), roh,
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace kbtest::ordner

using namespace kbtest::ordner;
