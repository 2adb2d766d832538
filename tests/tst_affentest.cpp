// A child at the keyboard: a long seeded run of random clicks, keys, typed texts,
// close boxes and timer ticks over every screen, the game started anew whenever
// it ends. A referee watches the rounds as they are played: the pictures shown,
// every answer board and every pick on it, and the result that follows.
// KB_AFFE_SEED shifts the seed.
#include "support/spielumgebung.h"

#include <QFileInfo>
#include <QMap>
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
// once; the result counts as right the picks of those words and as wrong the
// others, four or seven in all.
class Schiedsrichter {
public:
    explicit Schiedsrichter(QStringList& befunde) : befunde_(befunde) {}

    // Looks at the screen after each event.
    void beobachte(int nummer)
    {
        nummer_ = nummer;
        tk::Form* f = tk::Program::instance().current();
        if (!f || !f->window()->isVisible())
            return;
        const QString name = f->name();
        if (fenster_ != f->window()) {
            fenster_ = f->window();
            neuerSchirm(*f, name);
        }
        if (name.startsWith(u"frmSchw") && name != u"frmSchwierigkeit") {
            const QString bild = f->find<tk::Image>(u"imgBild"_s).picture().path();
            if (!bild.isEmpty() && bild != letztesBild_) {
                letztesBild_ = bild;
                gezeigt_ << QFileInfo(bild).fileName().chopped(4); // the word rule of the README
            }
        }
    }

    // The game starts anew: no round is under way.
    void vonVorn()
    {
        fenster_.clear();
        letztesBild_.clear(), gezeigt_.clear(), gewaehlt_.clear();
    }

    int tafeln = 0, auswertungen = 0; // how many the referee checked

private:
    void neuerSchirm(tk::Form& f, const QString& name)
    {
        if (name.startsWith(u"frmSchw") && name != u"frmSchwierigkeit") {
            gezeigt_.clear(), gewaehlt_.clear(), letztesBild_.clear();
        } else if (name == u"frmAusw1" || name == u"frmAusw2") {
            pruefeTafel(f, name == u"frmAusw1" ? 4 : 7, name == u"frmAusw1" ? 9 : 15);
        } else if (name == u"frmAuswert1" || name == u"frmAuswert2") {
            pruefeAuswertung(f, name == u"frmAuswert1" ? 4 : 7);
        }
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
                             [this, wort = knopf.Caption()] { gewaehlt_ << wort; });
        }
        const QSet<QString> verschieden(aufTafel.begin(), aufTafel.end());
        if (gezeigt_.size() != bilder)
            melde(u"%1 Bilder gezeigt vor einer Tafel für %2"_s.arg(gezeigt_.size()).arg(bilder));
        if (aufTafel.size() != woerter || verschieden.size() != woerter || verschieden.contains(QString()))
            melde(u"Tafel mit %1 Wörtern, %2 verschieden: %3"_s.arg(aufTafel.size())
                      .arg(verschieden.size())
                      .arg(aufTafel.join(u", "_s)));
        for (const QString& wort : gezeigt_)
            if (!verschieden.contains(wort))
                melde(u"gezeigtes Wort „%1“ fehlt auf der Tafel: %2"_s.arg(wort, aufTafel.join(u", "_s)));
    }

    void pruefeAuswertung(tk::Form& auswertung, int wahlen)
    {
        ++auswertungen;
        int richtig = 0;
        for (const QString& wort : gewaehlt_)
            richtig += gezeigt_.contains(wort) ? 1 : 0;
        const int falsch = int(gewaehlt_.size()) - richtig;
        const auto zeile = [](int n, const char* art) {
            return u"%1 %2 Antwort%3"_s.arg(n).arg(QLatin1String(art)).arg(n == 1 ? u""_s : u"en"_s);
        };
        const QString punkte = auswertung.find<tk::Label>(u"lblPunkte"_s).Caption();
        const QString punkte2 = auswertung.find<tk::Label>(u"lblPunkte2"_s).Caption();
        if (gewaehlt_.size() != wahlen || QSet<QString>(gewaehlt_.begin(), gewaehlt_.end()).size() != wahlen)
            melde(u"%1 Wörter gewählt vor der Auswertung für %2: %3"_s.arg(gewaehlt_.size())
                      .arg(wahlen)
                      .arg(gewaehlt_.join(u", "_s)));
        if (punkte != zeile(richtig, "richtige") || punkte2 != zeile(falsch, "falsche"))
            melde(u"Auswertung „%1“, „%2“ nach der Wahl %3 bei den Bildern %4"_s.arg(
                punkte, punkte2, gewaehlt_.join(u", "_s), gezeigt_.join(u", "_s)));
    }

    void melde(const QString& befund) { befunde_ << u"Ereignis %1: %2"_s.arg(nummer_).arg(befund); }

    QStringList& befunde_;
    int nummer_ = 0;
    QPointer<QWidget> fenster_; // the screen seen last
    QString letztesBild_;
    QStringList gezeigt_;  // the words of the pictures shown in this round
    QStringList gewaehlt_; // the words picked on its board
};

