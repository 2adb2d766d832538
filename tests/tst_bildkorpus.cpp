// Broken pictures: truncated and bit-flipped JPEG (baseline and progressive), PNG,
// GIF, BMP and icon files, each drawn in a level round. Each one is shown or ends
// the program with the run-time error naming the file; nothing crashes or hangs.
#include "support/spielumgebung.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QTest>
#include <random>

using namespace Qt::StringLiterals;
using kbtest::Spiel;

namespace {

// Qt reads GIF but does not write it. Four colours; every code is a literal of
// three bits, with a clear code before every second one so the width never grows.
QByteArray gif(int w, int h)
{
    QByteArray d("GIF89a");
    const auto zahl = [&d](int v) { d.append(char(v & 0xFF)).append(char(v >> 8)); };
    zahl(w), zahl(h);
    d.append("\x81\0\0", 3).append(QByteArray::fromHex("ff000000ff000000ffffffff"));
    d.append(','), zahl(0), zahl(0), zahl(w), zahl(h);
    d.append("\0\2", 2);
    QByteArray daten;
    int bits = 0, anzahl = 0;
    const auto code = [&](int c) {
        for (bits |= c << anzahl, anzahl += 3; anzahl >= 8; bits >>= 8, anzahl -= 8)
            daten.append(char(bits & 0xFF));
    };
    for (int i = 0; i < w * h; ++i) {
        if (i % 2 == 0)
            code(4);
        code((i + i / w) % 4);
    }
    code(5);
    daten.append(char(bits));
    for (qsizetype i = 0; i < daten.size(); i += 255)
        d.append(char(daten.mid(i, 255).size())).append(daten.mid(i, 255));
    return d.append("\0;", 2);
}

QByteArray vorlage(const char* format, QSize groesse)
{
    if (qstrcmp(format, "gif") == 0)
        return gif(groesse.width(), groesse.height());
    QImage bild(groesse, QImage::Format_ARGB32);
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            bild.setPixel(x, y,
                          qRgba(x * 255 / groesse.width(), y * 255 / groesse.height(), (x ^ y) & 0xFF, 200));
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    const bool progressiv = qstrcmp(format, "progressiv.jpg") == 0; // drawn coarse to fine
    QImageWriter schreiber(&puffer, progressiv ? "jpg" : format);
    schreiber.setQuality(60);
    schreiber.setProgressiveScanWrite(progressiv);
    schreiber.write(bild);
    return puffer.data();
}

// 30 truncations from nothing up to nearly the whole file, then 80 copies with one
// to eight flipped bits, every fourth of them in the first 512 bytes (the headers).
QByteArray verderbe(const QByteArray& heil, int n, std::mt19937& zufall)
{
    if (n < 30)
        return heil.left(heil.size() * n / 30);
    QByteArray kaputt = heil;
    const qsizetype bereich = n % 4 == 0 ? std::min<qsizetype>(512, heil.size()) : heil.size();
    for (int k = int(zufall() % 8); k >= 0; --k)
        kaputt[zufall() % bereich] ^= char(1 << (zufall() % 8));
    return kaputt;
}

} // namespace

class tst_Bildkorpus : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void jedesBildZeigtSichOderNenntDieDatei()
    {
        Spiel spiel;
        const QString bilder = spiel.programmOrdner() + u"/bilder"_s;
        QVERIFY(QDir().mkpath(bilder));
        std::mt19937 zufall(4711);
        const std::pair<const char*, QSize> formate[] = {{"jpg", {800, 600}}, {"progressiv.jpg", {800, 600}},
                                                         {"png", {200, 150}}, {"gif", {64, 48}},
                                                         {"bmp", {64, 48}},   {"ico", {48, 48}}};
        QStringList korpus;
        for (const auto& [format, groesse] : formate) {
            const QByteArray heil = vorlage(format, groesse);
            QCOMPARE(QImage::fromData(heil).size(), groesse);
            for (int n = 0; n < 110; ++n) {
                const QString f = QString::fromLatin1(format);
                korpus.append(f.section(u'.', 0, 0) + u"%1."_s.arg(n, 3, 10, QLatin1Char('0')) +
                              f.section(u'.', -1));
                QFile datei(bilder + u'/' + korpus.last());
                QVERIFY(datei.open(QIODevice::WriteOnly) && datei.write(verderbe(heil, n, zufall)) >= 0);
            }
        }

        const QtMessageHandler vorher = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString&) {}); // decoders complain a lot
        kbtest::Wachhund wachhund(std::chrono::seconds(30));
        int gezeigt = 0, fehler = 0;
        for (const QString& name : std::as_const(korpus)) {
            wachhund.schritt(name);
            tk::Program::instance().reset();
            spiel.services.error.reset();
            spiel.starte(u"frmSchw1"_s);
            tk::Form* f = spiel.aktuell();
            QVERIFY(f);
            const qsizetype stelle = f->fileList(u"File1"_s).entries().indexOf(name);
            spiel.services.scriptedNumbers = {(float(stelle) + 0.5f) / float(korpus.size())};
            Spiel::klick(f->button(u"cmdweiter"_s));
            if (const auto& e = spiel.services.error) {
                QVERIFY2(e->number() == 481 || e->number() == 53, qPrintable(e->message()));
                QCOMPARE(e->message().section(u' ', -1), bilder + u'/' + name);
                ++fehler;
            } else {
                const auto* bild = qobject_cast<const QLabel*>(f->image(u"imgBild"_s).widget());
                QCOMPARE(f->image(u"imgBild"_s).picture().path(), bilder + u'/' + name);
                QVERIFY2(!bild->pixmap().isNull() && !f->window()->grab().isNull(), qPrintable(name));
                ++gezeigt;
            }
        }
        qInstallMessageHandler(vorher);
        qInfo("%lld kaputte Bilder: %d gezeigt, %d mit Laufzeitfehler", korpus.size(), gezeigt, fehler);
        QVERIFY(gezeigt > 0 && fehler > 0);
    }
};

QTEST_MAIN(tst_Bildkorpus)
#include "tst_bildkorpus.moc"
