#pragma once

#include "toolkit/form.h"
#include "toolkit/runtimeerror.h"

#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace tk {

// Sets up what every program built on the toolkit needs once: the bundled fonts
// and pictures, one colour scheme for every window, no pixmap cache, no
// automatic quit when a window closes (the program ends when no screen is
// loaded any more), the watch that keeps a held key from acting twice, and the
// one that closes a window the window system destroyed.
void setUp();

// The running program: which screens exist, which are loaded, and the one place
// through which every event handler runs.
//
// A modal show does not nest an event loop: the handler that shows the next
// screen has nothing left to do afterwards, so the one loop simply goes on with
// the new screen. The stack and the number of live widgets stay flat however
// many rounds are played.
class Program final : public FormHost {
public:
    using Factory = std::function<std::unique_ptr<Form>()>;

    static Program& instance();

    void registerForm(const QString& name, Factory factory);
    bool isRegistered(const QString& name) const { return factories_.contains(name); }

    // Loads (if needed) and shows a screen. The Load step runs to its end first.
    void show(const QString& name, bool modal) override;
    // Loads a screen without showing it.
    Form& load(const QString& name);
    // Closes the window and destroys the screen; a handler of that screen still
    // runs to its end.
    void unload(Form& form) override;
    // Closes every screen at once; no further event runs; the process ends.
    void end() override;

    Form* loaded(const QString& name) const;
    // The screen the program shows now: the last one loaded.
    Form* current() const { return loaded_.empty() ? nullptr : loaded_.back().get(); }
    int loadedCount() const { return int(loaded_.size()); }
    bool hasEnded() const { return ended_; }
    int exitStatus() const { return exitStatus_; }

    // Runs one event handler. A run-time error ends here: the standard message is
    // shown and the program ends. Nothing is thrown back into Qt's event loop.
    void dispatch(const std::function<void()>& handler) override;
    // Starts the program on its first screen.
    void start(const QString& first);
    // Drops every screen and clears the ended state, without ending (tests).
    void reset();
    // The depth of handler calls at this moment; 0 between events.
    int dispatchDepth() const { return depth_; }

private:
    Program() = default;
    void fail(const RuntimeError& error);
    void finishEvent();
    void endWith(int status);

    QHash<QString, Factory> factories_;
    std::vector<std::unique_ptr<Form>> loaded_;
    std::vector<std::unique_ptr<Form>> unloaded_;
    int depth_ = 0;
    bool ended_ = false;
    int exitStatus_ = 0;
};

} // namespace tk
