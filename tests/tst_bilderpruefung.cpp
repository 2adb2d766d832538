// The picture-folder companion's engine and command line on real files in real
// folders: the judgement of every kind of file, repair without loss, adding a
// picture, picture sets, and the exit statuses of kieselblick-bilder.
#include "bilderordner/kern/hinzufuegen.h"
#include "bilderordner/kern/pruefung.h"
#include "bilderordner/kern/reparatur.h"
#include "bilderordner/kern/saetze.h"
#include "regeln/wort.h"
#include "support/spielumgebung.h"
#include "support/testbilder.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <unistd.h>

using kbb::Befund;
Q_DECLARE_METATYPE(QList<kbb::Befund>)

using kbtest::bildDaten;
using kbtest::hochkantFoto;
using kbtest::lege;
using kbtest::schreibeDatei;

namespace {

// Fifteen pictures of different words, so that every level can be played.
void fuenfzehnBilder(const QString& ordner)
{
    for (int i = 0; i < 15; ++i)
        lege(ordner, u"Bild%1.png"_s.arg(QChar(u'A' + i)), u"png:120:90"_s);
}

const kbb::Datei* datei(const kbb::Ordnerbericht& b, const QString& name)
{
    for (const kbb::Datei& d : b.dateien)
        if (d.name == name)
            return &d;
    return nullptr;
}

// Every file below the folder, by the hash of its bytes.
QMultiHash<QByteArray, QString> inhalte(const QString& ordner)
{
    QMultiHash<QByteArray, QString> alle;
    for (QDirIterator it(ordner, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            alle.insert(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1), it.filePath());
    }
    return alle;
}

struct Lauf {
    int status = -1;
    QString ausgabe;
};

Lauf starte(const QStringList& argumente)
{
    QProcess p;
    p.start(QStringLiteral(KBB_PROGRAMM), argumente);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput())};
}

} // namespace

class tst_Bilderpruefung : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void befundJeDatei_data();
    void befundJeDatei();
    void woerterImVergleich();
    void nameOhneUtf8();
    void reparaturVerliertNichts();
    void bildHinzufuegen();
    void wortSchonDa();
    void saetzeFuellen();
    void mitgelieferteSaetze();
    void kommandozeile_data();
    void kommandozeile();
};

void tst_Bilderpruefung::befundJeDatei_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("art");
    QTest::addColumn<QList<Befund>>("erwartet");
    QTest::newRow("kein Bild") << u"Thumbs.db"_s << u"text"_s << QList{Befund::KeinBild};
    QTest::newRow("beschädigt") << u"Kaputt.png"_s << u"halb"_s << QList{Befund::Beschaedigt};
    QTest::newRow("fremdes Format") << u"Urlaub.heic"_s << u"heic"_s << QList{Befund::UnbekanntesFormat};
    QTest::newRow("fremdes Format, falsche Endung")
        << u"Urlaub.bin"_s << u"heic"_s << QList{Befund::UnbekanntesFormat};
    QTest::newRow("zu breit") << u"Breit.png"_s << u"png:617:100"_s << QList{Befund::ZuGross};
    QTest::newRow("zu hoch") << u"Hoch.png"_s << u"png:100:534"_s << QList{Befund::ZuGross};
    QTest::newRow("unter dem Knopf") << u"Knopf.png"_s << u"png:497:433"_s << QList{Befund::ZuGross};
    QTest::newRow("links vom Knopf") << u"Links.png"_s << u"png:496:533"_s << QList<Befund>{};
    QTest::newRow("über dem Knopf") << u"Oben.png"_s << u"jpeg:616:432"_s << QList<Befund>{};
    QTest::newRow("BMP, oberste Zeile zuerst") << u"Oben.bmp"_s << u"bmpoben:120:90"_s << QList<Befund>{};
    QTest::newRow("riesig, mit Zeilensprung")
        << u"Riese.png"_s << u"riese:65535:65535:z"_s << QList{Befund::HaeltLangeAuf, Befund::ZuGross};
    QTest::newRow("riesig, ohne Zeilensprung")
        << u"Riese.png"_s << u"riese:65535:65535"_s << QList{Befund::ZuGross};
    QTest::newRow("riesig, progressiv")
        << u"Riese.jpg"_s << u"progressiv:16000:16000"_s << QList{Befund::HaeltLangeAuf, Befund::ZuGross};
    QTest::newRow("zu groß zum Lesen")
        << u"Riese.jpg"_s << u"progressiv:65500:65500"_s << QList{Befund::ZuGrossZumLesen};
    QTest::newRow("sehr klein") << u"Klein.png"_s << u"png:99:99"_s << QList{Befund::SehrKlein};
    QTest::newRow("schmal, nicht klein") << u"Schmal.png"_s << u"png:99:100"_s << QList<Befund>{};
    QTest::newRow("Punkt am Ende") << u"Katze.jpeg"_s << u"jpeg:200:200"_s << QList{Befund::PunktAmEnde};
    QTest::newRow("leeres Wort") << u"Ei"_s << u"text"_s << QList{Befund::LeeresWort};
    QTest::newRow("zu lang") << u"Nilpferdbabyschwimmbad.png"_s << u"png:200:200"_s
                             << QList{Befund::WortZuLang};
    QTest::newRow("langes Wort, das passt") << u"Schmetterling.png"_s << u"png:200:200"_s << QList<Befund>{};
}

