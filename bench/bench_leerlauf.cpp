// Idle screens: each screen of the game, and the prompt of level 5, is left alone
// in the real event loop for two seconds (the timed levels for three and a half,
// so that their 3-second timer ticks once), and every wake-up of the loop is
// counted. A wake-up is explained when a timer of that window fired in it (the
// screen's own timers or those of its controls, such as the blinking cursor of a
// text box), or when it is the repaint such a timer asked for. Any other wake-up
// would be polling or a stray event.
//
// The game runs on the offscreen platform, where no window system sends events
// of its own. It is walked from screen to screen by real clicks and key presses;
// the timed levels are moved on by firing their timer.
#include "messung.h"
#include "spielzug.h"

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <map>

namespace {

constexpr int RuheMs = 2000;
constexpr int RuheZeitgesteuertMs = 3500;

constexpr int EinschwingenMs = 300;

struct Wachzeiten {
    int wecken = 0;                    // wake-ups of the loop
    int eigeneTimer = 0;               // only timers of the idle window fired
    int neuZeichnen = 0;               // the repaint a timer of the window asked for
    int sonstige = 0;                  // anything else woke the loop
    std::map<QString, int> timer;      // timers that fired, by class and name
    std::map<QString, int> unerklaert; // what the other wake-ups delivered
};

// Watches the event loop: every return to waiting ends one wake-up, and the
// events delivered since the last wait tell what woke it.
class Wecker : public QObject {
public:
    Wecker()
    {
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                [this] { zyklusEnde(); });
        qApp->installEventFilter(this);
    }

    // Lets `fenster` settle, then counts the wake-ups while it sits idle for `ms`
    // milliseconds. One run of the loop covers both, so that starting the loop
    // is not counted as a wake-up; the two timers that start and end the count
    // are the benchmark's own and not counted either.
    Wachzeiten messe(const QWidget* fenster, int ms)
    {
        QEventLoop loop;
        QTimer beginn, ende;
        beginn.setSingleShot(true);
        ende.setSingleShot(true);
        beginn_ = &beginn;
        ende_ = &ende;
        connect(&beginn, &QTimer::timeout, this, [this, fenster] {
            erg_ = {};
            erstesWarten_ = true;
            folgen_ = 0;
            fenster_ = fenster;
        });
        connect(&ende, &QTimer::timeout, &loop, &QEventLoop::quit);
        beginn.start(EinschwingenMs);
        ende.start(EinschwingenMs + ms);
        loop.exec();
        fenster_ = nullptr;
        beginn_ = ende_ = nullptr;
        return erg_;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!fenster_ || watched == beginn_ || watched == ende_)
            return false;
        const QEvent::Type typ = event->type();
        if (typ == QEvent::Timer) {
            const bool eigen = gehoertZumFenster(watched);
            (eigen ? eigenerTimer_ : fremderTimer_) = true;
            erg_.timer[(eigen ? QString() : QStringLiteral("not of the screen: ")) + name(watched)] += 1;
        } else {
            nurZeichnen_ = nurZeichnen_ && (typ == QEvent::UpdateRequest || typ == QEvent::Paint ||
                                            typ == QEvent::LayoutRequest);
            geliefert_.append(QStringLiteral("event %1 to %2").arg(int(typ)).arg(name(watched)));
        }
        return false;
    }

private:
    // A wake-up is explained by a timer of the window, or as the repaint that
    // such a timer asked for: Qt paints in the next pass of the loop. At most two
    // such passes follow one tick; a chain of them would be polling.
    void zyklusEnde()
    {
        if (!fenster_)
            return;
        if (!erstesWarten_) { // the first wait only starts the idle time
            ++erg_.wecken;
            if (eigenerTimer_ && !fremderTimer_) {
                ++erg_.eigeneTimer;
                folgen_ = 2;
            } else if (!eigenerTimer_ && !fremderTimer_ && nurZeichnen_ && folgen_ > 0) {
                ++erg_.neuZeichnen;
                --folgen_;
            } else {
                ++erg_.sonstige;
                folgen_ = 0;
                for (const QString& g : geliefert_)
                    erg_.unerklaert[g] += 1;
            }
        }
        erstesWarten_ = false;
        eigenerTimer_ = fremderTimer_ = false;
        nurZeichnen_ = true;
        geliefert_.clear();
    }

    bool gehoertZumFenster(const QObject* o) const
    {
        for (; o; o = o->parent())
            if (o->isWidgetType())
                return static_cast<const QWidget*>(o)->window() == fenster_;
        return false;
    }

    static QString name(const QObject* o)
    {
        return QString::fromLatin1(o->metaObject()->className()) +
               (o->objectName().isEmpty() ? QString() : QLatin1Char(' ') + o->objectName());
    }

    Wachzeiten erg_;
    const QWidget* fenster_ = nullptr;
    const QObject* beginn_ = nullptr;
    const QObject* ende_ = nullptr;
    bool erstesWarten_ = true;
    bool eigenerTimer_ = false;
    bool fremderTimer_ = false;
    bool nurZeichnen_ = true;
    int folgen_ = 0;
    QStringList geliefert_;
};

