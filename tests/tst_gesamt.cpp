// The whole game as a child plays it: from the about screen through rounds of
// every level to the end, by mouse and by keyboard, at twice the pixel density.
#include "ergebnisse/bestand.h"
#include "ergebnisse/schreiber.h"
#include "support/spielumgebung.h"
#include "toolkit/backdrop.h"

#include <QElapsedTimer>
#include <QInputDialog>
#include <QProcess>
#include <QWindow>
#include <csignal>
#include <unistd.h>

// clang-format off
#define SCHRITT(x) do { x; if (QTest::currentTestFailed()) return; } while (false)

namespace {

// A level as the child meets it; a level without a timer goes on by the child's clicks.
struct Stufe { const char *knopf, *schirm; int gezeigt; const char *timer, *tafel; };
const Stufe stufen[] = {{"cmdschweins", "frmSchw1", 4, "", "frmAusw1"},
                        {"cmdschwzwei", "frmSchw2", 7, "", "frmAusw2"},
                        {"cmdschwdrei", "frmSchw3", 4, "tmreins", "frmAusw1"},
                        {"cmdschwvier", "frmSchw4", 7, "Timer1", "frmAusw2"},
                        {"cmdschwfünf", "frmSchw5", 7, "Timer1", "frmAusw2"}};
// clang-format on
const auto s = [](const char* text) { return QString::fromUtf8(text); };
const auto fokus = [] { return QApplication::focusWidget(); };
const auto klick = [](Spiel& spiel, const char* name, int index = -1) {
    Spiel::klickAnStelle(spiel.aktuell()->control(s(name), index));
};
const auto druecke = [](Spiel& spiel, bool tastatur, const char* knopf, const char* tasten) {
    tastatur ? Spiel::tasten(s(tasten)) : klick(spiel, knopf);
};

// The named screen is the only one, and active.
void auf(Spiel& spiel, const QString& name)
{
    QTRY_COMPARE(spiel.aktuellerName(), name);
    Spiel::aktiviere(spiel.aktuell());
}

// Types into the display-time prompt and closes it with a key.
void antworte(const char* text, const char* taste = "Return")
{
    QInputDialog* dialog = nullptr;
    QTRY_VERIFY((dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())));
    QCOMPARE(dialog->windowFlags().testFlag(Qt::FramelessWindowHint), tk::Backdrop::current() != nullptr);
    QApplication::setActiveWindow(dialog);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    Spiel::tippen(fokus(), s(text)); // the focus lies in the entry field
    Spiel::tasten(s(taste));
}

// From the about screen on to the menu, the name typed; the logo from its twin of twice the pixels,
// at the screen's own pixel density.
void zumMenue(Spiel& spiel, const QString& name, bool tastatur)
{
    spiel.starte(s("frmSplash"));
    SCHRITT(auf(spiel, "frmSplash"));
    const QPixmap logo =
        static_cast<QLabel*>(spiel.aktuell()->find<tk::LinkControl>(s("LinkTavo1")).inner())->pixmap();
    QCOMPARE(logo.devicePixelRatio(), qApp->devicePixelRatio());
    QCOMPARE(logo.deviceIndependentSize().toSize(), QSize(236, 55));
    druecke(spiel, tastatur, "lblTitel", "Tab, K");
    SCHRITT(auf(spiel, "frmStart"));
    Spiel::tippen(fokus(), name);
    druecke(spiel, tastatur, "cmdStart", "Tab, Tab, Tab");
    if (tastatur) {
        QCOMPARE(fokus()->objectName(), s("txtBenutzername"));
        Spiel::tasten(s("Return"));
    }
    SCHRITT(auf(spiel, "frmSpiel"));
    QCOMPARE(spiel.aktuell()->find<tk::Label>(s("lblName")).Caption(), name + QLatin1Char('!'));
    QCOMPARE(spiel.aktuell()->find<tk::CommandButton>(s("cmdweiter")).Caption(), s("&Los geht's!!!"));
    druecke(spiel, tastatur, "cmdweiter", "Alt+L");
}

