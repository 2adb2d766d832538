// Filling a picture folder: adding a picture for a word, and the shipped picture
// sets, whose files name plain pictures of their own folder and nothing else.
#include "bilderordner/kern/hinzufuegen.h"
#include "bilderordner/kern/pruefung.h"
#include "bilderordner/kern/saetze.h"
#include "regeln/wort.h"
#include "support/ordnerhilfe.h"

#include <QDate>
#include <QImageReader>
#include <QTemporaryDir>

using kbtest::schreibeBild;
using kbtest::schreibeDatei;

class tst_Bildersaetze : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bildHinzufuegen()
    {
        QTemporaryDir quelle, dir;
        schreibeDatei(QFile::encodeName(quelle.filePath(u"IMG_0001.JPG"_s)), hochkantFoto({1600, 800}));
        lege(quelle.path(), u"Zeichnung.bmp"_s, u"bmp:40:30"_s);

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

    // Replacing by a set or by an added picture moves files to "aussortiert" too.
    void ersetzenFolgtKeinemVerweis_data()
    {
        QTest::addColumn<bool>("satz");
        QTest::newRow("Satz ersetzt den Ordner") << true;
        QTest::newRow("Bild ersetzt ein Wort") << false;
    }
    void ersetzenFolgtKeinemVerweis()
    {
        QFETCH(bool, satz);
        QTemporaryDir dir;
        const QString bilder = dir.filePath(u"bilder"_s), draussen = dir.filePath(u"draussen"_s);
        QVERIFY(QDir().mkpath(bilder) && QDir().mkpath(draussen));
        QVERIFY(QFile::link(u"../draussen"_s, bilder + u"/aussortiert"_s));
        schreibeBild(bilder + u"/Zug.png"_s);
        schreibeBild(dir.filePath(u"Zug.png"_s), {60, 60});
        QString antwort;
        if (satz)
            antwort =
                kbb::fuelleAusSatz(bilder, {u"Probe"_s, {}, {dir.filePath(u"Zug.png"_s)}}, true).join(u'\n');
        else
            antwort = kbb::fuegeBildHinzu(bilder, dir.filePath(u"Zug.png"_s), u"Zug"_s, true).meldung;
        QVERIFY2(antwort.contains(u"„aussortiert“ ist ein Verweis"_s), qPrintable(antwort));
        QCOMPARE(dateienIn(draussen), (QMap<QString, QByteArray>{}));
        QCOMPARE(QImageReader(bilder + u"/Zug.png"_s).size(), QSize(40, 30));
    }

    void saetzeFuellen()
    {
        QTemporaryDir dir;
        const QString share = dir.filePath(u"share/kieselblick"_s);
        QDir().mkpath(share + u"/bilder"_s);
        QDir().mkpath(share + u"/saetze"_s);
        QDir().mkpath(dir.filePath(u"lib/kieselblick/bilder"_s));
        for (const QString& name : {u"Ast.png"_s, u"Bus.png"_s, u"Zug.png"_s})
            schreibeBild(share + u"/bilder/"_s + name, {80, 80}, "PNG",
                         QColor::fromHsv(name.front().unicode(), 200, 200));
        schreibeDatei(share + u"/saetze/b.txt"_s, "Name: Zwei\nZug.png\nFehlt.png\nAst.png\n");
        schreibeDatei(share + u"/saetze/a.txt"_s, "Name: Alle\n*\n");
        schreibeDatei(share + u"/saetze/kaputt.txt"_s, "Zug.png\n");

        const QList<kbb::Bildersatz> s = kbb::saetze(share);
        QCOMPARE(s.size(), 2);
        QCOMPARE(s[0].name, u"Alle"_s);
        QCOMPARE(s[0].bilder.size(), 3);
        QCOMPARE(s[1].bilder, (QStringList{share + u"/bilder/Zug.png"_s, share + u"/bilder/Ast.png"_s}));

        const QString ordner = dir.filePath(u"lib/kieselblick/bilder"_s);
        schreibeBild(ordner + u"/zug.jpg"_s, {80, 80}, "JPEG");
        kbb::fuelleAusSatz(ordner, s[1], false);
        QCOMPARE(tk::listedFileNames(ordner), (QStringList{u"Ast.png"_s, u"zug.jpg"_s}));
        kbb::fuelleAusSatz(ordner, s[0], true);
        QCOMPARE(tk::listedFileNames(ordner), (QStringList{u"Ast.png"_s, u"Bus.png"_s, u"Zug.png"_s}));
        // The teacher's own picture lies in a dated folder of its own; the set's
        // own "Ast.png" stayed where it was.
        const QString datiert =
            ordner + u"/aussortiert/"_s + QDate::currentDate().toString(Qt::ISODate) + u" vor Satz Alle"_s;
        QCOMPARE(tk::listedFileNames(datiert), QStringList{u"zug.jpg"_s});
        QCOMPARE(tk::listedFileNames(ordner + u"/aussortiert"_s), QStringList());
        // The same set again puts nothing aside and makes no "Ast (2).png".
        const QStringList zeilen = kbb::fuelleAusSatz(ordner, s[0], true);
        QCOMPARE(zeilen.first(), u"Kein Bild aus dem Satz „Alle“ kopiert."_s);
        QCOMPARE(tk::listedFileNames(ordner), (QStringList{u"Ast.png"_s, u"Bus.png"_s, u"Zug.png"_s}));
        QCOMPARE(tk::listedFileNames(datiert), QStringList{u"zug.jpg"_s});
        QCOMPARE(dateienIn(ordner + u"/aussortiert"_s).size(), 1);
    }

    void mitgelieferteSaetze()
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

    // What a line of a set file can name, and whether that file is copied.
    void satzdateien_data()
    {
        QTest::addColumn<QByteArray>("zeile");
        QTest::addColumn<QStringList>("kopiert");
        QTest::newRow("ein Bild des Satzes") << QByteArray("Zug.png") << QStringList{u"Zug.png"_s};
        QTest::newRow("Pfad nach oben") << QByteArray("../../geheim.png") << QStringList{};
        QTest::newRow("versteckte Datei") << QByteArray(".Versteck.png") << QStringList{};
        QTest::newRow("Verweis nach draußen") << QByteArray("Verweis.png") << QStringList{};
        QTest::newRow("kein Bild") << QByteArray("Notiz.png") << QStringList{};
        QTest::newRow("ein Ordner") << QByteArray("Ordner.png") << QStringList{};
        QTest::newRow("alle") << QByteArray("*") << QStringList{u"Zug.png"_s};
    }

    void satzdateien()
    {
        QFETCH(QByteArray, zeile);
        QFETCH(QStringList, kopiert);
        QTemporaryDir dir;
        const QString share = dir.filePath(u"share"_s), ordner = dir.filePath(u"bilder"_s);
        QVERIFY(QDir().mkpath(share + u"/saetze"_s) && QDir().mkpath(share + u"/bilder/Ordner.png"_s) &&
                QDir().mkpath(ordner));
        schreibeBild(share + u"/bilder/Zug.png"_s);
        schreibeBild(share + u"/bilder/.Versteck.png"_s);
        schreibeBild(dir.filePath(u"geheim.png"_s));
        schreibeDatei(share + u"/bilder/Notiz.png"_s, "keine Bilddaten\n");
        QVERIFY(QFile::link(dir.filePath(u"geheim.png"_s), share + u"/bilder/Verweis.png"_s));
        schreibeDatei(share + u"/saetze/satz.txt"_s, "Name: Probe\n" + zeile + "\n");

        const QList<kbb::Bildersatz> s = kbb::saetze(share);
        QCOMPARE(s.size(), 1);
        const QStringList zeilen = kbb::fuelleAusSatz(ordner, s[0], false);
        QCOMPARE(tk::listedFileNames(ordner), kopiert);
        QVERIFY(zeilen.first().startsWith(kopiert.isEmpty() ? u"Der Satz „Probe“ enthält keine Bilder"_s
                                                            : u"Ein Bild aus dem Satz „Probe“ kopiert."_s));
    }

    // A set whose pictures are all gone leaves the folder as it is, even when asked to replace it.
    void leererSatzErsetztNichts()
    {
        QTemporaryDir dir;
        schreibeBild(dir.filePath(u"Katze.png"_s));
        const kbb::Bildersatz leer{u"Leer"_s, u"leer.txt"_s, {}};
        kbb::fuelleAusSatz(dir.path(), leer, true);
        QCOMPARE(tk::listedFileNames(dir.path()), QStringList{u"Katze.png"_s});
        QVERIFY(!QFileInfo::exists(dir.filePath(u"aussortiert"_s)));
        // The sets come from folders fixed when the program was built, not from beside it.
        QCOMPARE(kbb::shareOrdner(), QStringLiteral(KB_SOURCE_DIR "/assets"));
    }
};

QTEST_MAIN(tst_Bildersaetze)
#include "tst_bildersaetze.moc"
