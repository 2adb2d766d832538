// Whole rounds of levels 1 and 2: from the presentation screen through the
// answer board to the result screen, with real clicks only.
#include "auswahl_hilfen.h"

#include <QDir>
#include <QSet>
#include <QTest>

using namespace tk;
using kbtest::Spiel;

namespace {

const QString cmdeins = QStringLiteral("cmdeins");

// The words the picture folder can give: each file name less its last four characters.
QSet<QString> moeglicheWoerter(const Spiel& spiel)
{
    QSet<QString> woerter;
    const QDir bilder(spiel.programmOrdner() + QStringLiteral("/bilder"));
    for (const QString& datei : bilder.entryList(QDir::Files))
        woerter.insert(datei.left(datei.size() - 4));
    return woerter;
}

struct Stufe {
    const char* schirm;
    int gezeigt;
    int woerter;
    const char* tafel;
    const char* auswertung;
};

} // namespace

class tst_Runde : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wholeRound_data()
    {
        QTest::addColumn<int>("stufe");
        QTest::addColumn<int>("richtigeKlicks");
        QTest::addColumn<QString>("zeile1");
        QTest::addColumn<QString>("zeile2");
        QTest::addColumn<QString>("lobLabel");
        QTest::addColumn<QString>("lob");
        QTest::newRow("Stufe 1, zwei richtig") << 1 << 2 << "2 richtige Antworten"
                                               << "2 falsche Antworten"
                                               << "lblSupi2"
                                               << " Gut, du hast zwei Antworten richtig!";
        QTest::newRow("Stufe 1, eins richtig") << 1 << 1 << "1 richtige Antwort"
                                               << "3 falsche Antworten"
                                               << ""
                                               << "";
        QTest::newRow("Stufe 2, alle richtig") << 2 << 7 << "7 richtige Antworten"
                                               << "0 falsche Antworten"
                                               << "lblSupi1"
                                               << " Sehr gut, du hast alle Antworten richtig!";
        QTest::newRow("Stufe 2, vier richtig") << 2 << 4 << "4 richtige Antworten"
                                               << "3 falsche Antworten"
                                               << "lblSupi4"
                                               << " Sehr gut, vier richtige Antworten!";
    }
    void wholeRound()
    {
        QFETCH(int, stufe);
        QFETCH(int, richtigeKlicks);
        QFETCH(QString, zeile1);
        QFETCH(QString, zeile2);
        QFETCH(QString, lobLabel);
        QFETCH(QString, lob);
        const Stufe s = stufe == 1 ? Stufe{"frmSchw1", 4, 9, "frmAusw1", "frmAuswert1"}
                                   : Stufe{"frmSchw2", 7, 15, "frmAusw2", "frmAuswert2"};
        Spiel spiel;
        if (!Program::instance().isRegistered(QString::fromLatin1(s.schirm)))
            QSKIP("the presentation screens are not part of the program yet");
        spiel.standardBilder();
        modVariablen::Benutzername = QStringLiteral("Anna");
        modVariablen::Richtige = 5; // left over from an earlier round
        spiel.starte(QString::fromLatin1(s.schirm));
        QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(s.schirm));

        // One click per picture, and one more to the board.
        for (int n = 0; n < s.gezeigt; ++n) {
            Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdweiter")));
            QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(s.schirm));
        }
        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdweiter")));
        QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(s.tafel));
        Form* tafel = spiel.aktuell();

        // The board carries the round's words: all different, all from the folder.
        const QSet<QString> moeglich = moeglicheWoerter(spiel);
        QSet<QString> aufDerTafel;
        for (int i = 0; i < s.woerter; ++i) {
            const QString wort = tafel->button(cmdeins, i).Caption();
            QVERIFY2(moeglich.contains(wort), qPrintable(wort));
            aufDerTafel.insert(wort);
        }
        QCOMPARE(aufDerTafel.size(), s.woerter);
        QCOMPARE(modVariablen::Richtige.value(), 0);

        // Pick some of the shown pictures' words and fill up with unseen ones.
        QStringList auswahl;
        for (int k = 0; k < richtigeKlicks; ++k)
            auswahl.append(modVariablen::Bildnamen(k));
        for (int k = s.woerter - 1; auswahl.size() < s.gezeigt; --k)
            auswahl.append(modVariablen::Bildnamen(k));
        for (const QString& wort : auswahl)
            kbtest::wortKlicken(*tafel, wort);

        QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(s.auswertung));
        Form* ergebnis = spiel.aktuell();
        QCOMPARE(ergebnis->label(QStringLiteral("lblName")).Caption(), QStringLiteral("Anna!"));
        QCOMPARE(ergebnis->label(QStringLiteral("lblPunkte")).Caption(), zeile1);
        QCOMPARE(ergebnis->label(QStringLiteral("lblPunkte2")).Caption(), zeile2);
        for (const char* name : {"lblSupi1", "lblSupi2", "lblSupi3", "lblSupi4"}) {
            const QString n = QString::fromLatin1(name);
            if (ergebnis->hasControl(n))
                QCOMPARE(ergebnis->label(n).Caption(), n == lobLabel ? lob : QString());
        }

        Spiel::klick(ergebnis->button(QStringLiteral("cmdNochmal")));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchwierigkeit"));
    }
};

QTEST_MAIN(tst_Runde)
#include "tst_runde.moc"
