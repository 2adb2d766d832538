#include "toolkit/program.h"

#include "toolkit/keywatch.h"
#include "toolkit/language.h"
#include "toolkit/services.h"
#include "toolkit/systemcolours.h"
#include "toolkit/units.h"
#include "toolkit/windowwatch.h"

#include <QApplication>
#include <QPixmapCache>
#include <algorithm>
#include <new>

// The fonts and the hand cursor are compiled into the toolkit's static library;
// nothing refers to them by symbol, so the linker would leave them out unless
// they are pulled in here. The macro must stand outside any namespace.
static void toolkitRessourcen()
{
    Q_INIT_RESOURCE(toolkit);
}

namespace tk {

void setUp()
{
    // Between two screens no window is visible for a moment; the program ends by
    // itself when no screen is loaded any more, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    // The style keeps every button it draws in the pixmap cache, under a key that
    // holds the palette of the button's window, and each screen load makes a new
    // palette: no later screen ever finds those entries again. They would only
    // pile up, to the cache's 10 MB and, for their keys, beyond it until Qt's
    // timed flush. All the cache spared was redrawing a button pressed on its
    // own screen, which costs no measurable time.
    QPixmapCache::setCacheLimit(0);
    toolkitRessourcen();
    loadBundledFonts();
    QApplication::setPalette(systemPalette());
    installKeyWatch();
    useGermanQtTexts();
    installWindowWatch();
}

Program& Program::instance()
{
    static Program program;
    return program;
}

void Program::registerForm(const QString& name, Factory factory)
{
    factories_.insert(name, std::move(factory));
}

Form* Program::loaded(const QString& name) const
{
    for (const auto& f : loaded_)
        if (f->name() == name)
            return f.get();
    return nullptr;
}

Form& Program::load(const QString& name)
{
    if (Form* f = loaded(name))
        return *f;
    auto factory = factories_.constFind(name);
    if (factory == factories_.constEnd())
        throw RuntimeError::objectRequired(name);
    loaded_.push_back((*factory)());
    Form& form = *loaded_.back();
    form.host_ = this;
    form.Form_Load();
    return form;
}

void Program::show(const QString& name, bool modal)
{
    // Modal or not, the shown screen becomes the one the loop serves; the caller
    // has nothing left to do after a modal show.
    Q_UNUSED(modal);
    Form& form = load(name);
    if (loaded(name) == &form && !ended_)
        form.present();
}

void Program::unload(Form& form)
{
    auto it = std::find_if(loaded_.begin(), loaded_.end(), [&](const auto& f) { return f.get() == &form; });
    if (it == loaded_.end())
        return;
    std::unique_ptr<Form> gone = std::move(*it);
    loaded_.erase(it);
    if (QWidget* window = gone->window())
        window->hide();
    unloaded_.push_back(std::move(gone));
    if (depth_ == 0)
        finishEvent();
}

void Program::end()
{
    if (ended_)
        return;
    endWith(0);
}

void Program::endWith(int status)
{
    ended_ = true;
    exitStatus_ = status;
    for (auto& f : loaded_)
        unloaded_.push_back(std::move(f));
    loaded_.clear();
    if (depth_ == 0)
        unloaded_.clear();
    if (status == 0)
        services().exit(0);
}

void Program::dispatch(const std::function<void()>& handler)
{
    if (ended_ || !handler)
        return;
    ++depth_;
    try {
        handler();
    } catch (const RuntimeError& error) {
        if (--depth_ > 0)
            throw;
        fail(error);
        finishEvent();
        return;
    } catch (const std::bad_alloc&) {
        if (--depth_ > 0)
            throw;
        fail(RuntimeError::outOfMemory());
        finishEvent();
        return;
    }
    if (--depth_ == 0)
        finishEvent();
}

void Program::fail(const RuntimeError& error)
{
    endWith(1);
    services().showError(error, [] { services().exit(1); });
}

void Program::finishEvent()
{
    unloaded_.clear();
    if (!ended_ && loaded_.empty())
        endWith(0);
}

void Program::start(const QString& first)
{
    dispatch([this, first] { show(first, vbModeless); });
}

void Program::reset()
{
    for (auto& f : loaded_)
        unloaded_.push_back(std::move(f));
    loaded_.clear();
    unloaded_.clear();
    depth_ = 0;
    ended_ = false;
    exitStatus_ = 0;
}

} // namespace tk
