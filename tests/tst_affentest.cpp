// A child at the keyboard: a long seeded run of random clicks, keys, typed texts,
// close boxes and timer ticks over every screen, the game started anew whenever
// it ends. A referee watches the rounds: the pictures shown, every answer board
// and every pick on it, and the result that follows. KB_AFFE_SEED shifts the seed.
#include "support/spielumgebung.h"

#include <QFileInfo>
#include <QPushButton>
#include <QWindow>
#include <random>

namespace {

const Qt::Key tasten[] = {Qt::Key_Return,    Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space,
                          Qt::Key_Tab,       Qt::Key_E,     Qt::Key_N,      Qt::Key_S,
                          Qt::Key_Backspace, Qt::Key_W,     Qt::Key_1,      Qt::Key_0};
const QString zeichen = u"0123456789012345 ,.-+aeÄöß€xQ"_s;

// Press and release as two events: a handler may close the window in between.
void tippe(const QPointer<QWindow>& fenster, Qt::Key taste, const QString& text,
           Qt::KeyboardModifiers alt = {})
{
    for (QEvent::Type typ : {QEvent::KeyPress, QEvent::KeyRelease}) {
        if (fenster)
            qt_handleKeyEvent(fenster, typ, taste, alt, text);
        QCoreApplication::processEvents();
    }
}

// What a round must come to, told from what the child saw and did, never from
// the game's own variables: a board holds every word of a picture shown, each
// once, among 9 or 15 different words; the result counts as right the picks of
// those words and as wrong the others, four or seven different picks in all.
struct Schiedsrichter {
    QStringList befunde;
    int nummer = 0, tafeln = 0, auswertungen = 0;
    QPointer<QWidget> fenster; // the screen seen last
    QString letztesBild;
    QStringList gezeigt, gewaehlt; // the words of this round's pictures, and its picks

    void melde(const QString& befund) { befunde << u"Ereignis %1: %2"_s.arg(nummer).arg(befund); }

    // Looks at the screen after each event.
    void beobachte()
    {
        tk::Form* f = tk::Program::instance().current();
        if (!f || !f->window()->isVisible())
            return;
        const QString name = f->name();
        const bool stufe = name.startsWith(u"frmSchw") && name != u"frmSchwierigkeit";
        const bool kurz = name.endsWith(u'1');
        if (fenster != f->window()) {
            fenster = f->window();
            if (stufe)
                gezeigt.clear(), gewaehlt.clear(), letztesBild.clear();
            else if (name.startsWith(u"frmAusw") && !name.startsWith(u"frmAuswert"))
                pruefeTafel(*f, kurz ? 4 : 7, kurz ? 9 : 15);
            else if (name.startsWith(u"frmAuswert"))
                pruefeAuswertung(*f, kurz ? 4 : 7);
        }
        const QString bild = stufe ? f->find<tk::Image>(u"imgBild"_s).picture().path() : QString();
        if (!bild.isEmpty() && bild != letztesBild)
            gezeigt << QFileInfo(letztesBild = bild).fileName().chopped(4); // the word rule of the README
    }

    void pruefeTafel(tk::Form& tafel, int bilder, int woerter)
    {
        ++tafeln;
        QStringList aufTafel;
        for (int i = 0; tafel.hasControl(u"cmdeins"_s, i); ++i) {
            auto& knopf = tafel.find<tk::CommandButton>(u"cmdeins"_s, i);
            aufTafel << knopf.Caption();
            // Every pick, the last included: the board is gone once the result shows.
            QObject::connect(knopf.button(), &QPushButton::clicked, knopf.button(),
                             [this, wort = knopf.Caption()] { gewaehlt << wort; });
        }
        const QSet<QString> verschieden(aufTafel.begin(), aufTafel.end());
        bool vollstaendig = true;
        for (const QString& wort : gezeigt)
            vollstaendig = vollstaendig && verschieden.contains(wort);
        if (gezeigt.size() != bilder || aufTafel.size() != woerter || verschieden.size() != woerter ||
            verschieden.contains(QString()) || !vollstaendig)
            melde(u"Bilder %1, Tafel %2"_s.arg(gezeigt.join(u", "_s), aufTafel.join(u", "_s)));
    }