void tst_Bilderpruefung::befundJeDatei()
{
    QFETCH(QString, name);
    QFETCH(QString, art);
    QFETCH(QList<Befund>, erwartet);
    QTemporaryDir dir;
    lege(dir.path(), name, art);
    const kbb::Ordnerbericht b = kbb::pruefeOrdner(dir.path());
    const kbb::Datei* d = datei(b, name);
    QVERIFY(d);
    QList<Befund> gefunden;
    for (const kbb::Meldung& m : d->meldungen) {
        gefunden.append(m.befund);
        QVERIFY(!m.satz.isEmpty());
    }
    QCOMPARE(gefunden, erwartet);
    QCOMPARE(b.stopptSpiel(), !erwartet.isEmpty() && kbb::stopptSpiel(erwartet.first()));
    if (gefunden.contains(Befund::HaeltLangeAuf))
        QVERIFY(d->meldungen.first().satz.startsWith(u"Hält das Spiel lange auf: das Bild hat "_s));
    // A foreign format is named by what the file holds, not by its extension.
    if (erwartet == QList{Befund::UnbekanntesFormat})
        QVERIFY2(d->meldungen.first().satz.contains(u"das Bildformat „HEIF“"_s),
                 qPrintable(d->meldungen.first().satz));
}

void tst_Bilderpruefung::woerterImVergleich()
{
    QTemporaryDir dir;
    fuenfzehnBilder(dir.path());
    for (const QString& name : {u"Katze.png"_s, u"Katze.jpg"_s, u"Maus.png"_s, u"maus.png"_s})
        lege(dir.path(), name, u"png:120:90"_s);
    lege(dir.path(), u"Ente.png"_s, u"halb"_s); // stops the game: first, and no word of the folder
    const kbb::Ordnerbericht b = kbb::pruefeOrdner(dir.path());
    QCOMPARE(b.dateien.first().name, u"Ente.png"_s);
    QVERIFY(datei(b, u"Katze.png"_s)->hat(Befund::GleichesWort));
    QVERIFY(datei(b, u"Katze.png"_s)->meldungen.first().satz.contains(u"„Katze.jpg“"_s));
    QVERIFY(datei(b, u"maus.png"_s)->hat(Befund::NurGrossKlein));
    QVERIFY(datei(b, u"Maus.png"_s)->meldungen.first().satz.contains(u"„maus.png“"_s));
    QVERIFY(!datei(b, u"BildA.png"_s)->hat(Befund::GleichesWort));
    QCOMPARE(b.verschiedeneWoerter, 15 + 3);
    QVERIFY(b.spielbar[1] && !b.inOrdnung());
}

void tst_Bilderpruefung::nameOhneUtf8()
{
    QTemporaryDir dir;
    fuenfzehnBilder(dir.path());
    schreibeDatei(QFile::encodeName(dir.path()) + "/M\xFCll.png", bildDaten({50, 50}, "PNG"));
    const kbb::Ordnerbericht b = kbb::pruefeOrdner(dir.path());
    const kbb::Datei* d = datei(b, u"Müll.png"_s);
    QVERIFY(d && d->hat(Befund::KeinUtf8));
    QCOMPARE(d->rohName, QByteArray("M\xFCll.png"));
    QCOMPARE(b.verschiedeneWoerter, 15);
    kbb::repariere(dir.path());
    QVERIFY(QFile::exists(dir.path() + u"/Müll.png"_s));
    QVERIFY(tk::listedFileNames(dir.path()).contains(u"Müll.png"_s));
}