struct Affe {
    Spiel spiel;
    std::mt19937 zufall{unsigned(20240917 + qEnvironmentVariableIntValue("KB_AFFE_SEED"))};
    QPointer<QWidget> beobachtet;
    bool endeGeklickt = false, esc = false, schliessfeld = false;
    QMap<QString, int> zaehler; // events per screen, and how the games ended
    QStringList befunde;
    Schiedsrichter schiedsrichter{befunde};

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
        schiedsrichter.beobachte(nummer);
        // Only "&Ende" (Esc on the start screen clicks it too) and the close box end the game.
        const QString weg = endeGeklickt   ? (esc && schirm == u"frmStart"_s ? u"Esc"_s : u"&Ende"_s)
                            : schliessfeld ? u"Schließfeld"_s
                                           : QString();
        const auto& p = tk::Program::instance();
        QString befund = p.dispatchDepth() != 0 ? u"ein Handler ist nicht zurückgekehrt"_s : QString();
        if (const auto& fehler = spiel.services.error)
            befund = u"Laufzeitfehler %1: %2"_s.arg(fehler->number()).arg(fehler->message());
        else if (spiel.beendet() && (weg.isEmpty() || spiel.services.exitStatus != 0))
            befund = u"Ende „%1“ mit Status %2"_s.arg(weg).arg(spiel.services.exitStatus);
        else if (!spiel.beendet() && (!fenster() || p.loadedCount() != 1 || endeGeklickt))
            befund = u"%1 Schirme nach %2, „&Ende“: %3"_s.arg(p.loadedCount()).arg(schirm).arg(endeGeklickt);
        if (!befund.isEmpty())
            befunde << u"Ereignis %1: %2"_s.arg(nummer).arg(befund);
        if (spiel.beendet())
            ++zaehler[u"Ende %1 auf %2"_s.arg(weg, schirm)];
        if (spiel.beendet() || !fenster()) { // the game starts anew
            tk::Program::instance().reset();
            kb::modVariablen::zuruecksetzen();
            spiel.services.exited = endeGeklickt = false;
            spiel.services.error.reset();
            schiedsrichter.vonVorn();
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
        for (int n = 1; n <= 50000 && affe.befunde.size() < 20; ++n)
            affe.ereignis(n);
        qInstallMessageHandler(vorher);
        for (auto it = affe.zaehler.cbegin(); it != affe.zaehler.cend(); ++it)
            qInfo("%s: %d", qPrintable(it.key()), it.value());
        QVERIFY2(affe.befunde.isEmpty(), qPrintable(affe.befunde.join(u'\n')));
        for (const char* schirm : {"frmSplash", "frmStart", "frmSpiel", "frmSchwierigkeit", "frmSchw1",
                                   "frmSchw2", "frmSchw3", "frmSchw4", "frmSchw5", "Eingabe", "frmAusw1",
                                   "frmAusw2", "frmAuswert1", "frmAuswert2", "qt_edit_menu"})
            QVERIFY2(affe.zaehler.value(u"Ereignisse auf "_s + QLatin1String(schirm)) > 0, schirm);
        qInfo("Tafeln geprüft: %d, Auswertungen geprüft: %d", affe.schiedsrichter.tafeln,
              affe.schiedsrichter.auswertungen);
        QVERIFY(affe.schiedsrichter.tafeln >= 100 && affe.schiedsrichter.auswertungen >= 100);
    }
};

KB_TEST_MAIN(tst_Affentest)
#include "tst_affentest.moc"