    void pruefeAuswertung(tk::Form& auswertung, int wahlen)
    {
        ++auswertungen;
        int richtig = 0;
        for (const QString& wort : gewaehlt)
            richtig += gezeigt.contains(wort) ? 1 : 0;
        const auto zeile = [](int n, const char* art) {
            return u"%1 %2 Antwort%3"_s.arg(n).arg(QLatin1String(art)).arg(n == 1 ? u""_s : u"en"_s);
        };
        const QString punkte = auswertung.find<tk::Label>(u"lblPunkte"_s).Caption() + u" / "_s +
                               auswertung.find<tk::Label>(u"lblPunkte2"_s).Caption();
        if (gewaehlt.size() != wahlen || QSet<QString>(gewaehlt.begin(), gewaehlt.end()).size() != wahlen ||
            punkte != zeile(richtig, "richtige") + u" / "_s + zeile(wahlen - richtig, "falsche"))
            melde(u"Auswertung „%1“ nach der Wahl %2 bei den Bildern %3"_s.arg(punkte, gewaehlt.join(u", "_s),
                                                                               gezeigt.join(u", "_s)));
    }
};

struct Affe {
    Spiel spiel;
    std::mt19937 zufall{unsigned(20240917 + qEnvironmentVariableIntValue("KB_AFFE_SEED"))};
    QPointer<QWidget> beobachtet;
    bool endeGeklickt = false, esc = false, schliessfeld = false;
    QMap<QString, int> zaehler; // events per screen, and how the games ended
    Schiedsrichter schiedsrichter;

    int wuerfel(int n) { return std::uniform_int_distribution<int>(0, n - 1)(zufall); }

    // The window that takes input now: a menu, a dialog, or the current screen.
    static QWidget* fenster()
    {
        if (QWidget* w = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                           : QApplication::activeModalWidget())
            return w;
        tk::Form* f = tk::Program::instance().current();
        return f && f->window()->isVisible() ? f->window() : nullptr;
    }

    void ereignis(int nummer)
    {
        QWidget* w = fenster();
        const QString schirm = w ? w->objectName() : QString();
        ++zaehler[u"Ereignisse auf "_s + schirm];
        spiel.services.clock = zufall(); // the clock that seeds the draw moves on
        esc = schliessfeld = false;
        if (w && w != beobachtet) { // notes every click on an "&Ende" button of the new window
            beobachtet = w;
            for (QPushButton* b : w->findChildren<QPushButton*>())
                if (b->text() == u"&Ende"_s)
                    QObject::connect(b, &QPushButton::clicked, b, [this] { endeGeklickt = true; });
        }
        if (w) {
            QApplication::setActiveWindow(w);
            sende(w);
        }
        Spiel::ruhe();
        schiedsrichter.nummer = nummer;
        schiedsrichter.beobachte();
        // Only "&Ende" (Esc on the start screen clicks it too) and the close box end the game.
        const QString weg = endeGeklickt   ? (esc && schirm == u"frmStart"_s ? u"Esc"_s : u"&Ende"_s)
                            : schliessfeld ? u"Schließfeld"_s
                                           : QString();
        const auto& p = tk::Program::instance();
        if (p.dispatchDepth() != 0)
            schiedsrichter.melde(u"ein Handler ist nicht zurückgekehrt"_s);
        if (const auto& fehler = spiel.services.error)
            schiedsrichter.melde(u"Laufzeitfehler %1: %2"_s.arg(fehler->number()).arg(fehler->message()));
        else if (spiel.beendet() && (weg.isEmpty() || spiel.services.exitStatus != 0))
            schiedsrichter.melde(u"Ende „%1“ mit Status %2"_s.arg(weg).arg(spiel.services.exitStatus));
        else if (!spiel.beendet() && (!fenster() || p.loadedCount() != 1 || endeGeklickt))
            schiedsrichter.melde(
                u"%1 Schirme nach %2, „&Ende“: %3"_s.arg(p.loadedCount()).arg(schirm).arg(endeGeklickt));
        if (spiel.beendet())
            ++zaehler[u"Ende %1 auf %2"_s.arg(weg, schirm)];
        if (spiel.beendet() || !fenster()) { // the game starts anew, no round under way
            tk::Program::instance().reset();
            kb::modVariablen::zuruecksetzen();
            spiel.services.exited = endeGeklickt = false;
            spiel.services.error.reset();
            schiedsrichter.fenster.clear();
            spiel.starte(u"frmSplash"_s);
        }
    }