// A folder with every problem is repaired by the command line: afterwards it is in
// order, every original's bytes are still there, and the game's loader shows every
// picture.
void tst_Bilderpruefung::reparaturVerliertNichts()
{
    QTemporaryDir dir;
    const QString o = dir.path();
    fuenfzehnBilder(o);
    lege(o, u"Thumbs.db"_s, u"text"_s);
    lege(o, u"Kaputt.png"_s, u"halb"_s);
    lege(o, u"Urlaub.heic"_s, u"heic"_s);
    lege(o, u"Katze.jpeg"_s, u"jpeg:200:200"_s);
    lege(o, u"Katze.jpg"_s, u"jpeg:210:200"_s);   // ".jpeg" must not replace it
    lege(o, u"Foto.jpeg"_s, u"jpeg:1600:1200"_s); // renamed and scaled
    lege(o, u"Knopf.gif"_s, u"png:600:500"_s);    // a PNG by its content
    lege(o, u"Knopf.bmp"_s, u"bmp:600:500"_s);
    lege(o, u"Riese.png"_s, u"riese:65535:65535:z"_s);    // holds the game up: made small
    lege(o, u"Riese.jpg"_s, u"progressiv:16000:16000"_s); // the same
    lege(o, u"Monster.jpg"_s, u"progressiv:65500:65500"_s);
    schreibeDatei(QFile::encodeName(o) + "/Gr\xFCn.png", hochkantFoto({900, 300}));
    const QMultiHash<QByteArray, QString> vorher = inhalte(o);

    const Lauf reparatur = starte({u"--repair"_s, o});
    QCOMPARE(reparatur.status, 0);
    QVERIFY2(reparatur.ausgabe.contains(u"„Foto.jpg“ auf 576 × 432 Pixel verkleinert"_s),
             qPrintable(reparatur.ausgabe));
    const QMultiHash<QByteArray, QString> nachher = inhalte(o);
    for (auto it = vorher.begin(); it != vorher.end(); ++it)
        QVERIFY2(nachher.contains(it.key()), qPrintable(it.value()));
    QVERIFY(QFile::exists(o + u"/aussortiert/Thumbs.db"_s));
    QVERIFY(QFile::exists(o + u"/aussortiert/original/Foto.jpg"_s));
    QVERIFY(QFile::exists(o + u"/Katze (2).jpg"_s));
    QCOMPARE(QImageReader(o + u"/Grün.png"_s).size(), QSize(300, 900).scaled(496, 533, Qt::KeepAspectRatio));
    for (const QString& riese : {u"Riese.png"_s, u"Riese.jpg"_s}) {
        QVERIFY(QFile::exists(o + u"/aussortiert/original/"_s + riese));
        QCOMPARE(QImageReader(o + u'/' + riese).size(), QSize(496, 496));
    }
    QVERIFY(QFile::exists(o + u"/aussortiert/Monster.jpg"_s));

    QCOMPARE(starte({u"--check"_s, o}).status, 0);
    const QStringList namen = tk::listedFileNames(o);
    QCOMPARE(namen.size(), 15 + 8);
    for (const QString& name : namen) {
        const tk::Picture bild = tk::Picture::load(o + u'/' + name);
        QVERIFY(!bild.decode(QRect(0, 0, 624, 560)).isNull());
    }
}

