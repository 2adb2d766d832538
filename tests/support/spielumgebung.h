#pragma once

#include "shell/modVariablen.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/program.h"
#include "toolkit/services.h"

#include <QApplication>
#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <functional>
#include <optional>
#include <png.h>

namespace kbtest {

// The application object of a test program. With KB_TAFEL=<width>x<height> the
// game is shown at a board of that size, as Tafel=ja and Zeiger=nein show it.
class Anwendung {
public:
    Anwendung(int& argc, char** argv);
    tk::Application& app() { return *app_; }
    // The board's screen, or an invalid size when the screens are windows.
    static QSize tafel();

private:
    QTemporaryDir dir_;
    std::unique_ptr<tk::Application> app_;
};

// Services with a chosen folder, scripted random numbers, recorded links, prompts and boxes, an observed end.
class TestServices : public tk::Services {
public:
    QString folder;
    std::int64_t clock = 1234567;
    std::deque<float> scriptedNumbers; // handed out first, then the seeded generator
    int randomizeCalls = 0, rndCalls = 0;
    QStringList openedLinks;
    std::deque<QString> promptAnswers; // when empty the real dialog is shown
    QStringList promptTexts;           // "title: text" of each prompt
    QStringList messages;              // closed at once, unless shown for real
    bool echteMeldungen = false;       // message boxes and run-time errors shown as the program shows them
    std::optional<tk::RuntimeError> error;
    bool exited = false;
    int exitStatus = -1;

    // No system configuration unless a test writes one.
    QString konfiguration = QStringLiteral("/nonexistent/kieselblick.conf");

    QString programFolder() const override { return folder; }
    QString configurationFile() const override { return konfiguration; }
    std::int64_t clockMillis() const override { return clock; }
    void randomize() override { ++randomizeCalls, tk::Services::randomize(); }
    float rnd() override;
    void openLink(const QString& target) override { openedLinks.append(target); }
    void prompt(const QString& text, const QString& title,
                std::function<void(const QString&)> answer) override;
    void messageBox(const QString& text, const QString& title, std::function<void()> closed) override;
    void showError(const tk::RuntimeError& e, std::function<void()> closed) override;
    void exit(int status) override { exited = true, exitStatus = status; }
};

// One game per test: fresh services, fresh program state, a program folder of its own.
class Spiel {
public:
    Spiel();
    ~Spiel();
    Spiel(const Spiel&) = delete;
    Spiel& operator=(const Spiel&) = delete;

    TestServices services;
    QString programmOrdner() const { return dir_.path(); }
    QString bilder() const { return dir_.path() + QStringLiteral("/bilder"); }
    // The picture folder with tiny PNGs of the given names, each its own shade.
    void bilderOrdner(const QStringList& names);
    // The picture folder as a copy of the pictures the program comes with; or of
    // the first `anzahl` of them by name.
    void standardBilder(int anzahl = -1);

    // Starts the program on the given screen; gives the screen then loaded.
    tk::Form* starte(const QString& screen);
    // The single loaded screen, or none when there is not exactly one.
    tk::Form* aktuell() const
    {
        return tk::Program::instance().loadedCount() == 1 ? tk::Program::instance().current() : nullptr;
    }
    QString aktuellerName() const { return aktuell() ? aktuell()->name() : QString(); }
    bool beendet() const { return services.exited; }

    // Lets the event loop finish what is pending, deferred deletions included.
    static void ruhe();
    // Clicks a control in its middle; or its window there, whatever lies topmost.
    static void klick(const tk::Control& control);
    static void klickAnStelle(const tk::Control& control);
    // Clicks the window that shows `w` (at a board the backdrop) at `p` of `w`.
    static void klickAnStelle(const QWidget* w, QPoint p);
    // Asks the window that shows a screen to close, as the desktop's close box does.
    static void schliessfeld(const tk::Form* form);
    // Makes a window the active one so that keys reach its focus.
    static void aktiviere(const tk::Form* form) { aktiviere(form ? form->window() : nullptr); }
    static void aktiviere(QWidget* window);
    // Presses keys one after another, e.g. "Tab, Space", on the focus or the active window.
    static void tasten(const QString& keys);
    // Holds a key down as a keyboard does: a press, `wiederholungen` repeats (an
    // auto-repeated release and press each), the release; each to the screen then current.
    void halte(Qt::Key key, const QString& text, int wiederholungen, Qt::KeyboardModifiers mods = {}) const;
    // Types text key by key into a widget, umlauts included.
    static void tippen(QWidget* target, const QString& text);
    // Hands over to a screen as a handler does: unloads the current one, shows the next.
    static void wechsle(const QString& screen);

private:
    QTemporaryDir dir_;
};

// A window the child sees appear: a screen, also one inside the backdrop at a
// board, or a dialog.
bool istFenster(const QObject* object);

// Picture file names "Bild01.png", "Bild02.png", ...
QStringList bilddateien(int count);
// The round's words in Bildnamen, index 0 first; and setting them as a round would.
QStringList bildnamen();
void setzeBildnamen(const QStringList& words);
void schreibeBild(const QString& path, QSize size = {40, 30}, const char* format = "PNG",
                  QColor colour = Qt::darkGreen);
// Writes a file with exactly these bytes.
void schreibeDatei(const QString& path, const QByteArray& bytes);
// Writes a PNG of libpng's colour type and bit depth row by row, `zeile(y, bytes,
// length)` filling row y as stored, for each pass of an interlaced file. A palette
// has 2^tiefe colours; `durchsichtig` gives them alpha, or makes value 0 transparent.
void schreibePng(const QString& path, QSize size, int farbtyp, int tiefe, bool verschachtelt,
                 bool durchsichtig, const std::function<void(int, uchar*, std::size_t)>& zeile);

} // namespace kbtest

// Every test speaks in the toolkit's terms, with Qt's string literals.
using namespace tk;
using namespace Qt::StringLiterals;
using kbtest::Spiel;

// QTEST_MAIN for the game's tests, which run in windows or, with KB_TAFEL set,
// at a board.
#define KB_TEST_MAIN(Klasse)                                                                                 \
    int main(int argc, char* argv[])                                                                         \
    {                                                                                                        \
        kbtest::Anwendung anwendung(argc, argv);                                                             \
        QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);                                               \
        Klasse test;                                                                                         \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
