// A child at the keyboard: a long seeded run of random clicks, keys, typed texts,
// close boxes and timer ticks over every screen, the game started anew whenever
// it ends. KB_AFFE_SEED and KB_AFFE_EREIGNISSE change seed and length.
#include "shell/modVariablen.h"
#include "support/spielumgebung.h"

#include <QApplication>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <random>

using kbtest::Spiel;

namespace {

enum class Art { Anderes, Esc, Schliessen };

const Qt::Key tasten[] = {Qt::Key_Return, Qt::Key_Enter,     Qt::Key_Escape, Qt::Key_Space,
                          Qt::Key_Tab,    Qt::Key_Backspace, Qt::Key_E,      Qt::Key_N,
                          Qt::Key_S,      Qt::Key_W,         Qt::Key_A,      Qt::Key_Z,
                          Qt::Key_1,      Qt::Key_5,         Qt::Key_0,      Qt::Key_9};

// The offscreen platform notes every raise() and size hint it ignores.
QtMessageHandler testausgabe = nullptr;
void meldung(QtMsgType typ, const QMessageLogContext& ort, const QString& text)
{
    if (!text.startsWith(QStringLiteral("This plugin does not support")))
        testausgabe(typ, ort, text);
}

int umgebung(const char* name, int vorgabe)
{
    return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : vorgabe;
}

struct Affe {
    explicit Affe(Spiel& s) : spiel(s) {}
    Spiel& spiel;
    std::mt19937 zufall{unsigned(umgebung("KB_AFFE_SEED", 20240917))};
    kbtest::Wachhund wachhund{std::chrono::seconds(30)};
    QPointer<QWidget> beobachtet;
    bool endeGeklickt = false;
    QMap<QString, int> zaehler; // how the games ended, and events per screen
    QStringList befunde;

    int wuerfel(int n) { return std::uniform_int_distribution<int>(0, n - 1)(zufall); }
    void befund(int nummer, const QString& was)
    {
        befunde << QStringLiteral("Ereignis %1: %2").arg(nummer).arg(was);
    }

    void laufe(int vorgabe)
    {
        const int anzahl = umgebung("KB_AFFE_EREIGNISSE", vorgabe);
        testausgabe = qInstallMessageHandler(meldung);
        spiel.starte(QStringLiteral("frmSplash"));
        for (int n = 1; n <= anzahl && befunde.size() < 20; ++n)
            ereignis(n);
        qInfo("%d Ereignisse", anzahl);
        for (auto it = zaehler.cbegin(); it != zaehler.cend(); ++it)
            qInfo("  %s: %d", qPrintable(it.key()), it.value());
        qInstallMessageHandler(testausgabe);
        QVERIFY2(befunde.isEmpty(), qPrintable(befunde.join(QLatin1Char('\n'))));
    }

    void ereignis(int nummer)
    {
        QWidget* w = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                       : QApplication::activeModalWidget();
        if (tk::Form* f = tk::Program::instance().current(); !w && f && f->window()->isVisible())
            w = f->window();
        if (!w) {
            befund(nummer, QStringLiteral("kein Fenster offen, Programm nicht beendet"));
            return neustart();
        }
        if (w != beobachtet) { // notes every click on an "&Ende" button of the new window
            beobachtet = w;
            QApplication::setActiveWindow(w);
            for (QPushButton* b : w->findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("&Ende"))
                    QObject::connect(b, &QPushButton::clicked, b, [this] { endeGeklickt = true; });
        }
        const QString schirm = w->objectName();
        ++zaehler[QStringLiteral("Ereignisse auf ") + schirm];
        spiel.services.clock = zufall(); // the clock that seeds the draw moves on
        wachhund.schritt(QStringLiteral("Ereignis %1 auf %2").arg(nummer).arg(schirm));
        const Art art = sende(w);
        Spiel::ruhe();
        const auto& p = tk::Program::instance();
        if (p.dispatchDepth() != 0)
            befund(nummer, QStringLiteral("ein Handler ist nicht zurückgekehrt"));
        if (spiel.beendet())
            return ende(nummer, art, schirm);
        if (p.loadedCount() != 1 || endeGeklickt)
            befund(nummer, QStringLiteral("%1 Schirme nach %2, „&Ende“: %3")
                               .arg(p.loadedCount())
                               .arg(schirm)
                               .arg(endeGeklickt));
    }

