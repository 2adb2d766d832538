#include "support/testbilder.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QIODevice>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <cstdio>
#include <unistd.h>
#include <zlib.h>

namespace kbtest {

namespace {

void schreibeAlles(const QString& pfad, const QList<QByteArray>& teile, int wiederholt = 1,
                   qsizetype welches = -1)
{
    QFile datei(pfad);
    QVERIFY2(datei.open(QIODevice::WriteOnly), qPrintable(pfad));
    for (qsizetype i = 0; i < teile.size(); ++i)
        for (int n = i == welches ? wiederholt : 1; n > 0; --n)
            QVERIFY(datei.write(teile[i]) == teile[i].size());
}

QByteArray bytes(std::initializer_list<int> werte)
{
    QByteArray b;
    for (int w : werte)
        b.append(char(w));
    return b;
}

QByteArray grossEndian(quint32 zahl)
{
    return bytes({int(zahl >> 24), int(zahl >> 16), int(zahl >> 8), int(zahl)});
}

QByteArray pngStueck(const char* art, const QByteArray& daten)
{
    const QByteArray typUndDaten = QByteArray(art) + daten;
    const uLong pruef =
        crc32(0, reinterpret_cast<const Bytef*>(typUndDaten.constData()), uInt(typUndDaten.size()));
    return grossEndian(quint32(daten.size())) + typUndDaten + grossEndian(quint32(pruef));
}

// Raw deflate of `laenge` zero bytes; with Z_FULL_FLUSH the block ends byte-aligned
// and refers to nothing before it, so copies of it may follow one another.
QByteArray nullenGepackt(qsizetype laenge, int flush)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    const QByteArray nullen(laenge, '\0');
    QByteArray aus(qsizetype(deflateBound(&z, uLong(laenge))) + 64, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(nullen.constData()));
    z.avail_in = uInt(laenge);
    z.next_out = reinterpret_cast<Bytef*>(aus.data());
    z.avail_out = uInt(aus.size());
    deflate(&z, flush);
    aus.resize(qsizetype(z.total_out));
    deflateEnd(&z);
    return aus;
}

// The bytes of the picture's data before compression: a filter byte and the
// row's bits for every row of every pass, all zero for colour 0 of the palette.
qint64 rohLaenge(QSize g, bool verschachtelt)
{
    const auto zeilen = [](qint64 breite, qint64 hoehe) {
        return breite > 0 ? hoehe * (1 + (breite + 7) / 8) : 0;
    };
    if (!verschachtelt)
        return zeilen(g.width(), g.height());
    const int x0[] = {0, 4, 0, 2, 0, 1, 0}, y0[] = {0, 0, 4, 0, 2, 0, 1};
    const int dx[] = {8, 8, 4, 4, 2, 2, 1}, dy[] = {8, 8, 8, 4, 4, 2, 2};
    qint64 summe = 0;
    for (int p = 0; p < 7; ++p)
        if (g.width() > x0[p] && g.height() > y0[p])
            summe +=
                zeilen((g.width() - x0[p] + dx[p] - 1) / dx[p], (g.height() - y0[p] + dy[p] - 1) / dy[p]);
    return summe;
}

} // namespace

QByteArray bmpDatei(const QImage& bild, int bitsProPixel, bool obenZuerst)
{
    const int b = bild.width(), h = bild.height(), proPixel = bitsProPixel / 8;
    const int zeile = (b * proPixel + 3) / 4 * 4;
    QByteArray daten;
    QDataStream s(&daten, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("BM", 2);
    s << quint32(54 + zeile * h) << quint32(0) << quint32(54);
    s << quint32(40) << qint32(b) << qint32(obenZuerst ? -h : h) << quint16(1) << quint16(bitsProPixel)
      << quint32(0) << quint32(zeile * h) << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
    for (int i = 0; i < h; ++i) {
        const int y = obenZuerst ? i : h - 1 - i;
        for (int x = 0; x < b; ++x) {
            const QRgb p = bild.pixel(x, y);
            s << quint8(qBlue(p)) << quint8(qGreen(p)) << quint8(qRed(p));
            if (proPixel == 4)
                s << quint8(0);
        }
        for (int rest = zeile - b * proPixel; rest > 0; --rest)
            s << quint8(0);
    }
    return daten;
}

void schreibeEinfarbigesPng(const QString& pfad, QSize groesse, bool verschachtelt, QRgb farbe)
{
    constexpr qsizetype Block = 1 << 20;
    const qint64 laenge = rohLaenge(groesse, verschachtelt);
    const QByteArray kopf =
        QByteArray("\x89PNG\r\n\x1A\n", 8) +
        pngStueck("IHDR", grossEndian(quint32(groesse.width())) + grossEndian(quint32(groesse.height())) +
                              bytes({1, 3, 0, 0, verschachtelt ? 1 : 0})) +
        pngStueck("PLTE", bytes({qRed(farbe), qGreen(farbe), qBlue(farbe), 255, 255, 255}));
    const QByteArray block = nullenGepackt(Block, Z_FULL_FLUSH);
    const qint64 bloecke = laenge / Block;
    const QByteArray schluss = nullenGepackt(qsizetype(laenge % Block), Z_FINISH);
    // Adler-32 of zeros: the sum of the bytes stays 1, the sum of sums is the length.
    const QByteArray pruef = grossEndian(quint32(laenge % 65521) << 16 | 1);
    const qint64 idat = 2 + bloecke * block.size() + schluss.size() + 4;
    QVERIFY(idat < 0x7FFFFFFF);
    const QByteArray idatKopf = grossEndian(quint32(idat)) + "IDAT" + "\x78\xDA";
    // The chunk's check sum runs over its type and data, block by block.
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(idatKopf.constData() + 4), 6);
    for (qint64 i = 0; i < bloecke; ++i)
        crc = crc32(crc, reinterpret_cast<const Bytef*>(block.constData()), uInt(block.size()));
    const QByteArray ende = schluss + pruef;
    crc = crc32(crc, reinterpret_cast<const Bytef*>(ende.constData()), uInt(ende.size()));
    schreibeAlles(pfad, {kopf + idatKopf, block, ende + grossEndian(quint32(crc)) + pngStueck("IEND", {})},
                  int(bloecke), 1);
}

