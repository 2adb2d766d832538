// The picture pool and the random draw of a round, played through the real
// presentation screens with scripted random numbers and real clicks.
#include "darbietung_hilfe.h"
#include "presentation/bilderziehung.h"

#include <QDir>

using namespace tk;
using namespace kbtest;
using modVariablen::Bildzaehler;
using modVariablen::Doppelt;

class tst_Bilderziehung : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { nachbarschirmeAnmelden(); }

    // Each slot seeds once; a repeated position is drawn again at once, without
    // seeding again; the first slot takes its first number.
    void repeatedPositionsAreDrawnAgain()
    {
        Spiel spiel;
        spiel.bilderOrdner(bilddateien(12));
        spiel.services.scriptedNumbers = {zahlFuer(3, 12),                                   // slot 0
                                          zahlFuer(3, 12), zahlFuer(5, 12),                  // slot 1
                                          zahlFuer(5, 12), zahlFuer(3, 12), zahlFuer(0, 12), // slot 2
                                          zahlFuer(11, 12)};                                 // slot 3
        spiel.starte(QStringLiteral("frmSchw1"));
        Form* f = spiel.aktuell();
        QVERIFY(f);
        weiter(f);
        QCOMPARE(spiel.services.randomizeCalls, 1);
        QCOMPARE(spiel.services.rndCalls, 1);
        QCOMPARE(zufallszahlen(), (QList<double>{3}));
        for (int i = 0; i < 3; ++i)
            weiter(f);
        QCOMPARE(spiel.services.randomizeCalls, 4);
        QCOMPARE(spiel.services.rndCalls, 7);
        QCOMPARE(zufallszahlen(), (QList<double>{3, 5, 0, 11}));
        QCOMPARE(bildnamen(), (QStringList{"Bild04", "Bild06", "Bild01", "Bild12"}));
        QCOMPARE(Doppelt, false);
        const FileListBox& File1 = f->fileList(QStringLiteral("File1"));
        QCOMPARE(File1.ListIndex(), 11);
        QCOMPARE(File1.FileName(), QStringLiteral("Bild12.png"));
    }

    // The positions of an earlier round play no part in the next one, and a round
    // of 9 after a round of 15 leaves exactly 9 elements in both arrays.
    void roundOfNineAfterRoundOfFifteen()
    {
        Spiel spiel;
        spiel.bilderOrdner(bilddateien(20));
        spiel.starte(QStringLiteral("frmSchw2"));
        for (int i = 0; i < 8; ++i)
            weiter(spiel.geladen(QStringLiteral("frmSchw2")));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAusw2"));
        QCOMPARE(modVariablen::Bildnamen.UBound(), 14);
        const double ersterPlatz = modVariablen::Zufallszahlen(0);

        // The menu's screen change: unload the board, show level 1.
        Program::instance().dispatch([] {
            Unload(*Program::instance().current());
            Show(QStringLiteral("frmSchw1"), vbModal);
        });
        Spiel::ruhe();
        Form* f = spiel.aktuell();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchw1"));
        QCOMPARE(Bildzaehler, 0.0);
        spiel.services.scriptedNumbers = {zahlFuer(int(ersterPlatz), 20)};
        const int vorher = spiel.services.rndCalls;
        weiter(f);
        QCOMPARE(spiel.services.rndCalls - vorher, 1); // the old round's position is taken at once
        QCOMPARE(modVariablen::Zufallszahlen(0), ersterPlatz);
        QCOMPARE(modVariablen::Bildnamen.UBound(), 0);
        QCOMPARE(modVariablen::Zufallszahlen.UBound(), 0);
        for (int i = 0; i < 4; ++i)
            weiter(f);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAusw1"));
        QCOMPARE(modVariablen::Bildnamen.UBound(), 8);
        QCOMPARE(modVariablen::Zufallszahlen.UBound(), 8);
        QVERIFY(alleVerschieden(bildnamen()));
    }

    void exactlyTFilesUseEachFileOnce_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<int>("slots");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Stufe 1") << "frmSchw1" << 9 << 5;
        QTest::newRow("Stufe 2") << "frmSchw2" << 15 << 8;
    }

    // With as many files as slots, the real generator's round uses every file once.
    void exactlyTFilesUseEachFileOnce()
    {
        QFETCH(QString, screen);
        QFETCH(int, slots);
        QFETCH(int, clicks);
        for (int runde = 0; runde < 5; ++runde) {
            Spiel spiel;
            spiel.services.clock = 1000 + runde;
            spiel.bilderOrdner(bilddateien(slots));
            spiel.starte(screen);
            for (int i = 0; i < clicks; ++i)
                weiter(spiel.geladen(screen));
            QVERIFY(!spiel.geladen(screen));
            QStringList words = bildnamen();
            words.sort();
            QStringList expected = bilddateien(slots);
            for (QString& name : expected)
                name.chop(4);
            QCOMPARE(words, expected);
            QList<double> positions = zufallszahlen();
            std::sort(positions.begin(), positions.end());
            for (int i = 0; i < slots; ++i)
                QCOMPARE(positions.at(i), double(i));
            QCOMPARE(Bildzaehler, double(slots));
            QCOMPARE(Doppelt, false);
        }
    }

    // Two files that differ only in their extension give one word: the second one
    // drawn is turned away like a repeated position.
    void duplicateWordIsTurnedAway()
    {
        Spiel spiel;
        QStringList names = bilddateien(8);
        names << QStringLiteral("Hund.jpg") << QStringLiteral("Hund.png");
        spiel.bilderOrdner(names); // sorted: Bild01..Bild08, Hund.jpg, Hund.png
        spiel.services.scriptedNumbers = {zahlFuer(8, 10), zahlFuer(9, 10), zahlFuer(2, 10)};
        spiel.starte(QStringLiteral("frmSchw1"));
        Form* f = spiel.aktuell();
        weiter(f);
        weiter(f);
        QCOMPARE(spiel.services.rndCalls, 3);
        QCOMPARE(zufallszahlen(), (QList<double>{8, 2}));
        QCOMPARE(bildnamen(), (QStringList{"Hund", "Bild03"}));
        for (int i = 0; i < 3; ++i)
            weiter(f);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAusw1"));
        QStringList words = bildnamen();
        QCOMPARE(words.count(QStringLiteral("Hund")), 1);
        QVERIFY(alleVerschieden(words));
        QVERIFY(!zufallszahlen().contains(9.0));
    }

    // Whatever the generator gives, no round hands a word twice to its board.
    void duplicateWordNeverReachesTheBoard()
    {
        QStringList names;
        for (const char* word : {"Hund", "Katze", "Maus", "Igel", "Hase", "Fuchs", "Bär", "Reh"})
            names << QString::fromUtf8(word) + QStringLiteral(".png")
                  << QString::fromUtf8(word) + QStringLiteral(".jpg");
        names << QStringLiteral("Eule.png") << QStringLiteral("Eule.bmp") << QStringLiteral("Eule.gif");
        for (int runde = 0; runde < 40; ++runde) {
            Spiel spiel;
            spiel.services.clock = 77 * runde;
            spiel.bilderOrdner(names); // 19 files, 9 words
            spiel.starte(QStringLiteral("frmSchw1"));
            for (int i = 0; i < 5; ++i)
                weiter(spiel.geladen(QStringLiteral("frmSchw1")));
            QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAusw1"));
            QVERIFY2(alleVerschieden(bildnamen()), qPrintable(bildnamen().join(QLatin1Char(' '))));
        }
    }

    // The word is the file name less its last four characters, counted, not cut
    // at the dot; a file whose word would be empty is no part of the pool.
    void wordsAndFilesWithoutWord()
    {
        Spiel spiel;
        QStringList names = bilddateien(6);
        names << QStringLiteral("Zebra.jpeg") << QStringLiteral("Tintenfisch") << QString::fromUtf8("Bär.png")
              << QStringLiteral("Ohr") << QStringLiteral("Uhr.") << QStringLiteral("a.gi");
        spiel.bilderOrdner(names);
        spiel.starte(QStringLiteral("frmSchw1"));
        Form* f = spiel.aktuell();
        QVERIFY(f);
        const QStringList liste = f->fileList(QStringLiteral("File1")).entries();
        QCOMPARE(liste.size(), 12);
        auto zahl = [&liste](const char* name) {
            return zahlFuer(int(liste.indexOf(QString::fromUtf8(name))), 12);
        };
        // Each file without a word is drawn first and turned away.
        spiel.services.scriptedNumbers = {zahl("a.gi"),        zahl("Zebra.jpeg"), zahl("Ohr"),
                                          zahl("Tintenfisch"), zahl("Uhr."),       zahl("Bär.png")};
        for (int i = 0; i < 3; ++i)
            weiter(f);
        QCOMPARE(spiel.services.rndCalls, 6);
        QCOMPARE(bildnamen(), (QStringList{"Zebra.", "Tintenf", QString::fromUtf8("Bär")}));
        weiter(f);
        weiter(f);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAusw1"));
        const QStringList words = bildnamen();
        QVERIFY(!words.contains(QString()));
        QCOMPARE(words.size(), 9);
        QVERIFY(alleVerschieden(words));
    }

    void tooFewPicturesRefuseTheLevel_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("found");
        QTest::addColumn<int>("needed");
        QStringList shared = bilddateien(8);
        shared << QStringLiteral("Bild01.jpg");
        QStringList shortNames = bilddateien(14);
        shortNames << QStringLiteral("Ohr") << QStringLiteral("a.gi");
        QTest::newRow("Stufe 1, 8 Bilder") << "frmSchw1" << bilddateien(8) << "nur 8 verwendbare Bilder" << 9;
        QTest::newRow("Stufe 3, 9 Dateien, 8 Wörter")
            << "frmSchw3" << shared << "nur 8 verwendbare Bilder" << 9;
        QTest::newRow("Stufe 2, 14 Bilder")
            << "frmSchw2" << bilddateien(14) << "nur 14 verwendbare Bilder" << 15;
        QTest::newRow("Stufe 4, kurze Namen")
            << "frmSchw4" << shortNames << "nur 14 verwendbare Bilder" << 15;
        QTest::newRow("Stufe 5, ein Bild")
            << "frmSchw5" << bilddateien(1) << "nur ein verwendbares Bild" << 15;
        QTest::newRow("Stufe 1, leer") << "frmSchw1" << QStringList() << "kein verwendbares Bild" << 9;
    }

    // Too few different words: the level is refused before anything is drawn,
    // with a message naming the folder and both numbers, and the child is back on
    // the menu. Level 5 does not ask for the display time first.
    void tooFewPicturesRefuseTheLevel()
    {
        QFETCH(QString, screen);
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QFETCH(int, needed);
        Spiel spiel;
        spiel.bilderOrdner(files);
        spiel.starte(screen);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchwierigkeit"));
        QVERIFY(!spiel.geladen(screen));
        QVERIFY(!spiel.beendet());
        QVERIFY(!spiel.services.error.has_value());
        QCOMPARE(spiel.services.rndCalls, 0);
        QVERIFY(spiel.services.promptTexts.isEmpty());
        QCOMPARE(spiel.services.messages.size(), 1);
        const QString message = spiel.services.messages.first();
        QVERIFY2(
            message.contains(QDir::toNativeSeparators(spiel.programmOrdner() + QStringLiteral("/bilder"))),
            qPrintable(message));
        QVERIFY2(message.contains(found), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("braucht %1 Bilder").arg(needed)), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("Schwierigkeitsstufe %1").arg(screen.right(1))),
                 qPrintable(message));
    }

    // Exactly as many different words as slots is enough, however many files
    // share a word or have none.
    void justEnoughWordsPlayToTheBoard()
    {
        Spiel spiel;
        QStringList names = bilddateien(9);
        names << QStringLiteral("Bild01.gif") << QStringLiteral("Bild05.jpg") << QStringLiteral("Ohr");
        spiel.bilderOrdner(names);
        spiel.starte(QStringLiteral("frmSchw3"));
        Form* f = spiel.aktuell();
        QVERIFY(f);
        for (int i = 0; i < 5; ++i)
            f->timer(QStringLiteral("tmreins")).fire();
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAusw1"));
        QStringList words = bildnamen();
        words.sort();
        QStringList expected = bilddateien(9);
        for (QString& name : expected)
            name.chop(4);
        QCOMPARE(words, expected);
    }

    // The pictures that come with the program play a long round: every file gives
    // a word of its own, and the board gets fifteen different ones.
    void defaultFolderPlaysALongRound()
    {
        Spiel spiel;
        spiel.standardBilder();
        spiel.starte(QStringLiteral("frmSchw2"));
        Form* f = spiel.geladen(QStringLiteral("frmSchw2"));
        QVERIFY(f);
        const FileListBox& File1 = f->fileList(QStringLiteral("File1"));
        QVERIFY(File1.ListCount() >= 40);
        QCOMPARE(bilderziehung::verwendbareBilder(File1), int(File1.ListCount()));
        for (int i = 0; i < 8; ++i)
            weiter(f);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAusw2"));
        QCOMPARE(bildnamen().size(), 15);
        QVERIFY(alleVerschieden(bildnamen()));
        QVERIFY(!spiel.services.error.has_value());
    }
};

QTEST_MAIN(tst_Bilderziehung)
#include "tst_bilderziehung.moc"
