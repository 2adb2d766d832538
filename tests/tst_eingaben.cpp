// What children type: any name, shown on the instruction and result screens;
// held keys; and any display time, of which only 1 to 15 (after rounding) is taken.
#include "support/spielumgebung.h"

#include <QClipboard>
#include <QLocale>
#include <cmath>

class tst_Eingaben : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void namen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("einfuegen");   // pasted with Ctrl+V instead of typed key by key
        QTest::addColumn<QString>("erwartet"); // empty: the name as given
        QTest::newRow("leer") << QString() << false << QString();
        QTest::newRow("Leerzeichen, Umlaute, rechts nach links")
            << u"  Jürgen  Öztürk-Weiß שלום 12 محمد!  "_s << false << QString();
        QTest::newRow("Emoji") << u"Mia 👧🏽🐟 e\u0301"_s << true << QString();
        QTest::newRow("10000") << u"Anna Jürgen שלום 🐟 "_s.repeated(500) << true << QString();
        // A single-line box keeps the first line of a pasted text, and no control character.
        QTest::newRow("mehrere Zeilen eingefügt") << u"Anna\nBerta\r\nCarl"_s << true << u"Anna"_s;
        QTest::newRow("Steuerzeichen eingefügt") << u"\tLe\x1b[2Jon\u200B"_s << true << u"Le[2Jon"_s;
    }
    // The name as given on the instruction screen, right after "Hallo ", and on the result screen.
    void namen()
    {
        QFETCH(QString, name);
        QFETCH(bool, einfuegen);
        QFETCH(QString, erwartet);
        erwartet = erwartet.isEmpty() ? name : erwartet;
        Spiel spiel;
        Spiel::aktiviere(spiel.starte(u"frmStart"_s));
        QWidget* feld = QApplication::focusWidget();
        QCOMPARE(feld, spiel.aktuell()->find<tk::TextBox>(u"txtBenutzername"_s).widget());
        QApplication::clipboard()->setText(name);
        einfuegen ? Spiel::tasten(u"Ctrl+V"_s) : Spiel::tippen(feld, name);
        Spiel::tasten(u"Return"_s);
        QCOMPARE(kb::modVariablen::Benutzername, erwartet);
        QCOMPARE(spiel.aktuellerName(), u"frmSpiel"_s);
        const tk::Label& hallo = spiel.aktuell()->find<tk::Label>(u"lblBegrüßung"_s);
        const tk::Label& lblName = spiel.aktuell()->find<tk::Label>(u"lblName"_s);
        QCOMPARE(qobject_cast<QLabel*>(hallo.widget())->text(), u"Hallo "_s);
        QCOMPARE(qobject_cast<QLabel*>(lblName.widget())->text(), erwartet + u'!');
        QVERIFY(lblName.Left() == hallo.Left() + hallo.Width() && lblName.Top() == hallo.Top());
        Spiel::wechsle(u"frmAuswert1"_s);
        QCOMPARE(qobject_cast<QLabel*>(spiel.aktuell()->find<tk::Label>(u"lblName"_s).widget())->text(),
                 erwartet + u'!');
    }

    // A held key acts once, on its real press: still down when the next screen
    // appears, it does nothing there; a new press acts again. Typing in the name
    // box keeps its repeats. (The keys of a round held in the real program:
    // tastenlast.sh.)
    void gehalteneTaste_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("getippt"); // the name box afterwards
        QTest::newRow("Info, Buchstabe") << u"frmSplash"_s << int(Qt::Key_K) << u"k"_s << QString();
        QTest::newRow("Stufe 1, Leertaste") << u"frmSchw1"_s << int(Qt::Key_Space) << u" "_s << QString();
        QTest::newRow("Name, Buchstabe") << u"frmStart"_s << int(Qt::Key_A) << u"a"_s << u"aaaaaa"_s;
    }
    void gehalteneTaste()
    {
        QFETCH(QString, screen);
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(QString, getippt);
        Spiel spiel;
        spiel.standardBilder();
        spiel.starte(screen);
        spiel.halte(Qt::Key(key), text, 5);
        const bool stufe = screen == u"frmSchw1";
        QCOMPARE(spiel.aktuellerName(), stufe ? screen : u"frmStart"_s);
        if (stufe) {
            QCOMPARE(kb::modVariablen::Bildzaehler, 1.0); // one picture, not six
            return;
        }
        QCOMPARE(spiel.aktuell()->find<tk::TextBox>(u"txtBenutzername"_s).Text(), getippt);
        spiel.halte(Qt::Key_Return, u"\r"_s, 3);
        QCOMPARE(spiel.aktuellerName(), u"frmSpiel"_s);
    }

    // Enter on level 1 as the window system may report it, each event with its
    // timestamp: P a press, R a release, p and r the same marked as the
    // keyboard's repeat. Only a new press shows the next picture, however many
    // releases went missing; a release and a press in the same millisecond are
    // X11's repeat of a held key, unless the events carry no scan code, as
    // those of test tools do.
    void tastenfolgen_data()
    {
        QTest::addColumn<QString>("folge");
        QTest::addColumn<int>("scancode");
        QTest::addColumn<double>("bilder");
        QTest::newRow("Druck und Freigabe") << u"P100 R180"_s << 36 << 1.0;
        QTest::newRow("zwei Drücke") << u"P100 R180 P900 R980"_s << 36 << 2.0;
        QTest::newRow("Freigabe verloren") << u"P100 P900 R980"_s << 36 << 2.0;
        QTest::newRow("zwei Freigaben verloren") << u"P100 P900 P1700"_s << 36 << 3.0;
        QTest::newRow("X11 wiederholt") << u"P100 R760 P760 R800 P800 R840 P840 R900"_s << 36 << 1.0;
        QTest::newRow("X11 wiederholt, neu gedrückt") << u"P100 R760 P760 R900 P1500 R1580"_s << 36 << 2.0;
        QTest::newRow("als Wiederholung markiert") << u"P100 p760 p800 p840 R900"_s << 36 << 1.0;
        QTest::newRow("markierte Paare") << u"P100 r760 p760 r800 p800 R900"_s << 36 << 1.0;
        QTest::newRow("ohne Scancode") << u"P100 R180 P180 R260"_s << 0 << 2.0;
    }
    void tastenfolgen()
    {
        QFETCH(QString, folge);
        QFETCH(int, scancode);
        QFETCH(double, bilder);
        Spiel spiel;
        spiel.standardBilder();
        Spiel::aktiviere(spiel.starte(u"frmSchw1"_s));
        for (const QString& schritt : folge.split(u' ')) {
            QKeyEvent taste(schritt.at(0).toLower() == u'p' ? QEvent::KeyPress : QEvent::KeyRelease,
                            Qt::Key_Return, Qt::NoModifier, quint32(scancode), 0, 0, u"\r"_s,
                            schritt.at(0).isLower());
            taste.setTimestamp(schritt.mid(1).toULongLong());
            QVERIFY(QApplication::focusWidget());
            QApplication::sendEvent(QApplication::focusWidget(), &taste);
            Spiel::ruhe();
        }
        QCOMPARE(spiel.aktuellerName(), u"frmSchw1"_s);
        QCOMPARE(kb::modVariablen::Bildzaehler, bilder);
    }

    // Display times a child might type, with the whole number each one means in
    // German (0: none), go to the prompt of level 5; a refused one brings the
    // prompt back, where 3 is typed.
    void anzeigezeit()
    {
        // clang-format off
        QList<std::pair<QString, int>> liste{
            {u"1e1"_s, 10}, {u"0x5"_s, 0}, {u"１"_s, 0}, {u"٣"_s, 0}, {u"1.000"_s, 0}, {u"+3"_s, 3},
            {u"−3"_s, 0}, {u"NaN"_s, 0}, {u"inf"_s, 0}, {u""_s, 0}, {u"\t7"_s, 7}, {u"7\n"_s, 7},
            {u"-0"_s, 0}, {u"32768"_s, 0}, {u"-32769"_s, 0}, {u"1e308"_s, 0}, {u"1e999"_s, 0},
            {u"1,5e1"_s, 15}, {u"zehn"_s, 0}, {u"3 Sek"_s, 0}, {u"&H5"_s, 0}, {u"1 5"_s, 0}, {u"1.5"_s, 0},
            {u"½"_s, 0}, {u"²"_s, 0}, {u"\u00A07"_s, 7}, {u"14,9999"_s, 15}, {u"15,4999"_s, 15}, {u"-"_s, 0},
            {u","_s, 0}, {u"五"_s, 0}, {u"0,0000001"_s, 0}, {u"15,5000001"_s, 0}, {u"999999999999"_s, 0}};
        // clang-format on
        // Every whole number from -40 to 40, padded, with fractions (half to even) and junk.
        const auto erwartet = [](double wert) {
            const double r = std::nearbyint(wert);
            return r >= 1 && r <= 15 ? int(r) : 0;
        };
        for (int n = -40; n <= 40; ++n) {
            for (const char* m : {"%1", " %1 ", "\t%1\n", "%1,0", "%1e0"})
                liste.append({QString::fromUtf8(m).arg(n), erwartet(n)});
            for (const auto& [text, bruch] : {std::pair{",49", 0.49}, {",5", 0.5}, {",51", 0.51}})
                liste.append(
                    {QString::number(n) + QLatin1String(text), erwartet(n + std::copysign(bruch, n))});
            for (const char* m : {"%1x", "x%1", "%1 1", "%1€", "%1%", "(%1)"})
                liste.append({QString::fromUtf8(m).arg(n), 0});
        }
        Spiel spiel;
        spiel.standardBilder();
        const QString frage = u"Eingabe: Bitte gib eine Zahl ein!!! Diese Zahl ist die Anzeigezeit (für eine "
                              "Sekunde = 1, für zwei Sekunden = 2 usw...; maximal bis 15)"_s;
        QStringList falsch;
        for (const auto& [eingabe, sekunden] : liste) {
            tk::Program::instance().reset();
            spiel.services.promptTexts.clear();
            spiel.services.promptAnswers = {eingabe, u"3"_s};
            tk::Form* f = spiel.starte(u"frmSchw5"_s);
            QVERIFY(f);
            const QStringList fragen = spiel.services.promptTexts;
            const int intervall = f->find<tk::Timer>(u"Timer1"_s).Interval();
            if (fragen != QStringList(sekunden ? 1 : 2, frage) ||
                intervall != (sekunden ? sekunden : 3) * 1000)
                falsch.append(
                    u"„%1“: %2 ms nach %3"_s.arg(eingabe).arg(intervall).arg(fragen.join(u" / "_s)));
        }
        QVERIFY2(falsch.isEmpty(), qPrintable(falsch.join(u'\n')));
        QVERIFY(spiel.services.messages.isEmpty() && !spiel.services.error); // refused without a word
    }
};

KB_TEST_MAIN(tst_Eingaben)
#include "tst_eingaben.moc"
