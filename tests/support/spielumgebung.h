#pragma once

#include "shell/toolkit/dienste.h"
#include "shell/toolkit/form.h"
#include "shell/toolkit/programm.h"

#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace kbtest {

// Services for tests: a program folder of the test's choosing, scripted random
// numbers, links and prompts that are recorded, and an end of the program that
// is observed instead of ending the test process.
class TestServices : public tk::Services {
public:
    QString folder;
    std::int64_t clock = 1234567;
    // Random numbers handed out first, in order; after them the seeded generator.
    std::deque<float> scriptedNumbers;
    int randomizeCalls = 0;
    int rndCalls = 0;
    QStringList openedLinks;
    // Prompt answers given at once, in order. When empty the real dialog is shown.
    std::deque<QString> promptAnswers;
    QStringList promptTexts;
    QStringList promptTitles;
    // Message boxes are recorded and closed at once.
    QStringList messages;
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
    void messageBox(const QString& text, const QString& title, std::function<void()> closed) override;
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

    // Makes `<program folder>/bilder` with files of the given names (tiny PNGs
    // unless the name says otherwise) and points the program folder there.
    void bilderOrdner(const QStringList& names);
    // Points the program folder at a copy of the default picture folder.
    void standardBilder();
    QString programmOrdner() const { return dir_.path(); }

    // Starts the program on the given screen; gives the screen then shown, if one.
    tk::Form* starte(const QString& screen);
    // The single loaded screen, or none when there is not exactly one.
    tk::Form* aktuell() const;
    QString aktuellerName() const { return aktuell() ? aktuell()->name() : QString(); }
    tk::Form* geladen(const QString& name) const { return tk::Program::instance().loaded(name); }
    bool beendet() const { return services.exited; }

    // Lets the event loop finish what is pending: deferred deletions included.
    static void ruhe();
    // Clicks a control with the mouse, in its middle, as a user would.
    static void klick(tk::Control& control) { klick(control.widget()); }
    static void klick(QWidget* widget, QPoint at = QPoint(-1, -1));
    // Makes the screen's window the active one so that keys reach its focus.
    static void aktiviere(tk::Form* form);
    // Clicks the window at a point, as the mouse would: whatever lies topmost
    // there gets the click, and a hidden control gets none.
    static void klickImFenster(tk::Form* form, QPoint at);
    // Clicks the window where the control's middle lies.
    static void klickAnStelle(const tk::Control& c) { klickImFenster(&c.form(), mitteImFenster(c.widget())); }
    static QPoint mitteImFenster(const QWidget* w) { return w->mapTo(w->window(), w->rect().center()); }
    // Presses keys one after another, e.g. "Tab, Space", on whatever has the focus
    // (or the active window).
    static void tasten(const QString& keys);
    // Types text key by key into a widget, umlauts included.
    static void tippen(QWidget* target, const QString& text);
    // Hands over to a screen as a handler does: unloads the current one, shows the next.
    static void wechsle(const QString& screen);

private:
    QTemporaryDir dir_;
};

// Notices a step that does not return: a thread of its own ends the process,
// naming the step, when one runs longer than the deadline.
class Wachhund {
public:
    explicit Wachhund(std::chrono::seconds frist);
    ~Wachhund();
    Wachhund(const Wachhund&) = delete;
    Wachhund& operator=(const Wachhund&) = delete;
    // A new step begins now.
    void schritt(const QString& was);

private:
    std::chrono::seconds frist_;
    std::mutex mutex_;
    std::condition_variable aufwachen_;
    std::string was_;
    std::chrono::steady_clock::time_point seit_;
    bool ende_ = false;
    std::thread thread_;
};

// Picture file names "Bild01.png", "Bild02.png", ...
QStringList bilddateien(int count);
// The round's words in Bildnamen, index 0 first; and setting them as a round would.
QStringList bildnamen();
void setzeBildnamen(const QStringList& words);

// Writes a small picture of the given size and format into a file.
void schreibeBild(const QString& path, QSize size = QSize(40, 30), const char* format = nullptr,
                  QColor colour = Qt::darkGreen);

} // namespace kbtest
