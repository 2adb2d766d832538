// The answer boards and the result screens, through real input.
#include "support/spielumgebung.h"

using kb::modVariablen::Falsche;
using kb::modVariablen::Richtige;

namespace {

constexpr OleColor Gruen = 0x0000FF00, Rot = 0x000000FF;
const QStringList fuenfzehn{"Apfel", "Ball", "Baum",  "Haus", "Hund",  "Katze", "Maus", "Sonne",
                            "Zug",   "Bär",  "Blume", "Brot", "Fisch", "Igel",  "Käse"};

struct Tafel {
    QString name;
    int gezeigt;
    QString auswertung;
};
const Tafel kurz{u"frmAusw1"_s, 4, u"frmAuswert1"_s}, lang{u"frmAusw2"_s, 7, u"frmAuswert2"_s};

QStringList beschriftungen(const Form* tafel)
{
    QStringList l;
    for (int i = 0; tafel->hasControl(u"cmdeins"_s, i); ++i)
        l << tafel->find<CommandButton>(u"cmdeins"_s, i).Caption();
    return l;
}

// What the child sees in a label.
QString sichtbar(const Form* f, const QString& name)
{
    const QWidget* w = f->control(name).widget();
    return w->isVisible() ? qobject_cast<const QLabel*>(w)->text() : u"<unsichtbar>"_s;
}

} // namespace

