// The picture-folder companion's engine and command line on real files in real
// folders: the judgement of every kind of file, copies, the summary of a folder,
// repair without loss, adding a picture, and the exit statuses of
// kieselblick-bilder.
#include "bilderordner/kern/hinzufuegen.h"
#include "bilderordner/kern/pruefung.h"
#include "bilderordner/kern/reparatur.h"
#include "bilderordner/kern/saetze.h"
#include "regeln/wort.h"
#include "support/ordnerhilfe.h"
#include "support/spielumgebung.h"
#include "support/testbilder.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <unistd.h>

using kbb::Befund;
Q_DECLARE_METATYPE(QList<kbb::Befund>)

class tst_Bilderpruefung : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void befundJeDatei_data();
    void befundJeDatei();
    void woerterImVergleich();
    void nameOhneUtf8();
    void reparaturVerliertNichts();
    void kopien_data();
    void kopien();
    void zusammenfassung_data();
    void zusammenfassung();
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
    lege(o, u"Katze.jpg"_s, u"jpeg:210:200"_s);   // ".jpeg" must neither replace it nor become "Katze (2)"
    lege(o, u"Foto.jpeg"_s, u"jpeg:1600:1200"_s); // renamed and scaled
    lege(o, u"Knopf.gif"_s, u"png:600:500"_s);    // a PNG by its content
    lege(o, u"Knopf.bmp"_s, u"bmp:600:500"_s);
    schreibeDatei(QFile::encodeName(o) + "/Gr\xFCn.png", hochkantFoto({900, 300}));
    const QMultiHash<QByteArray, QString> vorher = inhalte(o);

    // What repair cannot decide stays, and keeps the folder amber: two pictures
    // for "Knopf".
    const Lauf reparatur = starte({u"--repair"_s, o});
    QCOMPARE(reparatur.status, 1);
    QVERIFY2(reparatur.ausgabe.contains(u"„Foto.jpg“ auf 576 × 432 Pixel verkleinert"_s),
             qPrintable(reparatur.ausgabe));
    const QMultiHash<QByteArray, QString> nachher = inhalte(o);
    for (auto it = vorher.begin(); it != vorher.end(); ++it)
        QVERIFY2(nachher.contains(it.key()), qPrintable(it.value()));
    QVERIFY(QFile::exists(o + u"/aussortiert/Thumbs.db"_s));
    QVERIFY(QFile::exists(o + u"/aussortiert/original/Foto.jpg"_s));
    QVERIFY(QFile::exists(o + u"/aussortiert/Katze.jpeg"_s));
    QCOMPARE(QImageReader(o + u"/Grün.png"_s).size(), QSize(300, 900).scaled(496, 533, Qt::KeepAspectRatio));

    const kbb::Ordnerbericht danach = kbb::pruefeOrdner(o);
    QCOMPARE(danach.ampel(), kbb::Ampel::Gelb);
    for (const kbb::Datei& d : danach.dateien)
        QVERIFY2(d.meldungen.isEmpty() ||
                     (d.wort == u"Knopf" && d.hat(Befund::GleichesWort) && d.meldungen.size() == 1),
                 qPrintable(d.name));
    const QStringList namen = tk::listedFileNames(o);
    QCOMPARE(namen.size(), 15 + 5);
    for (const QString& name : namen) {
        const tk::Picture bild = tk::Picture::load(o + u'/' + name);
        QVERIFY(!bild.decode(QRect(0, 0, 624, 560)).isNull());
    }
}

// Copies a child would see twice, or read with their copy's name.
void tst_Bilderpruefung::kopien_data()
{
    QTest::addColumn<QStringList>("dateien"); // "name=art"; "=" alone: the same bytes as the file before
    QTest::addColumn<QStringList>("befunde"); // "name:Befund" per finding
    QTest::addColumn<QStringList>("danach");  // the folder after repair
    QTest::newRow("gleicher Inhalt, Name einer Kopie")
        << QStringList{u"Maus.png=png:80:80"_s, u"Kopie von Maus.png="_s}
        << QStringList{u"Kopie von Maus.png:KopieName"_s, u"Kopie von Maus.png:GleicherInhalt"_s}
        << QStringList{u"Maus.png"_s};
    QTest::newRow("gleicher Inhalt, eigene Namen")
        << QStringList{u"Hase.png=png:80:80"_s, u"Kaninchen.png="_s}
        << QStringList{u"Kaninchen.png:GleicherInhalt"_s} << QStringList{u"Hase.png"_s};
    QTest::newRow("Nummer beim Original")
        << QStringList{u"Ente.png=png:80:80"_s, u"Ente (2).png=png:90:80"_s}
        << QStringList{u"Ente (2).png:KopieName"_s} << QStringList{u"Ente (2).png"_s, u"Ente.png"_s};
    QTest::newRow("Kopie ohne Original")
        << QStringList{u"Igel - Kopie.png=png:80:80"_s} << QStringList{u"Igel - Kopie.png:KopieName"_s}
        << QStringList{u"Igel.png"_s};
    QTest::newRow("englisch") << QStringList{u"Copy of Hund.png=png:80:80"_s, u"Katze copy.jpg=jpeg:80:80"_s}
                              << QStringList{u"Copy of Hund.png:KopieName"_s, u"Katze copy.jpg:KopieName"_s}
                              << QStringList{u"Hund.png"_s, u"Katze.jpg"_s};
    QTest::newRow("Zahlen, die zum Wort gehören")
        << QStringList{u"Sonne2.png=png:80:80"_s, u"Bär (Braunbär).png=png:90:80"_s} << QStringList{}
        << QStringList{u"Bär (Braunbär).png"_s, u"Sonne2.png"_s};
}

