#pragma once

#include "toolkit/runtimeerror.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <random>

namespace tk {

// Everything the game takes from the world outside: the program folder, the clock
// and the random numbers, opening links, the prompt dialog, the error message and
// the end of the process. The program uses the real ones; tests put in their own
// to make these deterministic and to watch the end without the process exiting.
class Services {
public:
    virtual ~Services();

    // The folder that holds the program file, without a trailing separator.
    virtual QString programFolder() const;

    // The system configuration file (see Configuration::systemFile()).
    virtual QString configurationFile() const;

    // Milliseconds of the clock that seeds the random generator.
    virtual std::int64_t clockMillis() const;

    // Seeds the generator from the clock.
    virtual void randomize();
    // Next random number, uniform in [0, 1), single precision; never 1.0.
    virtual float rnd();

    // Hands a web address or a mail link to the desktop.
    virtual void openLink(const QString& target);

    // Shows the prompt dialog (prompt, title, OK and Cancel, an empty text field)
    // and later calls `answer` with the typed text, or the empty text when the
    // dialog was cancelled or closed. Returns at once.
    virtual void prompt(const QString& text, const QString& title,
                        std::function<void(const QString&)> answer);

    // Shows an information message box with an OK button; calls `closed` once it
    // is gone. Returns at once.
    virtual void messageBox(const QString& text, const QString& title, std::function<void()> closed);

    // Shows the standard run-time error message; calls `closed` once it is gone.
    virtual void showError(const RuntimeError& error, std::function<void()> closed);

    // Ends the process with the given exit status.
    virtual void exit(int status);

private:
    std::mt19937 generator_{5489u};
};

Services& services();
// Installs other services (tests); nullptr puts the real ones back.
void setServices(Services* services);

} // namespace tk
