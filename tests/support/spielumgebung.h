#pragma once

#include "toolkit/dienste.h"
#include "toolkit/form.h"
#include "toolkit/programm.h"
#include "toolkit/steuerelemente.h"

#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace kbtest {

// Services with a chosen folder, scripted random numbers, recorded links, prompts and boxes, an observed end.
class TestServices : public tk::Services {
public:
    QString folder;
    std::int64_t clock = 1234567;
    std::deque<float> scriptedNumbers; // handed out first, then the seeded generator
    int randomizeCalls = 0;
    int rndCalls = 0;
    QStringList openedLinks;
    std::deque<QString> promptAnswers; // when empty the real dialog is shown
    QStringList promptTexts;
    QStringList promptTitles;
    QStringList messages; // closed at once
    std::optional<tk::RuntimeError> error;
    bool exited = false;
    int exitStatus = -1;

    QString programFolder() const override { return folder; }
    std::int64_t clockMillis() const override { return clock; }
    void randomize() override { ++randomizeCalls, tk::Services::randomize(); }
    float rnd() override;
    void openLink(const QString& target) override { openedLinks.append(target); }
    void prompt(const QString& text, const QString& title,
                std::function<void(const QString&)> answer) override;
    void messageBox(const QString& text, const QString&, std::function<void()> closed) override
    {
        messages.append(text);
        closed();
    }
    void showError(const tk::RuntimeError& e, std::function<void()> closed) override { error = e, closed(); }
    void exit(int status) override { exited = true, exitStatus = status; }
};

// One game per test: fresh services, fresh program state, a picture folder.
class Spiel {
public:
    Spiel();
    ~Spiel();
    Spiel(const Spiel&) = delete;
    Spiel& operator=(const Spiel&) = delete;

    TestServices services;

    // `<program folder>/bilder` with tiny PNGs of the given names, each its own shade.
    void bilderOrdner(const QStringList& names);
    // `<program folder>/bilder` as a copy of the pictures the program comes with.
    void standardBilder();
    QString programmOrdner() const { return dir_.path(); }

    // Starts the program on the given screen; gives the screen then shown, if one.
    tk::Form* starte(const QString& screen);
    // The single loaded screen, or none when there is not exactly one.
    tk::Form* aktuell() const
    {
        return tk::Program::instance().loadedCount() == 1 ? tk::Program::instance().current() : nullptr;
    }
    QString aktuellerName() const { return aktuell() ? aktuell()->name() : QString(); }
    tk::Form* geladen(const QString& name) const { return tk::Program::instance().loaded(name); }
    bool beendet() const { return services.exited; }

    // Lets the event loop finish what is pending, deferred deletions included.
    static void ruhe();
    // Clicks a control (or a widget at a point) with the mouse, by default in its middle.
    static void klick(tk::Control& control) { klick(control.widget()); }
    static void klick(QWidget* widget, QPoint at = QPoint(-1, -1));
    // Makes the screen's window the active one so that keys reach its focus.
    static void aktiviere(tk::Form* form);
    // Clicks the window at a point: whatever lies topmost there gets the click.
    static void klickImFenster(tk::Form* form, QPoint at);
    static void klickAnStelle(const tk::Control& c) { klickImFenster(&c.form(), mitteImFenster(c.widget())); }
    static QPoint mitteImFenster(const QWidget* w) { return w->mapTo(w->window(), w->rect().center()); }
    // Presses keys one after another, e.g. "Tab, Space", on the focus or the active window.
    static void tasten(const QString& keys);
    // Types text key by key into a widget, umlauts included.
    static void tippen(QWidget* target, const QString& text);
    // Hands over to a screen as a handler does: unloads the current one, shows the next.
    static void wechsle(const QString& screen);

private:
    QTemporaryDir dir_;
};

// Ends the process, naming the step, when one step runs longer than the deadline.
class Wachhund {
public:
    explicit Wachhund(std::chrono::seconds frist);
    void schritt(const QString& was);

private:
    std::mutex mutex_;
    std::string was_;
    std::chrono::steady_clock::time_point seit_ = std::chrono::steady_clock::now();
    std::jthread thread_; // last: stopped and joined first
};

// Picture file names "Bild01.png", "Bild02.png", ...
QStringList bilddateien(int count);
// The round's words in Bildnamen, index 0 first; and setting them as a round would.
QStringList bildnamen();
void setzeBildnamen(const QStringList& words);

void schreibeBild(const QString& path, QSize size = QSize(40, 30), const char* format = nullptr,
                  QColor colour = Qt::darkGreen);

} // namespace kbtest
