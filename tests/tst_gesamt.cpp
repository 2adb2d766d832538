// The whole game as a child plays it: from the about screen through rounds of
// every level to the end, by mouse and by keyboard, on the real screens, shown
// on a screen of twice the usual pixel density.
#include "shell/modVariablen.h"
#include "support/spielumgebung.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace tk;
using kbtest::Spiel;
using modVariablen::Bildnamen;

// clang-format off
// Stops the test when a helper has failed.
#define SCHRITT(x) do { x; if (QTest::currentTestFailed()) return; } while (false)
// clang-format on

namespace {

// clang-format off
// A level as the child meets it; a level without a timer goes on by the child's clicks.
struct Stufe { const char* knopf; const char* schirm; int gezeigt; const char* timer; const char* tafel;
               const char* auswertung; };
// A round: the level, the shown words the child picks (its other picks are
// unseen words) and the praise it earns.
struct Runde { int stufe; int richtige; const char* lobLabel; const char* lob; };
// clang-format on

const Stufe stufen[] = {
    {"cmdschweins", "frmSchw1", 4, "", "frmAusw1", "frmAuswert1"},
    {"cmdschwzwei", "frmSchw2", 7, "", "frmAusw2", "frmAuswert2"},
    {"cmdschwdrei", "frmSchw3", 4, "tmreins", "frmAusw1", "frmAuswert1"},
    {"cmdschwvier", "frmSchw4", 7, "Timer1", "frmAusw2", "frmAuswert2"},
    {"cmdschwfünf", "frmSchw5", 7, "Timer1", "frmAusw2", "frmAuswert2"},
};

} // namespace

Q_DECLARE_METATYPE(Runde)

class tst_Gesamt : public QObject {
    Q_OBJECT

    static QString s(const char* text) { return QString::fromUtf8(text); }
    static QWidget* fokus() { return QApplication::focusWidget(); }
    static QString fokusText() { return fokus() ? fokus()->property("text").toString() : QString(); }
    static void klick(Spiel& spiel, const char* name, int index = -1)
    {
        Spiel::klickAnStelle(spiel.aktuell()->control(s(name), index));
    }
    static void tick(Spiel& spiel, const char* timer) { spiel.aktuell()->timer(s(timer)).fire(); }
    // One step of the game: a click on a control, or keys.
    static void druecke(Spiel& spiel, bool tastatur, const char* knopf, const char* tasten)
    {
        tastatur ? Spiel::tasten(s(tasten)) : klick(spiel, knopf);
    }

    // The named screen is the only one, shown and active.
    static void auf(Spiel& spiel, const char* name)
    {
        QTRY_COMPARE(spiel.aktuellerName(), s(name));
        QVERIFY(spiel.aktuell()->window()->isVisible());
        Spiel::aktiviere(spiel.aktuell());
    }

