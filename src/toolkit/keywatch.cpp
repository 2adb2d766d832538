#include "toolkit/keywatch.h"

#include "toolkit/formwindow.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>
#include <QTextEdit>

namespace tk {

namespace {

bool typesText(const QObject* receiver)
{
    return qobject_cast<const QLineEdit*>(receiver) || qobject_cast<const QTextEdit*>(receiver) ||
           qobject_cast<const QPlainTextEdit*>(receiver) || qobject_cast<const QAbstractSpinBox*>(receiver);
}

bool acts(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Space:
        return !typesText(QApplication::focusWidget());
    default:
        return event.modifiers() & Qt::AltModifier;
    }
}

// A screen or a dialog; a tool tip or a menu popping up is no new screen. On a
// board a screen is no window of its own but a part of the backdrop.
bool isNewScreen(const QObject* object)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (qobject_cast<const FormWindow*>(object))
        return true;
    return widget && widget->isWindow() && widget->windowType() != Qt::ToolTip &&
           widget->windowType() != Qt::Popup;
}

// The last release: which key, when, and whether the window system reported it.
// Its own events carry the key's scan code; events made up by test tools carry
// none and only a coarse clock, on which a new press may well share the
// millisecond of the release before it. (The press itself may come as a
// shortcut override that Qt made without the scan code.)
struct Release {
    int key = 0;
    quint64 stamp = 0;
    bool fromWindowSystem = false;

    bool pairsWith(const QKeyEvent& press) const
    {
        return fromWindowSystem && press.key() == key && press.timestamp() == stamp;
    }
};

class KeyWatch : public QObject {
public:
    static KeyWatch& instance()
    {
        static KeyWatch watch;
        return watch;
    }

    bool repeated(const QKeyEvent& event) const { return &event == current_ && repeat_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            // An access key would fire before any press reaches a widget; taking
            // the override for a repeat stops it, and the press is swallowed next.
            if (press(static_cast<QKeyEvent&>(*event))) {
                event->accept();
                return true;
            }
            return false;
        case QEvent::KeyPress:
            return press(static_cast<QKeyEvent&>(*event));
        case QEvent::KeyRelease:
            release(static_cast<QKeyEvent&>(*event));
            return false;
        case QEvent::Show:
            // Keys down when a window appears belong to the screen before it.
            if (isNewScreen(watched))
                stale_ = down_;
            return false;
        case QEvent::ApplicationDeactivate:
            // Keys let go of in another program's window never report here.
            forget();
            return false;
        default:
            return false;
        }
    }

private:
    // Whether to swallow the press. One press reaches the filter several times:
    // as the shortcut override, then as the press, each at the window, at the
    // focused widget and at every parent it propagates to. It is judged once.
    bool press(const QKeyEvent& event)
    {
        if (!samePress(event))
            judge(event);
        current_ = &event;
        type_ = event.type();
        return repeat_ && (wasStale_ || acts(event));
    }

    bool samePress(const QKeyEvent& event) const
    {
        if (!current_ || event.key() != key_ || event.timestamp() != stamp_)
            return false;
        if (&event == current_ && event.type() == type_)
            return true;
        return type_ == QEvent::ShortcutOverride && event.type() == QEvent::KeyPress &&
               event.modifiers() == modifiers_;
    }

    void judge(const QKeyEvent& event)
    {
        key_ = event.key();
        stamp_ = event.timestamp();
        modifiers_ = event.modifiers();
        repeat_ = event.isAutoRepeat() || lastRelease_.pairsWith(event);
        wasStale_ = stale_.contains(key_);
        // A new press proves the key was let go, whether or not its release came.
        if (!repeat_)
            stale_.remove(key_);
        down_.insert(key_);
        lastRelease_ = {};
    }

    void release(const QKeyEvent& event)
    {
        current_ = nullptr;
        if (event.isAutoRepeat())
            return;
        down_.remove(event.key());
        // The key stays stale: a press in the same millisecond would show that
        // this release was only half of a repeat.
        lastRelease_ = {event.key(), event.timestamp(), event.nativeScanCode() != 0};
    }

    void forget()
    {
        down_.clear();
        stale_.clear();
        lastRelease_ = {};
        current_ = nullptr;
    }

    QSet<int> down_;
    QSet<int> stale_; // down when the newest window appeared, not pressed anew since
    Release lastRelease_;
    // The press being delivered and its judgement.
    const QKeyEvent* current_ = nullptr;
    QEvent::Type type_ = QEvent::None;
    int key_ = 0;
    quint64 stamp_ = 0;
    Qt::KeyboardModifiers modifiers_;
    bool repeat_ = false;
    bool wasStale_ = false;
};

} // namespace

void installKeyWatch()
{
    static const bool installed = (qApp->installEventFilter(&KeyWatch::instance()), true);
    Q_UNUSED(installed);
}

bool isRepeatedPress(const QKeyEvent& event)
{
    return KeyWatch::instance().repeated(event);
}

} // namespace tk
