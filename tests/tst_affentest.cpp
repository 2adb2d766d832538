// A child at the keyboard: a long seeded run of random clicks, keys, typed texts,
// close boxes and timer ticks over every screen, the game started anew whenever
// it ends. KB_AFFE_SEED shifts the seed.
#include "shell/modVariablen.h"
#include "support/spielumgebung.h"

#include <QApplication>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <random>

using kbtest::Spiel;
using namespace Qt::StringLiterals;

namespace {

const Qt::Key tasten[] = {Qt::Key_Return,    Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space,
                          Qt::Key_Tab,       Qt::Key_E,     Qt::Key_N,      Qt::Key_S,
                          Qt::Key_Backspace, Qt::Key_W,     Qt::Key_1,      Qt::Key_0};

struct Affe {
    Spiel spiel;
    std::mt19937 zufall{unsigned(20240917 + qEnvironmentVariableIntValue("KB_AFFE_SEED"))};
    kbtest::Wachhund wachhund{std::chrono::seconds(30)};
    QPointer<QWidget> beobachtet;
    bool endeGeklickt = false, esc = false, schliessfeld = false;
    QMap<QString, int> zaehler; // events per screen, and how the games ended
    QStringList befunde;

    int wuerfel(int n) { return std::uniform_int_distribution<int>(0, n - 1)(zufall); }

    void ereignis(int nummer)
    {
        QWidget* w = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                       : QApplication::activeModalWidget();
        if (tk::Form* f = tk::Program::instance().current(); !w && f && f->window()->isVisible())
            w = f->window();
        const QString schirm = w ? w->objectName() : QString();
        if (w && w != beobachtet) { // notes every click on an "&Ende" button of the new window
            beobachtet = w;
            QApplication::setActiveWindow(w);
            for (QPushButton* b : w->findChildren<QPushButton*>())
                if (b->text() == u"&Ende"_s)
                    QObject::connect(b, &QPushButton::clicked, b, [this] { endeGeklickt = true; });
        }
        ++zaehler[u"Ereignisse auf "_s + schirm];
        spiel.services.clock = zufall(); // the clock that seeds the draw moves on
        wachhund.schritt(u"Ereignis %1 auf %2"_s.arg(nummer).arg(schirm));
        esc = schliessfeld = false;
        if (w)
            sende(w);
        Spiel::ruhe();
        const auto& p = tk::Program::instance();
        QString befund = p.dispatchDepth() != 0 ? u"ein Handler ist nicht zurückgekehrt"_s : QString();
        if (spiel.beendet()) {
            // Every end must have come a way the program defines; then the game starts anew.
            const QString weg = endeGeklickt   ? (esc && schirm == u"frmStart"_s ? u"Esc"_s : u"&Ende"_s)
                                : schliessfeld ? u"Schließfeld"_s
                                               : QString();
            if (const auto& fehler = spiel.services.error)
                befund = u"Laufzeitfehler %1: %2"_s.arg(fehler->number()).arg(fehler->message());
            else if (weg.isEmpty() || spiel.services.exitStatus != 0)
                befund = u"Ende „%1“ mit Status %2"_s.arg(weg).arg(spiel.services.exitStatus);
            ++zaehler[u"Ende %1 auf %2"_s.arg(weg, schirm)];
        } else if (!w || p.loadedCount() != 1 || endeGeklickt) {
            befund = u"%1 Schirme nach %2, „&Ende“: %3"_s.arg(p.loadedCount()).arg(schirm).arg(endeGeklickt);
        }
        if (!befund.isEmpty())
            befunde << u"Ereignis %1: %2"_s.arg(nummer).arg(befund);
        if (spiel.beendet() || !w) {
            tk::Program::instance().reset();
            kb::modVariablen::zuruecksetzen();
            spiel.services.exited = endeGeklickt = false;
            spiel.services.error.reset();
            spiel.starte(u"frmSplash"_s);
        }
    }

    void sende(QWidget* w)
    {
        const int wurf = wuerfel(1000);
        const QPointer<QWindow> fenster = w->windowHandle(); // a handler may close it meanwhile
        const auto tippe = [&](Qt::Key taste, const QString& text, Qt::KeyboardModifiers alt) {
            for (QEvent::Type typ : {QEvent::KeyPress, QEvent::KeyRelease}) {
                if (fenster)
                    qt_handleKeyEvent(fenster, typ, taste, alt, text);
                QCoreApplication::processEvents();
            }
        };
        if (wurf < 450) { // half the clicks land anywhere, half somewhere on a visible control
            QList<QWidget*> ziele;
            for (QWidget* c : w->findChildren<QWidget*>())
                if (c->isVisible() && !c->isWindow())
                    ziele.append(c);
            QWidget* c = ziele.isEmpty() || wuerfel(2) ? w : ziele.at(wuerfel(int(ziele.size())));
            const QPoint wo =
                c->mapTo(w, QPoint(wuerfel(std::max(1, c->width())), wuerfel(std::max(1, c->height()))));
            const Qt::MouseButton knopf = wuerfel(10) ? Qt::LeftButton : Qt::RightButton;
            QTest::mousePress(fenster, knopf, {}, wo);
            if (fenster)
                QTest::mouseRelease(fenster, knopf, {}, wo);
        } else if (wurf < 880) {
            const Qt::Key taste = tasten[wuerfel(int(std::size(tasten)))];
            const char zeichen = QTest::keyToAscii(taste);
            esc = taste == Qt::Key_Escape;
            tippe(taste, zeichen ? QString(QChar(zeichen)) : QString(),
                  wuerfel(6) ? Qt::NoModifier : Qt::AltModifier);
        } else if (wurf < 930) {
            static const QString zeichen = u"0123456789012345 ,.-+aeÄöß€xQ"_s;
            for (int n = wuerfel(4); n >= 0; --n)
                tippe(Qt::Key_unknown, zeichen.at(wuerfel(int(zeichen.size()))), {});
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
            w->close();
        }
    }
};

} // namespace

class tst_Affentest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // With the pictures the program comes with: no run-time error, every screen reached.
    void hunderttausendEreignisse()
    {
        Affe affe;
        affe.spiel.standardBilder();
        // The offscreen platform notes every raise() and size hint it ignores.
        static QtMessageHandler vorher = nullptr;
        vorher =
            qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext& ort, const QString& text) {
                if (!text.startsWith(u"This plugin does not support"_s))
                    vorher(typ, ort, text);
            });
        affe.spiel.starte(u"frmSplash"_s);
        for (int n = 1; n <= 100000 && affe.befunde.size() < 20; ++n)
            affe.ereignis(n);
        qInstallMessageHandler(vorher);
        for (auto it = affe.zaehler.cbegin(); it != affe.zaehler.cend(); ++it)
            qInfo("%s: %d", qPrintable(it.key()), it.value());
        QVERIFY2(affe.befunde.isEmpty(), qPrintable(affe.befunde.join(u'\n')));
        for (const char* schirm : {"frmSplash", "frmStart", "frmSpiel", "frmSchwierigkeit", "frmSchw1",
                                   "frmSchw2", "frmSchw3", "frmSchw4", "frmSchw5", "Eingabe", "frmAusw1",
                                   "frmAusw2", "frmAuswert1", "frmAuswert2", "qt_edit_menu"})
            QVERIFY2(affe.zaehler.value(u"Ereignisse auf "_s + QLatin1String(schirm)) > 0, schirm);
    }
};

QTEST_MAIN(tst_Affentest)
#include "tst_affentest.moc"