void tst_Bilderpruefung::kopien()
{
    QFETCH(QStringList, dateien);
    QFETCH(QStringList, befunde);
    QTemporaryDir dir;
    QString vorige;
    for (const QString& d : dateien) {
        const QString name = d.section(u'=', 0, 0), art = d.section(u'=', 1);
        if (art.isEmpty())
            QVERIFY(QFile::copy(dir.filePath(vorige), dir.filePath(name)));
        else
            lege(dir.path(), name, art);
        vorige = name;
    }
    const auto name = [](Befund b) { return b == Befund::KopieName ? u"KopieName"_s : u"GleicherInhalt"_s; };
    QStringList gefunden;
    for (const kbb::Datei& d : kbb::pruefeOrdner(dir.path()).dateien)
        for (const kbb::Meldung& m : d.meldungen)
            if (m.befund == Befund::KopieName || m.befund == Befund::GleicherInhalt)
                gefunden.append(d.name + u':' + name(m.befund));
    gefunden.sort();
    befunde.sort();
    QCOMPARE(gefunden, befunde);
    // Repair puts a copy aside and gives a lone copy the word it was made from.
    QFETCH(QStringList, danach);
    kbb::repariere(dir.path());
    QStringList namen = tk::listedFileNames(dir.path());
    namen.sort();
    QCOMPARE(namen, danach);
}

// The summary of a folder with so many pictures of different words: its exact
// German, its colour, and the exit status of --check.
void tst_Bilderpruefung::zusammenfassung_data()
{
    QTest::addColumn<QString>("inhalt");
    QTest::addColumn<QStringList>("zeilen"); // %1: the folder
    QTest::addColumn<int>("ampel");
    const auto zeile = [](const char* name, const char* inhalt, QStringList zeilen, kbb::Ampel ampel) {
        QTest::newRow(name) << QString::fromUtf8(inhalt) << zeilen << int(ampel);
    };
    const QString rot =
        u"Nicht in Ordnung: das Spiel endet mit einem Fehler oder lässt sich nicht spielen."_s;
    const QString gelb =
        u"Spielbar, aber nicht alles in Ordnung: das Kind sieht etwas, das nicht stimmt, oder "
        "nicht jede Stufe geht (siehe oben)."_s;
    const QString darf = u"Der Ordner darf geändert werden."_s;
    const QString brauchen =
        u"die Stufen 1 und 3 brauchen 9 Bilder mit verschiedenen Wörtern, die Stufen 2, 4 "
        "und 5 brauchen 15; der Ordner hat "_s;
    zeile("0 Bilder", "0",
          {u"Der Ordner „%1“ ist leer."_s, u"Keine Stufe kann gespielt werden: "_s + brauchen + u"keines."_s,
           darf, rot},
          kbb::Ampel::Rot);
    zeile("1 Bild", "1",
          {u"Ordner „%1“: 1 Datei, 1 Wort."_s,
           u"Keine Stufe kann gespielt werden: "_s + brauchen + u"eines."_s, darf, rot},
          kbb::Ampel::Rot);
    zeile("8 Bilder", "8",
          {u"Ordner „%1“: 8 Dateien, 8 verschiedene Wörter."_s,
           u"Keine Stufe kann gespielt werden: "_s + brauchen + u"8."_s, darf, rot},
          kbb::Ampel::Rot);
    const QString nurZwei =
        u"Nur die Stufen 1 und 3 können gespielt werden: die Stufen 2, 4 und 5 brauchen 15 "
        "Bilder mit verschiedenen Wörtern; der Ordner hat "_s;
    zeile("9 Bilder", "9",
          {u"Ordner „%1“: 9 Dateien, 9 verschiedene Wörter."_s, nurZwei + u"9."_s, darf, gelb},
          kbb::Ampel::Gelb);
    zeile("14 Bilder", "14",
          {u"Ordner „%1“: 14 Dateien, 14 verschiedene Wörter."_s, nurZwei + u"14."_s, darf, gelb},
          kbb::Ampel::Gelb);
    const QString alle = u"Alle Stufen (1 bis 5) können gespielt werden."_s;
    zeile("15 Bilder", "15",
          {u"Ordner „%1“: 15 Dateien, 15 verschiedene Wörter."_s, alle, darf, u"In Ordnung."_s},
          kbb::Ampel::Gruen);
    zeile("15 Bilder, eines zu groß", "15+gross",
          {u"Ordner „%1“: 16 Dateien, 16 verschiedene Wörter."_s, alle, darf, gelb}, kbb::Ampel::Gelb);
    zeile("15 Bilder und kein Bild", "15+text",
          {u"Ordner „%1“: 16 Dateien, 15 verschiedene Wörter."_s, alle,
           u"Eine Datei beendet das Spiel mit einem Fehler."_s, darf, rot},
          kbb::Ampel::Rot);
}

