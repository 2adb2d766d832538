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

class KeyWatch : public QObject {
public:
    static KeyWatch& instance()
    {
        static KeyWatch watch;
        return watch;
    }

    // One press reaches the filter several times: at the window, at the focused
    // widget and at each parent it propagates to. It is judged the first time.
    bool repeated(const QKeyEvent& event) const { return &event == current_ && repeated_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            return press(static_cast<QKeyEvent&>(*event));
        case QEvent::ShortcutOverride: {
            // An access key would fire before any press reaches a widget; taking
            // the override for a repeat stops it, and the press is swallowed next.
            auto& key = static_cast<QKeyEvent&>(*event);
            if (stale_.contains(key.key()) ||
                ((key.isAutoRepeat() || held_.contains(key.key())) && acts(key))) {
                key.accept();
                return true;
            }
            return false;
        }
        case QEvent::Show:
            // Keys down when a window appears belong to the screen before it.
            if (isNewScreen(watched))
                stale_ = held_;
            return false;
        case QEvent::KeyRelease:
            release(static_cast<QKeyEvent&>(*event));
            return false;
        case QEvent::ApplicationDeactivate:
            // Keys let go of in another program's window never report here.
            held_.clear();
            stale_.clear();
            current_ = nullptr;
            return false;
        default:
            return false;
        }
    }

private:
    bool press(const QKeyEvent& event)
    {
        if (&event != current_ || event.timestamp() != stamp_) {
            current_ = &event;
            stamp_ = event.timestamp();
            repeated_ = event.isAutoRepeat() || held_.contains(event.key());
            held_.insert(event.key());
        }
        return stale_.contains(event.key()) || (repeated_ && acts(event));
    }

    void release(const QKeyEvent& event)
    {
        if (event.isAutoRepeat())
            return;
        held_.remove(event.key());
        stale_.remove(event.key());
        current_ = nullptr;
    }

    QSet<int> held_;
    QSet<int> stale_; // down when the newest window appeared, not yet let go
    const QKeyEvent* current_ = nullptr;
    quint64 stamp_ = 0;
    bool repeated_ = false;
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