void berichte(const QString& was, const Wachzeiten& w, int ms)
{
    QStringList timer;
    for (const auto& [name, n] : w.timer)
        timer.append(QStringLiteral("%1 x%2").arg(name).arg(n));
    std::printf(
        "idle on %s for %.1f s: %d wake-ups: %d by its own timers, %d repaints they asked for, %d other\n",
        qPrintable(was), ms / 1000.0, w.wecken, w.eigeneTimer, w.neuZeichnen, w.sonstige);
    if (!timer.isEmpty())
        std::printf("        timers: %s\n", qPrintable(timer.join(QStringLiteral(", "))));
    for (const auto& [ereignis, n] : w.unerklaert)
        std::printf("        other wake-ups delivered: %s x%d\n", qPrintable(ereignis), n);
    bench::figure(qPrintable(QStringLiteral("idle on %1: wake-ups beyond its timers").arg(was)), w.sonstige,
                  "", "0", w.sonstige == 0);
}

Wecker* wecker = nullptr;

void messeAktuelle(int ms = RuheMs)
{
    bench::ruhe();
    const tk::Form& form = bench::aktuelleForm();
    berichte(form.name(), wecker->messe(form.window(), ms), ms);
}

void weiter(int stufe)
{
    bench::klick(bench::weiterKlick(bench::aktuelleForm(), stufe));
    bench::ruhe();
}

// Clicks on the current screen until another one opens.
void bisZumWechsel(int stufe)
{
    const tk::Form* vorher = &bench::aktuelleForm();
    while (&bench::aktuelleForm() == vorher)
        weiter(stufe);
}

// A timed level shows its pictures by its timer; fired by hand here.
void zeitgesteuertBisZurTafel()
{
    const tk::Form* vorher = &bench::aktuelleForm();
    while (&bench::aktuelleForm() == vorher) {
        for (const auto& c : vorher->controls())
            if (c->kind() == tk::Kind::Timer) {
                static_cast<tk::Timer*>(c.get())->fire();
                break;
            }
        bench::ruhe();
    }
}

// Level 5 first asks for the display time; the prompt sits idle, then gets "3".
void anzeigezeitEingeben()
{
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog)
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("Eingabe") && w->isVisible())
                dialog = w;
    if (!dialog)
        bench::abbruch("the prompt of level 5 did not open");
    berichte(QStringLiteral("the prompt of level 5"), wecker->messe(dialog, RuheMs), RuheMs);
    auto* feld = dialog->findChild<QLineEdit*>();
    QTest::keyClicks(feld, QStringLiteral("3"));
    QTest::keyClick(feld, Qt::Key_Return);
    bench::ruhe();
}

void spieleStufe(int stufe)
{
    weiter(stufe); // the menu opens the level
    if (stufe == 5)
        anzeigezeitEingeben();
    const bool zeitgesteuert = stufe >= 3;
    messeAktuelle(zeitgesteuert ? RuheZeitgesteuertMs : RuheMs);
    if (zeitgesteuert)
        zeitgesteuertBisZurTafel();
    else
        bisZumWechsel(stufe);
    if (stufe <= 2)
        messeAktuelle(); // the board
    bisZumWechsel(stufe);
    if (stufe <= 2)
        messeAktuelle(); // the result screen
    weiter(stufe);       // "&Noch einmal"
}

} // namespace

int main(int argc, char* argv[])
{
    bench::vorbereiten();
    QApplication app(argc, argv);
    QTemporaryDir ordner;
    bench::Dienste dienste;
    bench::spielEinrichten(dienste, ordner.path());
    Wecker w;
    wecker = &w;

    kb::programmStarten();
    for (int i = 0; i < 4; ++i) { // about screen, start, instructions, menu
        messeAktuelle();
        if (i < 3)
            weiter(1);
    }
    for (int stufe = 1; stufe <= 5; ++stufe)
        spieleStufe(stufe);
    return 0;
}