// Chooses the level and watches its pictures: the child's clicks or keys, the
// timer's ticks (keys do nothing there), or on level 5 by mouse the real pace of
// one second. Each picture shown is the word recorded for it.
void zeigeBilder(Spiel& spiel, const Stufe& st, bool tastatur)
{
    for (const Stufe* tab = stufen; tastatur && tab != &st; ++tab) // the focus starts on level 1
        Spiel::tasten(s("Tab"));
    druecke(spiel, tastatur, st.knopf, "Return");
    QCOMPARE(spiel.aktuellerName(), s(st.schirm));
    const bool fuenf = &st == &stufen[4], takt = fuenf && !tastatur;
    if (fuenf) {
        SCHRITT(antworte("0")); // refused: the prompt comes back
        SCHRITT(antworte("7", "Esc"));
        SCHRITT(antworte(takt ? "1" : "3"));
        QCOMPARE(spiel.services.promptTexts.size(), 3);
    }
    SCHRITT(auf(spiel, st.schirm));
    Form* f = spiel.aktuell();
    if (*st.timer) {
        QCOMPARE(f->find<Timer>(s(st.timer)).Interval(), takt ? 1000 : 3000);
        Spiel::tasten(u"Return, Space, Alt+E"_s);
        QCOMPARE(kb::modVariablen::Bildzaehler, 0.0);
    }
    QElapsedTimer uhr;
    uhr.start();
    for (int n = 1; n <= st.gezeigt + 1 && !takt; ++n) {
        const char* taste = n == 1 ? "Alt+E" : n <= st.gezeigt ? "Space" : "Return";
        if (!*st.timer)
            QCOMPARE(f->find<CommandButton>(u"cmdweiter"_s).Caption(), n == 1 ? u"&erstes Bild"_s
                                                                       : n <= st.gezeigt
                                                                           ? u"nächstes Bild"_s
                                                                           : u"Zur Auswahlbox"_s);
        *st.timer ? f->find<Timer>(s(st.timer)).fire() : druecke(spiel, tastatur, "cmdweiter", taste);
        if (n > st.gezeigt)
            break;
        QTRY_COMPARE(kb::modVariablen::Bildzaehler, double(n));
        QCOMPARE(f->find<Image>(u"imgBild"_s).picture().path().section(u'/', -1).chopped(4),
                 kbtest::bildnamen()[n - 1]);
    }
    if (takt) {
        QTRY_COMPARE_WITH_TIMEOUT(spiel.aktuellerName(), s(st.tafel), 15000);
        QVERIFY2(uhr.elapsed() >= 7500, qPrintable(QString::number(uhr.elapsed())));
    }
    auf(spiel, s(st.tafel));
}

// Picks the first `richtige` shown words and then unseen ones, with the mouse or
// by Tab and Space or Enter; each word gives way to its green or red block.
void waehle(Spiel& spiel, int gezeigt, int richtige, bool tastatur)
{
    const QStringList woerter = kbtest::bildnamen();
    for (int n = 0; n < gezeigt; ++n) {
        const QString wort = woerter.at(n < richtige ? n : woerter.size() - 1 - (n - richtige));
        Form* tafel = spiel.aktuell();
        int i = 0;
        while (tafel->hasControl(s("cmdeins"), i) &&
               tafel->find<tk::CommandButton>(s("cmdeins"), i).Caption() != wort)
            ++i;
        QVERIFY2(tafel->hasControl(s("cmdeins"), i), qPrintable(wort));
        for (int tab = 0; tastatur && tab < 40 && fokus()->property("text") != wort; ++tab)
            Spiel::tasten(s("Tab"));
        tastatur ? Spiel::tasten(s(n % 2 ? "Return" : "Space")) : klick(spiel, "cmdeins", i);
        if (n + 1 == gezeigt)
            break;
        QVERIFY(!tafel->find<tk::CommandButton>(s("cmdeins"), i).widget()->isVisible());
        QCOMPARE(tafel->find<tk::CommandButton>(s("cmdzwei"), i).BackColor(),
                 n < richtige ? 0x0000FF00u : 0x000000FFu);
    }
}