void tst_Bilderpruefung::bildHinzufuegen()
{
    QTemporaryDir quelle, dir;
    schreibeDatei(QFile::encodeName(quelle.filePath(u"IMG_0001.JPG"_s)), hochkantFoto({1600, 800}));
    lege(quelle.path(), u"Zeichnung.bmp"_s, u"bmp:40:30"_s);
    QCOMPARE(kbb::wortVorschlag(quelle.filePath(u" Turm .JPG"_s)), u"Turm"_s);

    const kbb::Hinzugefuegt foto =
        kbb::fuegeBildHinzu(dir.path(), quelle.filePath(u"IMG_0001.JPG"_s), u"Turm"_s);
    QVERIFY2(foto.ok, qPrintable(foto.meldung));
    QCOMPARE(foto.datei, u"Turm.jpg"_s);
    QImageReader gelesen(dir.filePath(u"Turm.jpg"_s));
    QCOMPARE(gelesen.format(), QByteArray("jpeg"));
    QCOMPARE(gelesen.size(), QSize(266, 533)); // turned upright, wholly left of the button
    const kbb::Hinzugefuegt klein =
        kbb::fuegeBildHinzu(dir.path(), quelle.filePath(u"Zeichnung.bmp"_s), u"Haus"_s);
    QCOMPARE(klein.datei, u"Haus.png"_s);
    QCOMPARE(QImageReader(dir.filePath(u"Haus.png"_s)).size(), QSize(40, 30)); // never scaled up
    QVERIFY(!kbb::fuegeBildHinzu(dir.path(), quelle.filePath(u"Zeichnung.bmp"_s), u".Haus"_s).ok);
    QVERIFY(kbb::pruefeOrdner(dir.path()).befundZeilen().filter(u"Turm"_s).isEmpty());
}

void tst_Bilderpruefung::wortSchonDa()
{
    QTemporaryDir dir;
    lege(dir.path(), u"Turm.png"_s, u"png:50:50"_s);
    lege(dir.path(), u".neu.bmp"_s, u"bmp:60:60"_s); // hidden: no part of the folder's words
    const QString q = dir.filePath(u".neu.bmp"_s);

    const kbb::Hinzugefuegt nein = kbb::fuegeBildHinzu(dir.path(), q, u"turm"_s);
    QVERIFY(!nein.ok && nein.wortVorhanden);
    QCOMPARE(nein.vorhanden, u"Turm.png"_s);
    QCOMPARE(tk::listedFileNames(dir.path()), QStringList{u"Turm.png"_s});

    const kbb::Hinzugefuegt ja = kbb::fuegeBildHinzu(dir.path(), q, u"turm"_s, true);
    QVERIFY(ja.ok);
    QCOMPARE(tk::listedFileNames(dir.path()), QStringList{u"turm.png"_s});
    QCOMPARE(QImageReader(dir.filePath(u"aussortiert/Turm.png"_s)).size(), QSize(50, 50));
}

void tst_Bilderpruefung::saetzeFuellen()
{
    QTemporaryDir dir;
    const QString share = dir.filePath(u"share/kieselblick"_s);
    QDir().mkpath(share + u"/bilder"_s);
    QDir().mkpath(share + u"/saetze"_s);
    QDir().mkpath(dir.filePath(u"lib/kieselblick/bilder"_s));
    for (const QString& name : {u"Ast.png"_s, u"Bus.png"_s, u"Zug.png"_s})
        lege(share + u"/bilder"_s, name, u"png:80:80"_s);
    schreibeDatei(QFile::encodeName(share) + "/saetze/b.txt", "Name: Zwei\nZug.png\nFehlt.png\nAst.png\n");
    schreibeDatei(QFile::encodeName(share) + "/saetze/a.txt", "Name: Alle\n*\n");
    schreibeDatei(QFile::encodeName(share) + "/saetze/kaputt.txt", "Zug.png\n");

    QCOMPARE(kbb::shareOrdner(dir.filePath(u"lib/kieselblick"_s)), share);
    const QList<kbb::Bildersatz> s = kbb::saetze(share);
    QCOMPARE(s.size(), 2);
    QCOMPARE(s[0].name, u"Alle"_s);
    QCOMPARE(s[0].bilder.size(), 3);
    QCOMPARE(s[1].bilder, (QStringList{share + u"/bilder/Zug.png"_s, share + u"/bilder/Ast.png"_s}));

    const QString ordner = dir.filePath(u"lib/kieselblick/bilder"_s);
    lege(ordner, u"zug.jpg"_s, u"jpeg:80:80"_s);
    kbb::fuelleAusSatz(ordner, s[1], false);
    QCOMPARE(tk::listedFileNames(ordner), (QStringList{u"Ast.png"_s, u"zug.jpg"_s}));
    kbb::fuelleAusSatz(ordner, s[0], true);
    QCOMPARE(tk::listedFileNames(ordner), (QStringList{u"Ast.png"_s, u"Bus.png"_s, u"Zug.png"_s}));
    QCOMPARE(tk::listedFileNames(ordner + u"/aussortiert"_s), (QStringList{u"Ast.png"_s, u"zug.jpg"_s}));
}

