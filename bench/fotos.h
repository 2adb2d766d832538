#pragma once

// A teacher's folder of phone photos for the companion's benchmarks: 4000 x 3000
// JPEGs of soft gradients with grain. Four originals are made and copied; each
// copy gets a comment of its own length after the JPEG's start, so that every
// file differs in size and bytes, as real photos do, while decoding costs the
// same (making 200 photos anew would only cost set-up time).
#include "messung.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdlib>

namespace bench {

inline void schreibeFoto(const QString& path, quint32 seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = int(rng.bounded(24u));
            line[x] = qRgb((x / 16 + grain) & 0xFF, (y / 12 + grain) & 0xFF, ((x + y) / 28 + grain) & 0xFF);
        }
    }
    image.save(path, "JPEG", 90);
}

// `anzahl` photos "Foto000.jpg", ... in `<ordner>/bilder`, from four originals.
inline QString richteFotoordnerEin(const QString& ordner, int anzahl)
{
    constexpr int Vorlagen = 4;
    QList<QByteArray> vorlagen;
    for (int v = 0; v < Vorlagen; ++v) {
        const QString pfad = ordner + QStringLiteral("/vorlage%1.jpg").arg(v);
        schreibeFoto(pfad, quint32(42 + v));
        QFile f(pfad);
        f.open(QIODevice::ReadOnly);
        vorlagen.append(f.readAll());
    }
    const QString bilder = ordner + QStringLiteral("/bilder");
    QDir().mkpath(bilder);
    for (int i = 0; i < anzahl; ++i) {
        const QByteArray kommentar(i + 1, char('a' + i % 26));
        const int laenge = int(kommentar.size()) + 2;
        QByteArray foto = vorlagen[i % Vorlagen];
        foto.insert(2, QByteArray("\xFF\xFE", 2) + char(laenge >> 8) + char(laenge & 0xFF) + kommentar);
        QFile f(bilder + QStringLiteral("/Foto%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
        f.open(QIODevice::WriteOnly);
        f.write(foto);
    }
    return bilder;
}

// Decodes every file of the folder whole, orientation applied; gives the time in ms.
inline double dekodiereAlle(const QString& bilder)
{
    QElapsedTimer uhr;
    uhr.start();
    for (const QString& name : QDir(bilder).entryList(QDir::Files)) {
        QImageReader reader(bilder + QLatin1Char('/') + name);
        reader.setAutoTransform(true);
        if (reader.read().isNull())
            std::exit(1);
    }
    return double(uhr.nsecsElapsed()) / 1e6;
}

// What a benchmark on the teacher's photos sets up before it measures: the quiet
// offscreen platform (before the application object, hence the base), the
// application, and `anzahl` photos in a temporary folder, at `bilder`.
struct Vorbereitet {
    Vorbereitet() { vorbereiten(); }
};

struct Fotoumgebung : Vorbereitet {
    Fotoumgebung(int& argc, char** argv, int anzahl)
        : app(argc, argv), bilder(richteFotoordnerEin(ordner.path(), anzahl))
    {
    }
    QGuiApplication app;
    QTemporaryDir ordner;
    QString bilder;
};

} // namespace bench