// A results folder as the school's configuration names it: a folder of its
// own, one on a share that hangs (a FUSE mount whose server is stopped), or
// one that vanishes after the first round.
struct Ergebnisordner {
    QTemporaryDir dir;
    QString art;
    QProcess bindfs;
    QString quelle() const { return dir.filePath(u"ergebnisse"_s); }
    QString ordner() const { return art == u"haengt" ? dir.filePath(u"share"_s) : quelle(); }

    // Writes the configuration; for a hanging share mounts it and stops its server.
    void richteEin(Spiel& spiel)
    {
        QVERIFY(QDir().mkpath(quelle()) && QDir().mkpath(ordner()));
        spiel.services.konfiguration = dir.filePath(u"kieselblick.conf"_s);
        kbtest::schreibeDatei(spiel.services.konfiguration,
                              "[Ergebnisse]\nAufheben=ja\nOrdner=" + QFile::encodeName(ordner()) + "\n");
        if (art != u"haengt")
            return;
        if (::geteuid() != 0 && !qEnvironmentVariableIsSet("CI"))
            QSKIP("Mounting a share needs root.");
        kbtest::schreibeDatei(quelle() + u"/.bereit"_s, "");
        bindfs.start(u"bindfs"_s, {u"-f"_s, quelle(), ordner()});
        QTRY_VERIFY(QFile::exists(ordner() + u"/.bereit"_s));
        QCOMPARE(::kill(pid_t(bindfs.processId()), SIGSTOP), 0);
    }
    ~Ergebnisordner()
    {
        if (bindfs.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(bindfs.processId()), SIGCONT);
        kb::erg::warteAufSchreiber(5000);
        QProcess::execute(u"fusermount"_s, {u"-u"_s, ordner()});
        bindfs.waitForFinished(5000);
    }
};

// The records the rounds left: one per round reaching its result screen, with
// the name as typed, the level, the shown and the picked words and the counts;
// none where the folder vanished, and those of a share that hung once it is back.
void pruefeErgebnisse(Ergebnisordner& erg, const QList<int>& runden)
{
    if (erg.art.isEmpty() || erg.art == u"weg") {
        QVERIFY(erg.art.isEmpty() || !QFileInfo::exists(erg.ordner()));
        return;
    }
    if (erg.art == u"haengt") {
        QVERIFY(!kb::erg::warteAufSchreiber(200)); // still waiting for the share
        QCOMPARE(::kill(pid_t(erg.bindfs.processId()), SIGCONT), 0);
    }
    QVERIFY(kb::erg::warteAufSchreiber(10000));
    const kb::erg::Bestand b = kb::erg::lies(erg.quelle());
    QCOMPARE(b.saetze.size(), runden.size() / 2);
    QCOMPARE(b.unlesbareZeilen, 0);
    for (int r = 0; r < runden.size(); r += 2) {
        const kb::erg::Datensatz& d = b.saetze.at(r / 2);
        const int gezeigt = stufen[runden[r] - 1].gezeigt, richtige = runden[r + 1];
        const auto treffer = std::count_if(d.gewaehlt.begin(), d.gewaehlt.end(),
                                           [&d](const QString& w) { return d.gezeigt.contains(w); });
        QCOMPARE(d.name, s(" Jörg"));
        QCOMPARE(d.rechner, QSysInfo::machineHostName());
        QCOMPARE(
            QList<qsizetype>({d.stufe, d.richtige, d.falsche, d.gezeigt.size(), d.gewaehlt.size(), treffer}),
            QList<qsizetype>({runden[r], richtige, gezeigt - richtige, gezeigt, gezeigt, richtige}));
    }
}

// The result screens of each round by the rounds played: a round with results
// kept must look exactly as the same round without.
QMap<QString, QList<QImage>>& ergebnisschirme()
{
    static QMap<QString, QList<QImage>> schirme;
    return schirme;
}

} // namespace