void tst_Bilderpruefung::mitgelieferteSaetze()
{
    const QList<kbb::Bildersatz> s = kbb::saetze(QStringLiteral(KB_SOURCE_DIR "/assets"));
    QStringList namen;
    for (const kbb::Bildersatz& satz : s) {
        namen.append(satz.name);
        QVERIFY2(satz.bilder.size() >= 15, qPrintable(satz.name));
    }
    QVERIFY(namen.contains(u"Alle Bilder"_s) && namen.contains(u"Kurze Wörter"_s));
    for (const kbb::Bildersatz& satz : s)
        if (satz.name == u"Kurze Wörter")
            for (const QString& bild : satz.bilder)
                QVERIFY2(kb::Wort(QFileInfo(bild).fileName()).size() <= 4, qPrintable(bild));
}

void tst_Bilderpruefung::kommandozeile_data()
{
    QTest::addColumn<QString>("inhalt");
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<int>("status");
    QTest::newRow("in Ordnung") << u"15"_s << QStringList{u"--check"_s} << 0;
    QTest::newRow("zu wenige Wörter") << u"8"_s << QStringList{u"--check"_s} << 1;
    QTest::newRow("hält das Spiel an") << u"15+text"_s << QStringList{u"--check"_s} << 1;
    QTest::newRow("repariert") << u"15+text"_s << QStringList{u"--repair"_s} << 0;
    QTest::newRow("hält das Spiel lange auf") << u"15+riese"_s << QStringList{u"--check"_s} << 0;
    QTest::newRow("lange aufgehalten, repariert") << u"15+riese"_s << QStringList{u"--repair"_s} << 0;
    QTest::newRow("kein Ordner") << u"-"_s << QStringList{u"--check"_s} << 2;
    QTest::newRow("beides") << u"15"_s << QStringList{u"--check"_s, u"--repair"_s} << 2;
    QTest::newRow("unbekannt") << u"15"_s << QStringList{u"--pruefe"_s} << 2;
    QTest::newRow("Version") << u"15"_s << QStringList{u"--version"_s} << 0;
}

void tst_Bilderpruefung::kommandozeile()
{
    QFETCH(QString, inhalt);
    QFETCH(QStringList, argumente);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString ordner = inhalt == u"-" ? dir.filePath(u"fehlt"_s) : dir.path();
    for (int i = 0; i < inhalt.section(u'+', 0, 0).toInt(); ++i)
        lege(ordner, u"Bild%1.png"_s.arg(QChar(u'A' + i)), u"png:120:90"_s);
    if (inhalt.endsWith(u"+text"))
        lege(ordner, u"desktop.ini"_s, u"text"_s);
    if (inhalt.endsWith(u"+riese"))
        lege(ordner, u"Riese.png"_s, u"riese:65535:65535:z"_s);
    QElapsedTimer uhr;
    uhr.start();
    const Lauf lauf = starte(argumente << ordner);
    QCOMPARE(lauf.status, status);
    if (inhalt.endsWith(u"+riese")) {
        // --check judges the picture by its header and decodes it no longer than the
        // game would, where decoding it through took 21 seconds. Generous for a busy
        // machine and the sanitizers.
        const bool check = argumente.contains(u"--check"_s);
        QVERIFY2(!check || uhr.elapsed() < 5000, qPrintable(QString::number(uhr.elapsed())));
        // After the repair it is a small picture that holds nothing up.
        QCOMPARE(lauf.ausgabe.contains(u"Riese.png: Hält das Spiel lange auf"_s), check);
    }
    if (argumente.contains(u"--version"_s))
        QCOMPARE(lauf.ausgabe.trimmed(), u"kieselblick-bilder " KB_VERSION_STRING ""_s);
}

QTEST_MAIN(tst_Bilderpruefung)
#include "tst_bilderpruefung.moc"