void tst_Bilderpruefung::zusammenfassung()
{
    QFETCH(QString, inhalt);
    QFETCH(QStringList, zeilen);
    QFETCH(int, ampel);
    QTemporaryDir dir;
    for (int i = 0; i < inhalt.section(u'+', 0, 0).toInt(); ++i)
        lege(dir.path(), u"Bild%1.png"_s.arg(QChar(u'A' + i)), u"png:120:90"_s);
    if (inhalt.endsWith(u"+text"))
        lege(dir.path(), u"desktop.ini"_s, u"text"_s);
    if (inhalt.endsWith(u"+gross"))
        lege(dir.path(), u"Riese.png"_s, u"png:900:700"_s);
    const kbb::Ordnerbericht b = kbb::pruefeOrdner(dir.path());
    QCOMPARE(int(b.ampel()), ampel);
    QCOMPARE(b.zusammenfassung().zeilen(), zeilen.replaceInStrings(u"%1"_s, dir.path()));
    const Lauf lauf = starte({u"--check"_s, dir.path()});
    QCOMPARE(lauf.status, ampel == int(kbb::Ampel::Gruen) ? 0 : 1);
    QVERIFY(lauf.ausgabe.endsWith(zeilen.join(u'\n') + u'\n'));
}

void tst_Bilderpruefung::kommandozeile_data()
{
    QTest::addColumn<QString>("inhalt");
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("fehler"); // the start of what it prints on standard error
    QTest::newRow("in Ordnung") << u"15"_s << QStringList{u"--check"_s} << 0 << QString();
    QTest::newRow("zu wenige Wörter") << u"8"_s << QStringList{u"--check"_s} << 1 << QString();
    QTest::newRow("beendet das Spiel") << u"15+text"_s << QStringList{u"--check"_s} << 1 << QString();
    QTest::newRow("beschädigtes PNG") << u"15+halb"_s << QStringList{u"--check"_s} << 1 << QString();
    QTest::newRow("repariert") << u"15+text"_s << QStringList{u"--repair"_s} << 0 << QString();
    QTest::newRow("kein Ordner") << u"-"_s << QStringList{u"--check"_s} << 2 << QString();
    QTest::newRow("beides") << u"15"_s << QStringList{u"--check"_s, u"--repair"_s} << 2
                            << u"Bitte nur einen Ordner und nur eine der Aufgaben angeben."_s;
    QTest::newRow("unbekannt") << u"15"_s << QStringList{u"--pruefe"_s} << 2
                               << u"Unbekannte Option 'pruefe'."_s;
    QTest::newRow("Hilfe") << u"15"_s << QStringList{u"--help"_s} << 0 << QString();
    QTest::newRow("Version") << u"15"_s << QStringList{u"--version"_s} << 0 << QString();
}

// Exit statuses, German help, and nothing on standard error but the program's
// own German sentences: no warning of Qt's, no library's message about a
// damaged picture, also without a runtime folder.
void tst_Bilderpruefung::kommandozeile()
{
    QFETCH(QString, inhalt);
    QFETCH(QStringList, argumente);
    QFETCH(int, status);
    QFETCH(QString, fehler);
    QTemporaryDir dir;
    const QString ordner = inhalt == u"-" ? dir.filePath(u"fehlt"_s) : dir.path();
    for (int i = 0; i < inhalt.section(u'+', 0, 0).toInt(); ++i)
        lege(ordner, u"Bild%1.png"_s.arg(QChar(u'A' + i)), u"png:120:90"_s);
    if (inhalt.endsWith(u"+text"))
        lege(ordner, u"desktop.ini"_s, u"text"_s);
    if (inhalt.endsWith(u"+halb"))
        lege(ordner, u"Kaputt.png"_s, u"halb"_s);
    qunsetenv("XDG_RUNTIME_DIR");
    const Lauf lauf = starte(argumente << ordner);
    QCOMPARE(lauf.status, status);
    QVERIFY2(fehler.isEmpty() ? lauf.fehler.isEmpty() : lauf.fehler.startsWith(fehler),
             qPrintable(lauf.fehler));
    if (argumente.contains(u"--version"_s))
        QCOMPARE(lauf.ausgabe.trimmed(), u"kieselblick-bilder " KB_VERSION_STRING ""_s);
    if (argumente.contains(u"--help"_s))
        for (const QString& deutsch : {u"Aufruf:"_s, u"Optionen:"_s, u"Zeigt Hilfe"_s, u"Argumente:"_s})
            QVERIFY2(lauf.ausgabe.contains(deutsch), qPrintable(lauf.ausgabe));
}

QTEST_MAIN(tst_Bilderpruefung)
#include "tst_bilderpruefung.moc"