class tst_Answers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void picksAreJudgedAndCounted_data()
    {
        QTest::addColumn<Tafel>("t");
        QTest::addColumn<QStringList>("woerter");
        QTest::addColumn<QList<int>>("klicks"); // indices into the words
        QTest::addColumn<int>("richtige");
        // Letter case and a trailing blank make other words; two pictures may give
        // one word, their names differing only in the extension. (Rounds all right
        // and all wrong: tst_gesamt.)
        QStringList genau = fuenfzehn.mid(0, 9), doppelt = genau;
        genau[5] = u"apfel"_s;
        genau[6] = u"Ball "_s;
        doppelt[6] = doppelt[1];
        QTest::newRow("short, exact words") << kurz << genau << QList<int>{5, 0, 6, 1} << 2;
        QTest::newRow("short, a word twice") << kurz << doppelt << QList<int>{1, 0, 2, 8} << 3;
        QTest::newRow("long, mixed") << lang << fuenfzehn << QList<int>{6, 13, 0, 7, 3, 10, 5} << 4;
    }
    // Every word lies on the board as often as it was drawn. Each click replaces
    // its word by a green or red marker, which takes clicks to no effect; the
    // counters (stale ones left from an earlier round) are 0 until the 4th or 7th
    // word click evaluates.
    void picksAreJudgedAndCounted()
    {
        QFETCH(Tafel, t);
        QFETCH(QStringList, woerter);
        QFETCH(QList<int>, klicks);
        QFETCH(int, richtige);
        Spiel spiel;
        kbtest::setzeBildnamen(woerter);
        Richtige = 3, Falsche = 1;
        Form* tafel = spiel.starte(t.name);
        QStringList sortiert = beschriftungen(tafel), erwartet = woerter;
        sortiert.sort(), erwartet.sort();
        QCOMPARE(sortiert, erwartet);
        for (int n = 0; n < klicks.size(); ++n) {
            QCOMPARE(spiel.aktuellerName(), t.name);
            QVERIFY(Richtige == 0 && Falsche == 0);
            const int i = int(beschriftungen(tafel).indexOf(woerter.at(klicks.at(n))));
            Spiel::klick(tafel->find<CommandButton>(u"cmdeins"_s, i));
            if (n + 1 == klicks.size())
                break;
            const CommandButton& marke = tafel->find<CommandButton>(u"cmdzwei"_s, i);
            Spiel::klickAnStelle(marke); // takes the click and changes nothing
            QVERIFY(marke.widget()->isVisible() && !tafel->control(u"cmdeins"_s, i).widget()->isVisible());
            QCOMPARE(marke.BackColor(), klicks.at(n) < t.gezeigt ? Gruen : Rot);
        }
        QCOMPARE(spiel.aktuellerName(), t.auswertung);
        QCOMPARE(int(Richtige), richtige);
        QCOMPARE(int(Falsche), t.gezeigt - richtige);
    }

    void resultScreens_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::addColumn<int>("richtige");
        QTest::addColumn<int>("falsche");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("zeilen"); // the two count lines
        QTest::addColumn<QString>("lob");    // the praise label, its height in twips and its text
        const QString k = u"frmAuswert1"_s, l = u"frmAuswert2"_s, a = u"Anna"_s;
        QTest::newRow("short 4") << k << 4 << 0 << a << u"4 richtige Antworten | 0 falsche Antworten"_s
                                 << u"lblSupi1 5760 Sehr gut, du hast alle Antworten richtig!"_s;
        QTest::newRow("short 3") << k << 3 << 1 << QString() << u"3 richtige Antworten | 1 falsche Antwort"_s
                                 << u"lblSupi3 4560  Schön, du hast drei Antworten richtig!"_s;
        QTest::newRow("short 2") << k << 2 << 2 << u" Jörg  "_s
                                 << u"2 richtige Antworten | 2 falsche Antworten"_s
                                 << u"lblSupi2 5160  Gut, du hast zwei Antworten richtig!"_s;
        QTest::newRow("short 1") << k << 1 << 3 << a << u"1 richtige Antwort | 3 falsche Antworten"_s
                                 << QString();
        QTest::newRow("long 7") << l << 7 << 0 << a << u"7 richtige Antworten | 0 falsche Antworten"_s
                                << u"lblSupi1 6120  Sehr gut, du hast alle Antworten richtig!"_s;
        QTest::newRow("long 6") << l << 6 << 1 << QString() << u"6 richtige Antworten | 1 falsche Antwort"_s
                                << u"lblSupi2 4320  Super, du hast fast alles richtig!"_s;
        QTest::newRow("long 5") << l << 5 << 2 << a << u"5 richtige Antworten | 2 falsche Antworten"_s
                                << u"lblSupi3 5520  Schön, du hast fünf richtige Antworten gegeben!"_s;
        QTest::newRow("long 4") << l << 4 << 3 << a << u"4 richtige Antworten | 3 falsche Antworten"_s
                                << u"lblSupi4 4920  Sehr gut, vier richtige Antworten!"_s;
        QTest::newRow("long 0") << l << 0 << 7 << a << u"0 richtige Antworten | 7 falsche Antworten"_s
                                << QString();
    }
    // Shown after a round with all answers right and "Noch einmal": no stale praise.
    void resultScreens()
    {
        QFETCH(QString, schirm);
        QFETCH(int, richtige);
        QFETCH(int, falsche);
        QFETCH(QString, name);
        QFETCH(QString, zeilen);
        QFETCH(QString, lob);
        Spiel spiel;
        Richtige = 7;
        Spiel::klick(spiel.starte(schirm)->find<CommandButton>(u"cmdNochmal"_s));
        QCOMPARE(spiel.aktuellerName(), u"frmSchwierigkeit"_s);
        kb::modVariablen::Benutzername = name;
        Richtige = std::int16_t(richtige);
        Falsche = std::int16_t(falsche);
        Spiel::wechsle(schirm);
        const Form* f = spiel.aktuell();
        QCOMPARE(sichtbar(f, u"lblso"_s), u"Hallo "_s);
        QCOMPARE(sichtbar(f, u"lblName"_s), name + u'!');
        QCOMPARE(f->control(u"lblName"_s).widget()->x(),
                 f->control(u"lblso"_s).widget()->geometry().right() + 1);
        QCOMPARE(sichtbar(f, u"lblPunkte"_s) + u" | "_s + sichtbar(f, u"lblPunkte2"_s), zeilen);
        for (const QString& label : {u"lblSupi1"_s, u"lblSupi2"_s, u"lblSupi3"_s, u"lblSupi4"_s})
            if (f->hasControl(label))
                QCOMPARE(sichtbar(f, label),
                         label == lob.section(u' ', 0, 0) ? lob.section(u' ', 2) : QString());
        if (!lob.isEmpty())
            QCOMPARE(f->control(lob.section(u' ', 0, 0)).widget()->y() * 15, lob.section(u' ', 1, 1).toInt());
    }
};

KB_TEST_MAIN(tst_Answers)
#include "tst_answers.moc"