    // Every end must have come a way the program defines; then the game starts anew.
    void ende(int nummer, Art art, const QString& schirm)
    {
        QString weg;
        if (const auto& fehler = spiel.services.error)
            befund(nummer,
                   QStringLiteral("Laufzeitfehler %1: %2").arg(fehler->number()).arg(fehler->message()));
        else if (endeGeklickt)
            weg = art == Art::Esc && schirm == QStringLiteral("frmStart") ? QStringLiteral("Esc")
                                                                          : QStringLiteral("&Ende");
        else if (art == Art::Schliessen)
            weg = QStringLiteral("Schließfeld");
        else
            befund(nummer, QStringLiteral("Ende ohne festgelegten Weg"));
        if (!weg.isEmpty() && spiel.services.exitStatus != 0)
            befund(nummer, QStringLiteral("Ende mit Status %1").arg(spiel.services.exitStatus));
        ++zaehler[QStringLiteral("Ende %1 auf %2").arg(weg, schirm)];
        endeGeklickt = false;
        neustart();
    }

    void neustart()
    {
        tk::Program::instance().reset();
        modVariablen::zuruecksetzen();
        spiel.services.exited = false;
        spiel.services.error.reset();
        spiel.starte(QStringLiteral("frmSplash"));
    }

    Art sende(QWidget* w)
    {
        const int wurf = wuerfel(1000);
        // A handler may close the window half-way through a click or a typed text.
        const QPointer<QWindow> fenster = w->windowHandle();
        if (wurf < 450) {
            const Qt::MouseButton knopf = wuerfel(10) ? Qt::LeftButton : Qt::RightButton;
            const QPoint wo = punkt(w);
            QTest::mousePress(fenster, knopf, {}, wo);
            if (fenster)
                QTest::mouseRelease(fenster, knopf, {}, wo);
        } else if (wurf < 880) {
            const Qt::Key taste = tasten[wuerfel(int(std::size(tasten)))];
            const char zeichen = QTest::keyToAscii(taste);
            tippe(fenster, taste, zeichen ? QString(QChar(zeichen)) : QString(),
                  wuerfel(6) ? Qt::NoModifier : Qt::AltModifier);
            return taste == Qt::Key_Escape ? Art::Esc : Art::Anderes;
        } else if (wurf < 930) {
            static const QString zeichen = QStringLiteral("0123456789012345 ,.-+aeÄöß€xQ");
            for (int n = wuerfel(4); n >= 0; --n)
                tippe(fenster, Qt::Key_unknown, zeichen.at(wuerfel(int(zeichen.size()))), {});
        } else if (wurf < 997) {
            tickeTimer();
        } else {
            w->close();
            return Art::Schliessen;
        }
        return Art::Anderes;
    }

    // A key through the window, as the desktop delivers it.
    static void tippe(const QPointer<QWindow>& f, Qt::Key taste, const QString& text,
                      Qt::KeyboardModifiers alt)
    {
        for (QEvent::Type typ : {QEvent::KeyPress, QEvent::KeyRelease}) {
            if (f)
                qt_handleKeyEvent(f, typ, taste, alt, text);
            QCoreApplication::processEvents();
        }
    }

    // Half the clicks land anywhere, half somewhere on a visible control.
    QPoint punkt(QWidget* w)
    {
        QList<QWidget*> ziele;
        for (QWidget* c : w->findChildren<QWidget*>())
            if (c->isVisible() && !c->isWindow())
                ziele.append(c);
        QWidget* c = ziele.isEmpty() || wuerfel(2) ? w : ziele.at(wuerfel(int(ziele.size())));
        return c->mapTo(w, QPoint(wuerfel(std::max(1, c->width())), wuerfel(std::max(1, c->height()))));
    }

    // A tick of one of the current screen's running timers, as the clock would give it.
    void tickeTimer()
    {
        QList<tk::Timer*> laufend;
        if (tk::Form* f = tk::Program::instance().current())
            for (const auto& c : f->controls())
                if (c->kind() == tk::Kind::Timer && static_cast<tk::Timer*>(c.get())->isRunning())
                    laufend.append(static_cast<tk::Timer*>(c.get()));
        if (!laufend.isEmpty())
            laufend.at(wuerfel(int(laufend.size())))->fire();
    }
};

} // namespace

class tst_Affentest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // With the pictures the program comes with, no run-time error at all.
    void hunderttausendEreignisse()
    {
        Spiel spiel;
        spiel.standardBilder();
        Affe affe(spiel);
        affe.laufe(100000);
        for (const char* schirm : {"frmSplash", "frmStart", "frmSpiel", "frmSchwierigkeit", "frmSchw1",
                                   "frmSchw2", "frmSchw3", "frmSchw4", "frmSchw5", "Eingabe", "frmAusw1",
                                   "frmAusw2", "frmAuswert1", "frmAuswert2", "qt_edit_menu"})
            QVERIFY2(affe.zaehler.value(QStringLiteral("Ereignisse auf ") + QLatin1String(schirm)) > 0,
                     schirm);
    }
};

QTEST_MAIN(tst_Affentest)
#include "tst_affentest.moc"
