// The companion in a folder that a group of teachers shares, where any member
// may have planted a link or a strange name: repair, sets and adding a picture
// never move, copy or write anything out of the picture folder, never lose or
// overwrite a file, and print every name harmlessly.
#include "bilderordner/kern/hinzufuegen.h"
#include "bilderordner/kern/pruefung.h"
#include "bilderordner/kern/saetze.h"
#include "regeln/wort.h"
#include "support/ordnerhilfe.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <sys/mount.h>
#include <unistd.h>

using kbtest::schreibeBild;
using kbtest::schreibeDatei;

namespace {

// A file system of its own mounted at `ziel`, unmounted when the test ends.
bool haengeEin(const QString& ziel)
{
    return ::mount("kieselblick-test", QFile::encodeName(ziel).constData(), "tmpfs", 0, "size=1m") == 0;
}

} // namespace

class tst_Bilderablage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // How "aussortiert" and "aussortiert/original" may look when repair runs:
    // a file that stops the game goes to "aussortiert", a picture that is too
    // large is scaled and its original goes to "aussortiert/original".
    void reparaturOrdnerlage_data()
    {
        QTest::addColumn<QString>("lage");
        QTest::addColumn<bool>("verschoben");    // the two files left the picture folder
        QTest::addColumn<QString>("verweigert"); // the folder named in the refusal, or empty
        QTest::newRow("gewöhnlicher Ordner") << u"ordner"_s << true << QString();
        QTest::newRow("Verweis nach draußen") << u"verweis"_s << false << u"aussortiert"_s;
        QTest::newRow("eine Datei") << u"datei"_s << false << u"aussortiert"_s;
        QTest::newRow("original als Verweis") << u"original"_s << true << u"aussortiert/original"_s;
        QTest::newRow("eingehängtes Dateisystem") << u"mount"_s << false << u"aussortiert"_s;
        QTest::newRow("gleichnamige Dateien schon da") << u"belegt"_s << true << QString();
    }
    void reparaturOrdnerlage()
    {
        QFETCH(QString, lage);
        QFETCH(bool, verschoben);
        QFETCH(QString, verweigert);
        if (lage == u"mount" && ::geteuid() != 0) {
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL("CI must run as root to mount a file system.");
            QSKIP("Mounting needs root.");
        }
        QTemporaryDir dir;
        const QString bilder = dir.filePath(u"bilder"_s), draussen = dir.filePath(u"draussen"_s);
        QVERIFY(QDir().mkpath(bilder) && QDir().mkpath(draussen + u"/original"_s));
        bilderIn(bilder);
        schreibeDatei(bilder + u"/desktop.ini"_s, "[.ShellClassInfo]\n");
        schreibeBild(bilder + u"/Riese.png"_s, {3000, 2000});
        const QString aus = bilder + u"/aussortiert"_s;
        if (lage == u"verweis")
            QVERIFY(QFile::link(draussen, aus));
        else if (lage == u"datei")
            schreibeDatei(aus, "kein Ordner");
        else if (lage == u"original")
            QVERIFY(QDir().mkpath(aus) && QFile::link(u"../../draussen/original"_s, aus + u"/original"_s));
        else if (lage == u"mount")
            QVERIFY(QDir().mkpath(aus) && haengeEin(aus));
        else if (lage == u"belegt") {
            QVERIFY(QDir().mkpath(aus + u"/original"_s));
            schreibeDatei(aus + u"/desktop.ini"_s, "die alte Datei\n");
            schreibeDatei(aus + u"/original/Riese.png"_s, "das alte Original\n");
        }
        const auto aushaengen = qScopeGuard([&] {
            if (lage == u"mount")
                ::umount(QFile::encodeName(aus).constData());
        });
        const auto vorher = dateienIn(dir.path());

        const Lauf lauf = starte({u"--repair"_s, bilder});
        const QString text = lauf.ausgabe;

        QCOMPARE(dateienIn(draussen), (QMap<QString, QByteArray>{}));
        const QStringList liste = tk::listedFileNames(bilder);
        QCOMPARE(!liste.contains(u"desktop.ini"_s), verschoben);
        if (verweigert.isEmpty()) {
            QCOMPARE(lauf.status, 0);
            QVERIFY2(!text.contains(u"nichts dorthin verschoben"_s), qPrintable(text));
            QCOMPARE(QImageReader(bilder + u"/Riese.png"_s).size().width() < 3000, true);
        } else {
            // A refused step says why, once, and changes nothing: what stops the game stays.
            QCOMPARE(lauf.status, 1);
            QCOMPARE(text.count(u"„%1“"_s.arg(verweigert) + u" ist"_s), 1);
            QCOMPARE(QImageReader(bilder + u"/Riese.png"_s).size(), QSize(3000, 2000));
            if (lage == u"original")
                QVERIFY(!liste.contains(u"desktop.ini"_s));
            else
                QCOMPARE(dateienIn(dir.path()), vorher);
        }
        if (lage == u"belegt") {
            // What was there keeps its bytes; the newcomer gets a free name in "aussortiert".
            const auto danach = dateienIn(aus);
            QCOMPARE(danach.value(u"desktop.ini"_s), vorher.value(u"bilder/aussortiert/desktop.ini"_s));
            QCOMPARE(danach.value(u"desktop (2).ini"_s), vorher.value(u"bilder/desktop.ini"_s));
            QCOMPARE(danach.value(u"original/Riese.png"_s),
                     vorher.value(u"bilder/aussortiert/original/Riese.png"_s));
            QCOMPARE(danach.value(u"original/Riese (2).png"_s), vorher.value(u"bilder/Riese.png"_s));
        }
    }

    // Links that repair moves keep pointing at the same file from their new place.
    void relativeVerweiseBleibenGueltig()
    {
        QTemporaryDir dir;
        const QString bilder = dir.filePath(u"bilder"_s), quelle = dir.filePath(u"quelle"_s);
        QVERIFY(QDir().mkpath(bilder) && QDir().mkpath(quelle));
        bilderIn(bilder);
        schreibeDatei(quelle + u"/notiz.png"_s, "keine Bilddaten");
        schreibeBild(quelle + u"/Riese.png"_s, {3000, 2000});
        QVERIFY(QFile::link(u"../quelle/notiz.png"_s, bilder + u"/Notiz.png"_s));
        QVERIFY(QFile::link(u"../quelle/Riese.png"_s, bilder + u"/Riese.png"_s));

        QCOMPARE(starte({u"--repair"_s, bilder}).status, 0);

        QCOMPARE(QFileInfo(bilder + u"/aussortiert/Notiz.png"_s).canonicalFilePath(),
                 QFileInfo(quelle + u"/notiz.png"_s).canonicalFilePath());
        QCOMPARE(QFileInfo(bilder + u"/aussortiert/original/Riese.png"_s).canonicalFilePath(),
                 QFileInfo(quelle + u"/Riese.png"_s).canonicalFilePath());
        QCOMPARE(QImageReader(quelle + u"/Riese.png"_s).size(), QSize(3000, 2000));
        QVERIFY(!QFileInfo(bilder + u"/Riese.png"_s).isSymLink());
    }

    // A repair never makes a word with a number the teacher did not write.
    void reparaturErfindetKeineNummern()
    {
        QTemporaryDir dir;
        schreibeBild(dir.filePath(u"Katze.jpeg"_s), {120, 90}, "JPEG");
        schreibeBild(dir.filePath(u"Katze.jpg"_s), {120, 90}, "JPEG", Qt::darkRed);
        // A GIF, which Qt reads but cannot write: ImageMagick writes it.
        QCOMPARE(QProcess::execute(u"convert"_s,
                                   {u"-size"_s, u"1200x900"_s, u"xc:gray"_s, dir.filePath(u"Igel.gif"_s)}),
                 0);
        schreibeBild(dir.filePath(u"Igel.png"_s), {120, 90});
        const Lauf lauf = starte({u"--repair"_s, dir.path()});
        QCOMPARE(tk::listedFileNames(dir.path()), (QStringList{u"Igel.png"_s, u"Katze.jpg"_s}));
        QCOMPARE(tk::listedFileNames(dir.filePath(u"aussortiert"_s)), QStringList{u"Katze.jpeg"_s});
        QCOMPARE(tk::listedFileNames(dir.filePath(u"aussortiert/original"_s)), QStringList{u"Igel.gif"_s});
        QVERIFY2(lauf.ausgabe.contains(u"„Katze.jpg“ gibt es schon"_s), qPrintable(lauf.ausgabe));
    }

    // Words a child cannot read, and a word that would be a path.
    void woerter_data()
    {
        QTest::addColumn<QString>("wort");
        QTest::addColumn<QString>("lesbar"); // the word after repair; empty: refused as a file name
        QTest::addColumn<bool>("kopie");     // the same picture lies there under the readable name too
        QTest::newRow("Zeilenumbruch") << u"Kat\nze"_s << u"Katze"_s << false;
        QTest::newRow("Zeilenumbruch, Kopie daneben") << u"Kat\nze"_s << u"Katze"_s << true;
        QTest::newRow("Escape-Folge") << u"\x1b[2J\x1b[HIn Ordnung"_s << u"[2J[HIn Ordnung"_s << false;
        QTest::newRow("Nullbreite") << u"Ma\u200Bus"_s << u"Maus"_s << false;
        QTest::newRow("Nullbreite, Kopie daneben") << u"Ma\u200Bus"_s << u"Maus"_s << true;
        QTest::newRow("Richtungswechsel") << u"\u202EesuaM"_s << u"esuaM"_s << false;
        QTest::newRow("Schrägstrich nach oben") << u"../draussen"_s << QString() << false;
    }

    void woerter()
    {
        QFETCH(QString, wort);
        QFETCH(QString, lesbar);
        QFETCH(bool, kopie);
        QTemporaryDir dir;
        const QString bilder = dir.filePath(u"bilder"_s);
        QVERIFY(QDir().mkpath(bilder));
        const QString quelle = dir.filePath(u"quelle.png"_s);
        schreibeBild(quelle, {120, 90});

        // The add dialog refuses the word, and nothing is written anywhere.
        QVERIFY(!kbb::wortFehler(wort).isEmpty());
        QVERIFY(!kbb::fuegeBildHinzu(bilder, quelle, wort).ok);
        QCOMPARE(dateienIn(dir.path()).keys(), QStringList{u"quelle.png"_s});
        if (lesbar.isEmpty())
            return;

        // Put there by hand, the check names it, escaped, on one line each.
        schreibeBild(bilder + u'/' + wort + u".png"_s, {120, 90});
        const kbb::Ordnerbericht b = kbb::pruefeOrdner(bilder);
        QCOMPARE(b.dateien.size(), 1);
        QVERIFY(b.dateien[0].hat(kbb::Befund::UnsichtbareZeichen));
        const Lauf pruefung = starte({u"--check"_s, bilder});
        QCOMPARE(pruefung.status, 1);
        for (const char c : pruefung.roh)
            QVERIFY2(uchar(c) >= 0x20 || c == '\n', pruefung.roh.constData());
        QVERIFY(!pruefung.roh.contains("\u200B") && !pruefung.roh.contains("\u202E"));
        QCOMPARE(pruefung.roh.count('\n'),
                 qsizetype(b.befundZeilen().size() + b.zusammenfassung().zeilen().size()));

        // Repair gives it a name a child can read. Where the same picture lies
        // there under that name already, that one stays and this one goes.
        if (kopie)
            QVERIFY(QFile::copy(bilder + u'/' + wort + u".png"_s, bilder + u'/' + lesbar + u".png"_s));
        QCOMPARE(starte({u"--repair"_s, bilder}).status, 1);
        QCOMPARE(tk::listedFileNames(bilder), QStringList{lesbar + u".png"_s});
        QCOMPARE(tk::listedFileNames(bilder + u"/aussortiert"_s),
                 kopie ? QStringList{wort + u".png"_s} : QStringList());
    }
};

QTEST_MAIN(tst_Bilderablage)
#include "tst_bilderablage.moc"
