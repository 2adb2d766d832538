#pragma once

// Plays the real game in a benchmark: services with a program folder of the
// benchmark's own, clicks where a child would click, and a watch on the windows
// that get painted.
#include "bildschirm.h"
#include "programmstart.h"
#include "regeln/einstellungen.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/formwindow.h"
#include "toolkit/program.h"
#include "toolkit/services.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTest>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace bench {

// The real services, except that the program folder is the benchmark's, links
// are not handed to the desktop and the end of the program is only recorded.
class Dienste : public tk::Services {
public:
    QString ordner;
    bool beendet = false;
    int status = -1;

    // No system configuration unless the benchmark writes one.
    QString konfiguration = QStringLiteral("/nonexistent/kieselblick.conf");

    QString programFolder() const override { return ordner; }
    QString configurationFile() const override { return konfiguration; }
    void openLink(const QString&) override {}
    void exit(int s) override
    {
        beendet = true;
        status = s;
    }
};

// Copies the program's own picture folder into `<programmOrdner>/bilder`.
inline void standardBilder(const QString& programmOrdner)
{
    const QString ziel = programmOrdner + QStringLiteral("/bilder");
    QDir().mkpath(ziel);
    QDirIterator it(QStringLiteral(KB_SOURCE_DIR "/assets/bilder"), QDir::Files);
    while (it.hasNext()) {
        it.next();
        QFile::copy(it.filePath(), ziel + QLatin1Char('/') + it.fileName());
    }
}

// Sets the game up as main() does, with the benchmark's services and a copy of
// the default pictures in `programmOrdner`.
inline void spielEinrichten(Dienste& dienste, const QString& programmOrdner)
{
    dienste.ordner = programmOrdner;
    standardBilder(programmOrdner);
    tk::setServices(&dienste);
    kb::einstellungenNeuLesen();
    kb::programmEinrichten();
}

[[noreturn]] inline void abbruch(const char* warum)
{
    std::fprintf(stderr, "benchmark stopped: %s\n", warum);
    std::exit(2);
}

// The size after "--tafel" on the command line, looked for before Qt reads it.
inline QSize tafelAus(int argc, char* argv[])
{
    for (int i = 1; i + 1 < argc; ++i)
        if (qstrcmp(argv[i], "--tafel") == 0)
            return kbwerkzeug::leseGroesse(QString::fromLocal8Bit(argv[i + 1]));
    return {};
}

// The benchmark's application: in windows, or with "--tafel WxH" on the command
// line at a board of that size on the offscreen platform (its screen described
// in `ordner`), shown as the game shows itself there.
inline std::unique_ptr<tk::Application> anwendung(int& argc, char** argv, const QString& ordner)
{
    const QSize tafel = tafelAus(argc, argv);
    if (tafel.isValid() && !kbwerkzeug::bildschirmEinrichten(ordner, tafel))
        abbruch("the board's screen could not be described");
    auto app = std::make_unique<tk::Application>(argc, argv);
    if (tafel.isValid())
        kb::anzeigeEinrichten(*app);
    if (tafel.isValid() != app->onBoard())
        abbruch("the game is not shown at the board");
    return app;
}

// Lets the event loop finish what is pending, deferred deletions included.
inline void ruhe()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Counts the paint events of the screens' windows.
class Malwache : public QObject {
public:
    Malwache() { qApp->installEventFilter(this); }
    ~Malwache() override { qApp->removeEventFilter(this); }
    Malwache(const Malwache&) = delete;
    Malwache& operator=(const Malwache&) = delete;

    const QWidget* zuletzt = nullptr;
    long anzahl = 0;

    // Runs the event loop until `fenster` has been painted after `seit` paints.
    void warteAuf(const QWidget* fenster, long seit)
    {
        QElapsedTimer uhr;
        uhr.start();
        while (!(zuletzt == fenster && anzahl > seit)) {
            QCoreApplication::processEvents();
            if (uhr.elapsed() > 5000)
                abbruch("a window was not painted within 5 s");
        }
    }

protected:
    // A screen's window; at a board, where it is part of the backdrop, too.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            (static_cast<QWidget*>(watched)->isWindow() || qobject_cast<tk::FormWindow*>(watched))) {
            zuletzt = static_cast<QWidget*>(watched);
            ++anzahl;
        }
        return false;
    }
};

// Where a child clicks to go on from a screen: the button that leads on, on the
// menu the level's button, on a board the first word still there.
struct Klickziel {
    QWidget* widget = nullptr;
    QPoint punkt;
};

inline Klickziel weiterKlick(const tk::Form& form, int stufe = 1)
{
    static const std::array<const char*, 5> stufenKnoepfe{"cmdschweins", "cmdschwzwei", "cmdschwdrei",
                                                          "cmdschwvier", "cmdschwfünf"};
    const QString& name = form.name();
    QString knopf;
    if (name == QLatin1String("frmSplash"))
        return {form.window(), QPoint(4, 4)}; // the screen itself leads on
    if (name == QLatin1String("frmStart"))
        knopf = QStringLiteral("cmdStart");
    else if (name == QLatin1String("frmSchwierigkeit"))
        knopf = QString::fromUtf8(stufenKnoepfe.at(std::size_t(stufe - 1)));
    else if (name == QLatin1String("frmSpiel") || name.startsWith(QLatin1String("frmSchw")))
        knopf = QStringLiteral("cmdweiter"); // levels 1 and 2: the timed levels hide it
    else if (name.startsWith(QLatin1String("frmAuswert")))
        knopf = QStringLiteral("cmdNochmal");
    else if (name.startsWith(QLatin1String("frmAusw"))) {
        for (int i = 0; form.hasControl(QStringLiteral("cmdeins"), i); ++i) {
            QWidget* w = form.find<tk::CommandButton>(QStringLiteral("cmdeins"), i).widget();
            if (w->isVisible())
                return {w, w->rect().center()};
        }
    }
    if (knopf.isEmpty())
        abbruch(qPrintable(QStringLiteral("no way on from %1").arg(name)));
    QWidget* w = form.find<tk::CommandButton>(knopf).widget();
    return {w, w->rect().center()};
}

inline tk::Form& aktuelleForm()
{
    tk::Form* f = tk::Program::instance().current();
    if (!f || tk::Program::instance().hasEnded())
        abbruch("the game has ended");
    return *f;
}

inline void klick(const Klickziel& ziel)
{
    QTest::mouseClick(ziel.widget, Qt::LeftButton, Qt::NoModifier, ziel.punkt);
}

// One click where a child would click; returns the time in ms from the click
// to the first paint of the next screen, and whether the screen changed.
inline double einKlick(Malwache& wache, int stufe, bool& gewechselt)
{
    tk::Form& vorher = aktuelleForm();
    const Klickziel ziel = weiterKlick(vorher, stufe);
    const long paints = wache.anzahl;
    QElapsedTimer uhr;
    uhr.start();
    klick(ziel);
    tk::Form& nachher = aktuelleForm();
    gewechselt = &nachher != &vorher;
    if (gewechselt)
        wache.warteAuf(nachher.window(), paints);
    ruhe();
    return double(uhr.nsecsElapsed()) / 1e6;
}

} // namespace bench
