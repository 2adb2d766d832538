#include "toolkit/backdrop.h"

#include <QChildEvent>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QScreen>

namespace tk {

namespace {

Backdrop* shown = nullptr;

// A screen of the program inside the backdrop, as against a dialog that stands
// above it as a window of its own.
bool isScreen(const QObject* object)
{
    return object->isWidgetType() && !static_cast<const QWidget*>(object)->isWindow();
}

} // namespace

Backdrop::Backdrop(QScreen* screen, OleColor colour) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Backdrop"));
    setWindowTitle(QCoreApplication::applicationName());
    setAutoFillBackground(true);
    setColour(this, QPalette::Window, colour);
    setScreen(screen);
    setGeometry(screen->geometry());
    showFullScreen();
    shown = this;
}

Backdrop::~Backdrop()
{
    if (shown == this)
        shown = nullptr;
}

Backdrop* Backdrop::current()
{
    return shown;
}

QWidget* Backdrop::shownScreen() const
{
    for (QObject* child : children())
        if (isScreen(child) && static_cast<QWidget*>(child)->isVisible())
            return static_cast<QWidget*>(child);
    return nullptr;
}

void Backdrop::childEvent(QChildEvent* event)
{
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
    QWidget::childEvent(event);
}

// A screen stands in the middle whenever it shows or changes its size; the
// backdrop takes its title and icon, so that the desktop names the window after
// the screen as it would name the screen's own window. A dialog stands in the
// middle too, with its frame: Qt would guess a frame it cannot know yet, and a
// message box finds its size only as it shows.
bool Backdrop::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType() || watched->parent() != this)
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const bool placed = event->type() == QEvent::Show || event->type() == QEvent::Resize;
    if (widget->isWindow() && placed)
        centreDialog(widget);
    else if (placed)
        centre(widget);
    if (!widget->isWindow() && event->type() == QEvent::Show)
        nameAfter(widget);
    return false;
}

void Backdrop::centreDialog(QWidget* dialog) const
{
    const QSize outer = dialog->frameGeometry().size();
    dialog->move(geometry().center() - QPoint(outer.width() / 2, outer.height() / 2));
}

void Backdrop::nameAfter(const QWidget* screen)
{
    setWindowTitle(screen->windowTitle().isEmpty() ? QCoreApplication::applicationName()
                                                   : screen->windowTitle());
    // A new icon goes to every widget inside; the screens share one.
    if (windowIcon().cacheKey() != screen->windowIcon().cacheKey())
        setWindowIcon(screen->windowIcon());
}

void Backdrop::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (QObject* child : children())
        if (isScreen(child))
            centre(static_cast<QWidget*>(child));
}

void Backdrop::centre(QWidget* screen) const
{
    screen->move((width() - screen->width()) / 2, (height() - screen->height()) / 2);
}

// The backdrop has no close box; a request to close it from elsewhere (a key
// of the desktop, the end of the session) closes the screen it shows, as that
// screen's own close box would.
void Backdrop::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (QWidget* screen = shownScreen())
        screen->close();
}

// A key pressed while no control of the screen has the focus goes to the
// screen, as it would go to the screen's own window. A key the screen leaves
// alone comes back here on its way up, and goes no further.
void Backdrop::keyPressEvent(QKeyEvent* event)
{
    passOn(event);
}

void Backdrop::keyReleaseEvent(QKeyEvent* event)
{
    passOn(event);
}

void Backdrop::passOn(QKeyEvent* event)
{
    QWidget* screen = shownScreen();
    if (!screen || passing_)
        return;
    passing_ = true;
    QCoreApplication::sendEvent(screen, event);
    passing_ = false;
}

} // namespace tk