    // Types into the display-time prompt and closes it with a key.
    static void antworte(const char* text, const char* taste = "Return")
    {
        QInputDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())));
        QApplication::setActiveWindow(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(fokus(), dialog->findChild<QLineEdit*>());
        Spiel::tippen(fokus(), s(text));
        Spiel::tasten(s(taste));
    }

    // From the about screen to the start screen and on to the menu, the name typed.
    static void zumMenue(Spiel& spiel, const QString& name, bool tastatur, bool nurZumStart = false)
    {
        spiel.starte(s("frmSplash"));
        SCHRITT(auf(spiel, "frmSplash"));
        druecke(spiel, tastatur, "lblTitel", "Tab, K");
        SCHRITT(auf(spiel, "frmStart"));
        if (nurZumStart)
            return;
        Spiel::tippen(fokus(), name);
        druecke(spiel, tastatur, "cmdStart", "Tab, Tab, Tab");
        if (tastatur) {
            QCOMPARE(fokus()->objectName(), s("txtBenutzername"));
            Spiel::tasten(s("Return"));
        }
        SCHRITT(auf(spiel, "frmSpiel"));
        QCOMPARE(spiel.aktuell()->label(s("lblName")).Caption(), name + QLatin1Char('!'));
        druecke(spiel, tastatur, "cmdweiter", "Alt+L");
        auf(spiel, "frmSchwierigkeit");
    }

    // Chooses the level and watches its pictures: the child's clicks or keys,
    // the timer's ticks, or on level 5 a real pace of one second.
    static void zeigeBilder(Spiel& spiel, const Stufe& st, bool tastatur)
    {
        SCHRITT(auf(spiel, "frmSchwierigkeit"));
        const int stufe = int(&st - stufen) + 1; // the focus starts on level 1
        for (int tab = 1; tastatur && tab < stufe; ++tab)
            Spiel::tasten(s("Tab"));
        druecke(spiel, tastatur, st.knopf, "Return");
        QCOMPARE(spiel.aktuellerName(), s(st.schirm));
        const bool fuenf = st.schirm == QByteArrayLiteral("frmSchw5");
        if (fuenf) {
            SCHRITT(antworte("0")); // refused: the prompt comes back
            SCHRITT(antworte("7", "Esc"));
            SCHRITT(antworte("1"));
            QCOMPARE(spiel.services.promptTexts.size(), 3);
        }
        SCHRITT(auf(spiel, st.schirm));
        QElapsedTimer uhr;
        uhr.start();
        for (int n = 1; n <= st.gezeigt + 1 && !fuenf; ++n) {
            const char* taste = n == 1 ? "Alt+E" : n <= st.gezeigt ? "Space" : "Return";
            *st.timer ? tick(spiel, st.timer) : druecke(spiel, tastatur, "cmdweiter", taste);
            if (n <= st.gezeigt)
                QTRY_COMPARE(modVariablen::Bildzaehler, double(n));
        }
        if (fuenf) {
            QTRY_COMPARE_WITH_TIMEOUT(modVariablen::Bildzaehler, 1.0, 5000);
            QTRY_COMPARE_WITH_TIMEOUT(spiel.aktuellerName(), s(st.tafel), 15000);
            QVERIFY2(uhr.elapsed() >= 7500, qPrintable(QString::number(uhr.elapsed())));
        }
        auf(spiel, st.tafel);
    }

    static int knopfMit(const Form* tafel, const QString& wort)
    {
        for (int i = 0; tafel->hasControl(s("cmdeins"), i); ++i)
            if (tafel->button(s("cmdeins"), i).Caption() == wort)
                return i;
        return -1;
    }

    // Picks the first `richtige` shown words and then unseen ones, with the
    // mouse or by Tab and Space or Enter; each word gives way to its green or red block.
    static void waehle(Spiel& spiel, int gezeigt, int richtige, bool tastatur)
    {
        const QStringList woerter = kbtest::bildnamen();
        for (int n = 0; n < gezeigt; ++n) {
            const QString wort = woerter.at(n < richtige ? n : woerter.size() - 1 - (n - richtige));
            Form* tafel = spiel.aktuell();
            const int i = knopfMit(tafel, wort);
            QVERIFY2(i >= 0, qPrintable(wort));
            for (int tab = 0; tastatur && tab < 40 && fokusText() != wort; ++tab)
                Spiel::tasten(s("Tab"));
            QVERIFY(!tastatur || fokusText() == wort);
            tastatur ? Spiel::tasten(s(n % 2 ? "Return" : "Space")) : klick(spiel, "cmdeins", i);
            if (n + 1 == gezeigt)
                break;
            QVERIFY(!tafel->button(s("cmdeins"), i).widget()->isVisible());
            QVERIFY(tafel->button(s("cmdzwei"), i).widget()->isVisible());
            QCOMPARE(tafel->button(s("cmdzwei"), i).BackColor(), n < richtige ? 0x0000FF00u : 0x000000FFu);
        }
    }

    static void pruefeErgebnis(Spiel& spiel, const QString& name, const Stufe& st, const Runde& r)
    {
        auto zeile = [](int n, const char* art) {
            return QStringLiteral("%1 %2 Antwort%3").arg(n).arg(s(art), n == 1 ? "" : "en");
        };
        const Form* f = spiel.aktuell();
        QCOMPARE(f->label(s("lblName")).Caption(), name + QLatin1Char('!'));
        QCOMPARE(f->label(s("lblPunkte")).Caption(), zeile(r.richtige, "richtige"));
        QCOMPARE(f->label(s("lblPunkte2")).Caption(), zeile(st.gezeigt - r.richtige, "falsche"));
        for (const char* l : {"lblSupi1", "lblSupi2", "lblSupi3", "lblSupi4"})
            if (f->hasControl(s(l)))
                QCOMPARE(f->label(s(l)).Caption(), qstrcmp(l, r.lobLabel) == 0 ? s(r.lob) : QString());
    }