class tst_Gesamt : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Two rounds, "Noch einmal" between them and "Ende" after, with the mouse or by
    // keyboard alone; the name stays on every result screen. (A close box on a
    // board: tst_affentest and tst_tafelfinger.)
    void zweiRunden_data()
    {
        QTest::addColumn<bool>("tastatur");
        QTest::addColumn<QList<int>>("runden");  // level and right picks of each round
        QTest::addColumn<QString>("ergebnisse"); // kept: "ordner", "haengt", "weg"; or not
        QTest::newRow("Maus: 1 alles richtig, 2 gemischt") << false << QList<int>{1, 4, 2, 4} << QString();
        QTest::newRow("Maus: 3 gemischt, 4 alles falsch") << false << QList<int>{3, 2, 4, 0} << QString();
        QTest::newRow("Maus: 5 im Takt alles richtig, 1 alles falsch")
            << false << QList<int>{5, 7, 1, 0} << QString();
        QTest::newRow("Tastatur: 5 gemischt, 1 alles falsch") << true << QList<int>{5, 3, 1, 0} << QString();
        // The same rounds with results kept look exactly the same.
        QTest::newRow("Maus: 1, 2, Ergebnisse aufgehoben") << false << QList<int>{1, 4, 2, 4} << u"ordner"_s;
        QTest::newRow("Tastatur: 5, 1, Ergebnisordner hängt")
            << true << QList<int>{5, 3, 1, 0} << u"haengt"_s;
        QTest::newRow("Maus: 3, 4, Ergebnisordner verschwindet")
            << false << QList<int>{3, 2, 4, 0} << u"weg"_s;
    }
    void zweiRunden()
    {
        QFETCH(bool, tastatur);
        QFETCH(QList<int>, runden);
        QFETCH(QString, ergebnisse);
        Spiel spiel;
        spiel.standardBilder();
        Ergebnisordner erg;
        erg.art = ergebnisse;
        if (!ergebnisse.isEmpty())
            SCHRITT(erg.richteEin(spiel));
        QString schluessel = QString::number(tastatur);
        for (int zahl : runden)
            schluessel += u' ' + QString::number(zahl);
        const QString name = s(" Jörg");
        SCHRITT(zumMenue(spiel, name, tastatur));
        for (int r = 0; r < runden.size(); r += 2) {
            SCHRITT(auf(spiel, s("frmSchwierigkeit")));
            const Stufe& st = stufen[runden[r] - 1];
            const int richtige = runden[r + 1];
            SCHRITT(zeigeBilder(spiel, st, tastatur));
            SCHRITT(waehle(spiel, st.gezeigt, richtige, tastatur));
            const bool kurz = st.gezeigt == 4;
            SCHRITT(auf(spiel, s(kurz ? "frmAuswert1" : "frmAuswert2")));
            const Form* f = spiel.aktuell();
            QCOMPARE(f->find<tk::Label>(s("lblName")).Caption(), name + QLatin1Char('!'));
            QCOMPARE(f->find<tk::Label>(s("lblPunkte")).Caption().section(' ', 0, 0).toInt(), richtige);
            QCOMPARE(f->find<tk::Label>(s("lblPunkte2")).Caption().section(' ', 0, 0).toInt(),
                     st.gezeigt - richtige);
            // The short result screen opens on "Noch einmal", the long one on "Ende".
            if (tastatur)
                QCOMPARE(fokus()->objectName(), s(kurz ? "cmdNochmal" : "cmdEnde"));
            const QImage schirm = f->window()->grab().toImage();
            QList<QImage>& gesehen = ergebnisschirme()[schluessel];
            if (gesehen.size() > r / 2)
                QVERIFY(schirm == gesehen.at(r / 2));
            else
                gesehen.append(schirm);
            if (ergebnisse == u"weg")
                QVERIFY(QDir(erg.ordner()).removeRecursively());
            if (r == 0)
                druecke(spiel, tastatur, "cmdNochmal", kurz ? "Space" : "Alt+N");
            else
                druecke(spiel, tastatur, "cmdEnde", kurz ? "Alt+E" : "Space");
        }
        QTRY_VERIFY(spiel.beendet());
        QVERIFY(spiel.services.exitStatus == 0 && !spiel.services.error);
        QVERIFY(spiel.services.messages.isEmpty());
        QCOMPARE(Program::instance().loadedCount(), 0);
        SCHRITT(pruefeErgebnisse(erg, runden));
    }
};

int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    kbtest::Anwendung anwendung(argc, argv);
    tst_Gesamt test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_gesamt.moc"
