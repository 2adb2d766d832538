// The result screens: greeting, count lines, praise at its own height, and the
// two buttons, reached with the counts a board leaves behind.
#include "auswahl_hilfen.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace tk;
using kbtest::Spiel;
using modVariablen::Falsche;
using modVariablen::Richtige;

namespace {

const QStringList lobLabels{QStringLiteral("lblSupi1"), QStringLiteral("lblSupi2"),
                            QStringLiteral("lblSupi3"), QStringLiteral("lblSupi4")};

Form* zeigen(Spiel& spiel, const QString& schirm, int richtige, int falsche, const QString& name = QString())
{
    modVariablen::Benutzername = name;
    Richtige = std::int16_t(richtige);
    Falsche = std::int16_t(falsche);
    spiel.starte(schirm);
    return spiel.geladen(schirm);
}

// What the child sees in a label: the text of the widget on the screen.
QString sichtbar(const Label& l)
{
    auto* w = qobject_cast<QLabel*>(l.widget());
    return w && w->isVisible() ? w->text() : QStringLiteral("<unsichtbar>");
}

} // namespace

class tst_Auswertung : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void greetingJoinsNameBehindHallo_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("oben");
        QTest::newRow("kurz Anna") << "frmAuswert1"
                                   << "Anna" << 2040.0;
        QTest::newRow("lang Anna") << "frmAuswert2"
                                   << "Anna" << 1800.0;
        QTest::newRow("kurz leer") << "frmAuswert1"
                                   << "" << 2040.0;
        QTest::newRow("lang Blanks") << "frmAuswert2"
                                     << " Jörg  " << 1800.0;
    }
    void greetingJoinsNameBehindHallo()
    {
        QFETCH(QString, schirm);
        QFETCH(QString, name);
        QFETCH(double, oben);
        Spiel spiel;
        Form* f = zeigen(spiel, schirm, 2, 2, name);
        QVERIFY(f);
        const Label& so = f->label(QStringLiteral("lblso"));
        const Label& lblName = f->label(QStringLiteral("lblName"));
        QCOMPARE(sichtbar(so), QStringLiteral("Hallo "));
        QCOMPARE(sichtbar(lblName), name + QLatin1Char('!'));
        QCOMPARE(lblName.Left(), so.Left() + so.Width());
        QCOMPARE(lblName.Top(), oben);
        QCOMPARE(so.Top(), oben);
        // On the screen the name starts right where "Hallo " with its blank ends.
        const QRect a = so.widget()->geometry();
        const QRect b = lblName.widget()->geometry();
        QCOMPARE(b.left(), a.right() + 1);
        QCOMPARE(b.top(), a.top());
        QVERIFY(a.width() > QFontMetrics(so.widget()->font()).horizontalAdvance(QStringLiteral("Hallo")));
    }

    void countLines_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::addColumn<int>("richtige");
        QTest::addColumn<int>("falsche");
        QTest::addColumn<QString>("zeile1");
        QTest::addColumn<QString>("zeile2");
        QTest::newRow("1 und 3") << "frmAuswert1" << 1 << 3 << "1 richtige Antwort"
                                 << "3 falsche Antworten";
        QTest::newRow("0 und 4") << "frmAuswert1" << 0 << 4 << "0 richtige Antworten"
                                 << "4 falsche Antworten";
        QTest::newRow("2 und 2") << "frmAuswert1" << 2 << 2 << "2 richtige Antworten"
                                 << "2 falsche Antworten";
        QTest::newRow("3 und 1") << "frmAuswert1" << 3 << 1 << "3 richtige Antworten"
                                 << "1 falsche Antwort";
        QTest::newRow("4 und 0") << "frmAuswert1" << 4 << 0 << "4 richtige Antworten"
                                 << "0 falsche Antworten";
        QTest::newRow("7 und 0") << "frmAuswert2" << 7 << 0 << "7 richtige Antworten"
                                 << "0 falsche Antworten";
        QTest::newRow("6 und 1") << "frmAuswert2" << 6 << 1 << "6 richtige Antworten"
                                 << "1 falsche Antwort";
        QTest::newRow("1 und 6") << "frmAuswert2" << 1 << 6 << "1 richtige Antwort"
                                 << "6 falsche Antworten";
        QTest::newRow("Randwerte") << "frmAuswert2" << -32768 << 32767 << "-32768 richtige Antworten"
                                   << "32767 falsche Antworten";
        QTest::newRow("minus 1") << "frmAuswert1" << -1 << 5 << "-1 richtige Antworten"
                                 << "5 falsche Antworten";
    }
    void countLines()
    {
        QFETCH(QString, schirm);
        QFETCH(int, richtige);
        QFETCH(int, falsche);
        QFETCH(QString, zeile1);
        QFETCH(QString, zeile2);
        Spiel spiel;
        Form* f = zeigen(spiel, schirm, richtige, falsche);
        QCOMPARE(sichtbar(f->label(QStringLiteral("lblstand"))), QStringLiteral("Dein Punktestand:"));
        QCOMPARE(sichtbar(f->label(QStringLiteral("lblPunkte"))), zeile1);
        QCOMPARE(sichtbar(f->label(QStringLiteral("lblPunkte2"))), zeile2);
        // The screen writes nothing back.
        QCOMPARE(int(Richtige), richtige);
        QCOMPARE(int(Falsche), falsche);
    }

    // Every count a board can deliver, with the praise it earns: which label, at
    // which height, with which text; every other praise label stays empty.
    void praise_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::addColumn<int>("richtige");
        QTest::addColumn<int>("falsche");
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("oben");
        QTest::addColumn<QString>("text");
        const QString k = QStringLiteral("frmAuswert1");
        const QString l = QStringLiteral("frmAuswert2");
        QTest::newRow("kurz 4") << k << 4 << 0 << "lblSupi1" << 5760.0
                                << "Sehr gut, du hast alle Antworten richtig!";
        QTest::newRow("kurz 3") << k << 3 << 1 << "lblSupi3" << 4560.0
                                << " Schön, du hast drei Antworten richtig!";
        QTest::newRow("kurz 2") << k << 2 << 2 << "lblSupi2" << 5160.0
                                << " Gut, du hast zwei Antworten richtig!";
        QTest::newRow("kurz 1") << k << 1 << 3 << "" << 0.0 << "";
        QTest::newRow("kurz 0") << k << 0 << 4 << "" << 0.0 << "";
        QTest::newRow("lang 7") << l << 7 << 0 << "lblSupi1" << 6120.0
                                << " Sehr gut, du hast alle Antworten richtig!";
        QTest::newRow("lang 6") << l << 6 << 1 << "lblSupi2" << 4320.0
                                << " Super, du hast fast alles richtig!";
        QTest::newRow("lang 5") << l << 5 << 2 << "lblSupi3" << 5520.0
                                << " Schön, du hast fünf richtige Antworten gegeben!";
        QTest::newRow("lang 4") << l << 4 << 3 << "lblSupi4" << 4920.0
                                << " Sehr gut, vier richtige Antworten!";
        for (int r = 3; r >= 0; --r)
            QTest::newRow(qPrintable(QStringLiteral("lang %1").arg(r))) << l << r << 7 - r << "" << 0.0 << "";
        // All right is judged on the right picks alone, the others on both counts.
        QTest::newRow("kurz 4 und 3")
            << k << 4 << 3 << "lblSupi1" << 5760.0 << "Sehr gut, du hast alle Antworten richtig!";
        QTest::newRow("kurz 2 und 1") << k << 2 << 1 << "" << 0.0 << "";
        QTest::newRow("lang 6 und 0") << l << 6 << 0 << "" << 0.0 << "";
    }
    void praise()
    {
        QFETCH(QString, schirm);
        QFETCH(int, richtige);
        QFETCH(int, falsche);
        QFETCH(QString, label);
        QFETCH(double, oben);
        QFETCH(QString, text);
        Spiel spiel;
        Form* f = zeigen(spiel, schirm, richtige, falsche, QStringLiteral("Anna"));
        for (const QString& name : lobLabels) {
            if (!f->hasControl(name))
                continue;
            const Label& lob = f->label(name);
            if (name == label) {
                QCOMPARE(sichtbar(lob), text);
                QCOMPARE(lob.Top(), oben);
                QCOMPARE(lob.widget()->y(), qRound(oben / 15));
                QCOMPARE(lob.Left(), schirm == QLatin1String("frmAuswert1") ? 3360.0 : 3480.0);
            } else {
                QCOMPARE(sichtbar(lob), QString());
            }
        }
        QCOMPARE(f->hasControl(QStringLiteral("lblSupi4")), schirm == QLatin1String("frmAuswert2"));
    }

    // A fresh result screen after "Noch einmal": the earlier praise is gone.
    void secondRoundShowsNoStalePraise()
    {
        Spiel spiel;
        kbtest::menueSicherstellen();
        Form* f = zeigen(spiel, QStringLiteral("frmAuswert1"), 4, 0, QStringLiteral("Anna"));
        QCOMPARE(sichtbar(f->label(QStringLiteral("lblSupi1"))),
                 QStringLiteral("Sehr gut, du hast alle Antworten richtig!"));
        Spiel::klick(f->button(QStringLiteral("cmdNochmal")));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchwierigkeit"));
        Richtige = 1;
        Falsche = 3;
        kbtest::weiterZu(QStringLiteral("frmAuswert1"));
        f = spiel.aktuell();
        QCOMPARE(f->name(), QStringLiteral("frmAuswert1"));
        for (const char* name : {"lblSupi1", "lblSupi2", "lblSupi3"})
            QCOMPARE(sichtbar(f->label(QString::fromLatin1(name))), QString());
        QCOMPARE(sichtbar(f->label(QStringLiteral("lblPunkte"))), QStringLiteral("1 richtige Antwort"));
    }

    void nochmalLeadsToMenu_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::newRow("kurz") << "frmAuswert1";
        QTest::newRow("lang") << "frmAuswert2";
    }
    void nochmalLeadsToMenu()
    {
        QFETCH(QString, schirm);
        Spiel spiel;
        kbtest::menueSicherstellen();
        Form* f = zeigen(spiel, schirm, 3, 4);
        Spiel::klick(f->button(QStringLiteral("cmdNochmal")));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchwierigkeit"));
        QVERIFY(!spiel.geladen(schirm));
        QVERIFY(!spiel.beendet());
        QCOMPARE(Richtige.value(), 3);
        QCOMPARE(Falsche.value(), 4);
    }

    void endeEndsTheProgram_data() { nochmalLeadsToMenu_data(); }
    void endeEndsTheProgram()
    {
        QFETCH(QString, schirm);
        Spiel spiel;
        kbtest::menueSicherstellen();
        Form* f = zeigen(spiel, schirm, 3, 4);
        Spiel::klick(f->button(QStringLiteral("cmdEnde")));
        QVERIFY(spiel.beendet());
        QCOMPARE(spiel.services.exitStatus, 0);
        QCOMPARE(Program::instance().loadedCount(), 0);
        QVERIFY(!spiel.services.error.has_value());
    }

    // The button first in the tab order has the focus; space presses it.
    void spacePressesFocusedButton_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::addColumn<QString>("fokus");
        QTest::newRow("kurz") << "frmAuswert1"
                              << "cmdNochmal";
        QTest::newRow("lang") << "frmAuswert2"
                              << "cmdEnde";
    }
    void spacePressesFocusedButton()
    {
        QFETCH(QString, schirm);
        QFETCH(QString, fokus);
        Spiel spiel;
        kbtest::menueSicherstellen();
        Form* f = zeigen(spiel, schirm, 2, 2);
        Spiel::aktiviere(f);
        QCOMPARE(QApplication::focusWidget(), f->button(fokus).widget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        Spiel::ruhe();
        if (fokus == QLatin1String("cmdNochmal")) {
            QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchwierigkeit"));
            QVERIFY(!spiel.beendet());
        } else {
            QVERIFY(spiel.beendet());
        }
    }

    void tabReachesTheOtherButton_data() { spacePressesFocusedButton_data(); }
    void tabReachesTheOtherButton()
    {
        QFETCH(QString, schirm);
        QFETCH(QString, fokus);
        Spiel spiel;
        Form* f = zeigen(spiel, schirm, 2, 2);
        Spiel::aktiviere(f);
        const QString andere =
            fokus == QLatin1String("cmdEnde") ? QStringLiteral("cmdNochmal") : QStringLiteral("cmdEnde");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->button(andere).widget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->button(fokus).widget());
    }

    void accessKeys()
    {
        {
            Spiel spiel;
            kbtest::menueSicherstellen();
            Form* f = zeigen(spiel, QStringLiteral("frmAuswert2"), 2, 5);
            Spiel::aktiviere(f);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
            QTRY_COMPARE(spiel.aktuellerName(), QStringLiteral("frmSchwierigkeit"));
        }
        {
            Spiel spiel;
            Form* f = zeigen(spiel, QStringLiteral("frmAuswert1"), 2, 2);
            Spiel::aktiviere(f);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
            QTRY_VERIFY(spiel.beendet());
        }
    }

    // Reached from a board through real clicks, not only by setting the counts.
    void boardHandsOverItsCounts()
    {
        Spiel spiel;
        modVariablen::Benutzername = QStringLiteral("Anna");
        const QStringList w = kbtest::fuenfzehnWoerter();
        kbtest::woerterSetzen(w);
        spiel.starte(QStringLiteral("frmAusw2"));
        Form* tafel = spiel.aktuell();
        for (int k : {0, 1, 2, 3, 4, 5, 14})
            kbtest::wortKlicken(*tafel, w.at(k));
        Form* f = spiel.aktuell();
        QCOMPARE(f->name(), QStringLiteral("frmAuswert2"));
        QCOMPARE(sichtbar(f->label(QStringLiteral("lblPunkte"))), QStringLiteral("6 richtige Antworten"));
        QCOMPARE(sichtbar(f->label(QStringLiteral("lblPunkte2"))), QStringLiteral("1 falsche Antwort"));
        QCOMPARE(sichtbar(f->label(QStringLiteral("lblSupi2"))),
                 QStringLiteral(" Super, du hast fast alles richtig!"));
        QCOMPARE(sichtbar(f->label(QStringLiteral("lblName"))), QStringLiteral("Anna!"));
    }
};

QTEST_MAIN(tst_Auswertung)
#include "tst_auswertung.moc"