void schreibeGrauesProgressivesJpeg(const QString& pfad, QSize groesse)
{
    const int b = groesse.width(), h = groesse.height();
    QByteArray kopf("\xFF\xD8", 2);
    kopf += QByteArray("\xFF\xDB\x00\x43\x00", 5) + QByteArray(64, '\x01'); // all quantisers 1
    kopf += QByteArray("\xFF\xC2\x00\x0B\x08", 5) + char(h >> 8) + char(h) + char(b >> 8) + char(b) +
            QByteArray("\x01\x01\x11\x00", 4); // one grey component, progressive
    // A table for the averages with one code, "0", for a difference of nothing.
    kopf += QByteArray("\xFF\xC4\x00\x14\x00\x01", 6) + QByteArray(15, '\0') + '\0';
    kopf += QByteArray("\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x00", 10); // the first scan: averages
    const qint64 bloecke = qint64((b + 7) / 8) * ((h + 7) / 8);
    constexpr qsizetype Stueck = 1 << 20;
    const qint64 bytes = (bloecke + 7) / 8;
    schreibeAlles(pfad, {kopf, QByteArray(Stueck, '\0'), QByteArray(bytes % Stueck, '\0') + "\xFF\xD9"},
                  int(bytes / Stueck), 1);
}

void schreibeDatei(const QByteArray& pfad, const QByteArray& inhalt)
{
    std::FILE* f = std::fopen(pfad.constData(), "wb");
    QVERIFY(f);
    QCOMPARE(std::fwrite(inhalt.constData(), 1, std::size_t(inhalt.size()), f), std::size_t(inhalt.size()));
    std::fclose(f);
}

QByteArray bildDaten(QSize size, const char* format)
{
    // Each picture its own shade: two pictures alike in every byte are copies.
    static int n = 0;
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((n++ * 37) % 360, 160, 160));
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    image.save(&puffer, format);
    return puffer.data();
}

QByteArray hochkantFoto(QSize gespeichert)
{
    const QByteArray exif("\xFF\xE1\x00\x22"
                          "Exif\0\0MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0",
                          36);
    return bildDaten(gespeichert, "JPEG").insert(2, exif);
}

void lege(const QString& ordner, const QString& name, const QString& art)
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
    else if (t[0] == u"riese")
        schreibeEinfarbigesPng(QFile::decodeName(pfad), {t[1].toInt(), t[2].toInt()}, t.size() > 3,
                               qRgb(0, 128, 128));
    else if (t[0] == u"progressiv")
        schreibeGrauesProgressivesJpeg(QFile::decodeName(pfad), {t[1].toInt(), t[2].toInt()});
    else if (t[0] == u"bmpoben")
        schreibeDatei(pfad,
                      bmpDatei(QImage::fromData(bildDaten({t[1].toInt(), t[2].toInt()}, "PNG")), 24, true));
    else
        schreibeDatei(pfad, bildDaten({t[1].toInt(), t[2].toInt()}, t[0].toUpper().toLatin1()));
}

QMap<QString, QByteArray> dateienIn(const QString& ordner)
{
    QMap<QString, QByteArray> karte;
    QDirIterator it(ordner, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const QString name = QDir(ordner).relativeFilePath(info.filePath());
        QFile f(info.filePath());
        if (info.isSymLink())
            karte.insert(name, "-> " + QFile::encodeName(info.symLinkTarget()));
        else if (info.isFile() && f.open(QIODevice::ReadOnly))
            karte.insert(name, QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex());
    }
    return karte;
}

bool schreibschuetze(const QString& ordner, bool an)
{
    if (::geteuid() == 0)
        return QProcess::execute(QStringLiteral("chattr"),
                                 {an ? QStringLiteral("+i") : QStringLiteral("-i"), ordner}) == 0;
    return QFile::setPermissions(ordner, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                             (an ? QFileDevice::Permissions() : QFileDevice::WriteOwner));
}

} // namespace kbtest