    // At a board a screen is shown by the backdrop's window, and that window is
    // the one the desktop would close.
    void sende(QWidget* w)
    {
        const QPointer<QWindow> fenster = w->window()->windowHandle();
        const int wurf = wuerfel(1000);
        if (wurf < 450) { // half the clicks land anywhere, half somewhere on a visible control
            QList<QWidget*> ziele;
            for (QWidget* c : w->findChildren<QWidget*>())
                if (c->isVisible() && !c->isWindow())
                    ziele.append(c);
            QWidget* c = ziele.isEmpty() || wuerfel(2) ? w : ziele.at(wuerfel(int(ziele.size())));
            const QPoint wo = c->mapTo(
                w->window(), QPoint(wuerfel(std::max(1, c->width())), wuerfel(std::max(1, c->height()))));
            const Qt::MouseButton knopf = wuerfel(10) ? Qt::LeftButton : Qt::RightButton;
            QTest::mousePress(fenster, knopf, {}, wo);
            if (fenster)
                QTest::mouseRelease(fenster, knopf, {}, wo);
        } else if (wurf < 880) {
            const Qt::Key taste = tasten[wuerfel(int(std::size(tasten)))];
            const bool alt = !wuerfel(6);
            esc = taste == Qt::Key_Escape;
            const char text = QTest::keyToAscii(taste);
            tippe(fenster, taste, text ? QString(QChar(text)) : QString(),
                  alt ? Qt::AltModifier : Qt::NoModifier);
        } else if (wurf < 930) {
            for (int n = wuerfel(4); n >= 0; --n)
                tippe(fenster, Qt::Key_unknown, zeichen.at(wuerfel(int(zeichen.size()))));
        } else if (wurf < 997) { // a tick of one of the current screen's running timers
            QList<tk::Timer*> laufend;
            if (tk::Form* f = tk::Program::instance().current())
                for (const auto& c : f->controls())
                    if (c->kind() == tk::Kind::Timer && static_cast<tk::Timer*>(c.get())->isRunning())
                        laufend.append(static_cast<tk::Timer*>(c.get()));
            if (!laufend.isEmpty())
                laufend.at(wuerfel(int(laufend.size())))->fire();
        } else {
            schliessfeld = true;
            w->window()->close();
        }
    }
};

} // namespace

class tst_Affentest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // With the pictures the program comes with: no run-time error, no end that the
    // child did not ask for, every screen reached, and every round by the rules.
    void fuenfzigtausendEreignisse()
    {
        Affe affe;
        affe.spiel.standardBilder();
        static QtMessageHandler vorher = nullptr; // the offscreen platform notes every raise() it ignores
        vorher =
            qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext& ort, const QString& text) {
                if (!text.startsWith(u"This plugin does not support"_s))
                    vorher(typ, ort, text);
            });
        affe.spiel.starte(u"frmSplash"_s);
        for (int n = 1; n <= 50000 && affe.schiedsrichter.befunde.size() < 20; ++n)
            affe.ereignis(n);
        qInstallMessageHandler(vorher);
        for (auto it = affe.zaehler.cbegin(); it != affe.zaehler.cend(); ++it)
            qInfo("%s: %d", qPrintable(it.key()), it.value());
        const Schiedsrichter& s = affe.schiedsrichter;
        QVERIFY2(s.befunde.isEmpty(), qPrintable(s.befunde.join(u'\n')));
        for (const char* schirm : {"frmSplash", "frmStart", "frmSchwierigkeit", "frmSpiel", "frmSchw1",
                                   "frmSchw2", "frmSchw3", "frmSchw4", "frmSchw5", "Eingabe", "frmAusw1",
                                   "frmAusw2", "frmAuswert1", "frmAuswert2", "qt_edit_menu"})
            QVERIFY2(affe.zaehler.value(u"Ereignisse auf "_s + QLatin1String(schirm)) > 0, schirm);
        qInfo("Tafeln geprüft: %d, Auswertungen geprüft: %d", s.tafeln, s.auswertungen);
        QVERIFY(s.tafeln >= 100 && s.auswertungen >= 100);
    }
};

KB_TEST_MAIN(tst_Affentest)
#include "tst_affentest.moc"