private Q_SLOTS:
    // Two rounds, "Noch einmal" between them and "Ende" after, with the mouse
    // or by keyboard alone.
    void zweiRunden_data()
    {
        QTest::addColumn<bool>("tastatur");
        QTest::addColumn<Runde>("erste");
        QTest::addColumn<Runde>("zweite");
        QTest::newRow("Maus: 1 alles richtig, 2 gemischt")
            << false << Runde{1, 4, "lblSupi1", "Sehr gut, du hast alle Antworten richtig!"}
            << Runde{2, 4, "lblSupi4", " Sehr gut, vier richtige Antworten!"};
        QTest::newRow("Maus: 3 gemischt, 4 alles falsch")
            << false << Runde{3, 2, "lblSupi2", " Gut, du hast zwei Antworten richtig!"}
            << Runde{4, 0, "", ""};
        QTest::newRow("Maus: 5 im Sekundentakt alles richtig, 1 alles falsch")
            << false << Runde{5, 7, "lblSupi1", " Sehr gut, du hast alle Antworten richtig!"}
            << Runde{1, 0, "", ""};
        QTest::newRow("Tastatur: 2 gemischt, 3 gemischt")
            << true << Runde{2, 5, "lblSupi3", " Schön, du hast fünf richtige Antworten gegeben!"}
            << Runde{3, 3, "lblSupi3", " Schön, du hast drei Antworten richtig!"};
        QTest::newRow("Tastatur: 1 alles falsch, 5 gemischt")
            << true << Runde{1, 0, "", ""} << Runde{5, 3, "", ""};
    }
    void zweiRunden()
    {
        QFETCH(bool, tastatur);
        QFETCH(Runde, erste);
        QFETCH(Runde, zweite);
        Spiel spiel;
        spiel.standardBilder();
        const QString name = QStringLiteral(" Jörg");
        SCHRITT(zumMenue(spiel, name, tastatur));
        for (const Runde* r : {&erste, &zweite}) {
            const Stufe& st = stufen[r->stufe - 1];
            SCHRITT(zeigeBilder(spiel, st, tastatur));
            SCHRITT(waehle(spiel, st.gezeigt, r->richtige, tastatur));
            SCHRITT(auf(spiel, st.auswertung));
            SCHRITT(pruefeErgebnis(spiel, name, st, *r));
            // The short result screen opens on "Noch einmal", the long one on "Ende".
            const bool kurz = st.gezeigt == 4;
            if (tastatur)
                QCOMPARE(fokus()->objectName(), s(kurz ? "cmdNochmal" : "cmdEnde"));
            if (r == &erste)
                druecke(spiel, tastatur, "cmdNochmal", kurz ? "Space" : "Alt+N");
            else
                druecke(spiel, tastatur, "cmdEnde", kurz ? "Alt+E" : "Space");
        }
        QTRY_VERIFY(spiel.beendet());
        QCOMPARE(spiel.services.exitStatus, 0);
        QCOMPARE(Program::instance().loadedCount(), 0);
    }

    // The test runs at twice the pixel density: drawings come in their twins at
    // twice the pixels, at the same size on the screen.
    void scharfBeiDoppelterDichte()
    {
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        Spiel spiel;
        spiel.standardBilder();
        spiel.starte(s("frmSplash"));
        SCHRITT(auf(spiel, "frmSplash"));
        const LinkControl& logo = spiel.aktuell()->link(s("LinkTavo1"));
        const QPixmap bild = static_cast<QLabel*>(logo.inner())->pixmap();
        QCOMPARE(bild.devicePixelRatio(), 2.0);
        QCOMPARE(bild.deviceIndependentSize(), QSizeF(236, 55));
        QCOMPARE(logo.inner()->cursor().pixmap().size(), QSize(64, 64));
        QCOMPARE(logo.inner()->cursor().hotSpot(), QPoint(24, 2));
        klick(spiel, "lblTitel");
        SCHRITT(auf(spiel, "frmStart"));
        const Image& leinwand = spiel.aktuell()->image(s("imgLeinwand"));
        QCOMPARE(static_cast<QLabel*>(leinwand.widget())->pixmap().devicePixelRatio(), 2.0);
        QCOMPARE(leinwand.Width(), 6750.0);
    }

    // Leaving before a round is over: the program ends and no other screen opens.
    void mittendrinBeenden_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::addColumn<int>("stufe");
        QTest::addColumn<int>("schritte");  // pictures, or picks on the board, before leaving
        QTest::addColumn<QString>("taste"); // empty: the close box
        QTest::newRow("Esc auf frmStart") << "frmStart" << 0 << 0 << "Esc";
        QTest::newRow("Alt+E auf frmStart") << "frmStart" << 0 << 0 << "Alt+E";
        QTest::newRow("Schließfeld im Menü") << "frmSchwierigkeit" << 0 << 0 << "";
        QTest::newRow("Schließfeld nach drei Bildern") << "frmSchw2" << 2 << 3 << "";
        QTest::newRow("Schließfeld im Takt") << "frmSchw4" << 4 << 2 << "";
        QTest::newRow("Schließfeld nach zwei Wahlen") << "frmAusw1" << 1 << 2 << "";
    }
    void mittendrinBeenden()
    {
        QFETCH(QString, schirm);
        QFETCH(int, stufe);
        QFETCH(int, schritte);
        QFETCH(QString, taste);
        Spiel spiel;
        spiel.standardBilder();
        SCHRITT(zumMenue(spiel, s("Mia"), false, schirm == s("frmStart")));
        if (stufe > 0) {
            const Stufe& st = stufen[stufe - 1];
            klick(spiel, st.knopf);
            const bool tafel = schirm == s(st.tafel);
            for (int n = 0; n < (tafel ? st.gezeigt + 1 : schritte); ++n)
                *st.timer ? tick(spiel, st.timer) : klick(spiel, "cmdweiter");
            for (int n = 0; tafel && n < schritte; ++n)
                klick(spiel, "cmdeins", knopfMit(spiel.aktuell(), Bildnamen(n)));
        }
        SCHRITT(auf(spiel, qPrintable(schirm)));
        if (taste.isEmpty())
            spiel.aktuell()->window()->windowHandle()->close(); // as the window manager's close box does
        else
            Spiel::tasten(taste);
        QTRY_VERIFY(spiel.beendet());
        QCOMPARE(spiel.services.exitStatus, 0);
        QCOMPARE(Program::instance().loadedCount(), 0);
        QVERIFY(!spiel.services.error);
        QCOMPARE(modVariablen::Richtige.value(), 0);
    }
};

int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    tst_Gesamt test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_gesamt.moc"
