#include "toolkit/formwindow.h"

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/keywatch.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace tk {

namespace {

bool isClickSurface(Kind k)
{
    return k == Kind::Label || k == Kind::Image || k == Kind::Frame || k == Kind::Document;
}

// Screen readers announce a screen as a window named by its title; a plain
// top-level widget would be an unnamed pane to them.
QAccessibleInterface* screenAccessible(const QString&, QObject* object)
{
    if (auto* window = qobject_cast<FormWindow*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    return nullptr;
}

} // namespace

FormWindow::FormWindow(Form* form) : form_(form)
{
    static const bool accessible = (QAccessible::installFactory(screenAccessible), true);
    Q_UNUSED(accessible);
}

FormWindow::~FormWindow()
{
    // Deleted by anything but its screen (which detaches it first): the screen
    // goes as by the close box, and with no screen left the program ends.
    if (Form* form = form_) {
        form_ = nullptr;
        form->loseWindow();
        form->dispatch([form] { form->host().unload(*form); });
    }
}

// With KeyPreview the screen sees every key that types something, and Enter,
// Esc and Backspace, before any control does. A held key reaches it once: its
// repeats go on to the control as if the screen had not looked.
bool FormWindow::previewKey(QKeyEvent* event)
{
    const int key = event->key();
    const QString text = event->text();
    if (!form_->keyPreview_ || !form_->keyPress_ || text.isEmpty() || isRepeatedPress(*event))
        return false;
    if (!text.at(0).isPrint() && key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape &&
        key != Qt::Key_Backspace)
        return false;
    const int code = text.at(0).unicode();
    auto handler = form_->keyPress_;
    form_->dispatch([handler, code] { handler(code); });
    return true;
}

bool FormWindow::handleKey(QKeyEvent* event)
{
    if (!form_)
        return true;
    if (previewKey(event))
        return true;
    if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
        return false;
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Enter clicks the focused button, or else the screen's default button.
        if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
            focused && focused->window() == this && focused->isEnabled()) {
            focused->click();
            return true;
        }
        if (CommandButton* b = form_->defaultButton()) {
            b->press();
            return true;
        }
    } else if (key == Qt::Key_Escape) {
        if (CommandButton* b = form_->cancelButton()) {
            b->press();
            return true;
        }
    }
    return false;
}

// Labels, pictures, frames and documents take their own clicks: a click on a
// label without a handler does nothing, it does not fall through to the screen
// behind it. Other controls and link controls handle their clicks themselves.
bool FormWindow::handleControlMouse(QObject* watched, QMouseEvent* event)
{
    for (const auto& c : form_->controls_) {
        if (c->widget() != watched)
            continue;
        if (!isClickSurface(c->kind()))
            return false;
        if (event->type() == QEvent::MouseButtonRelease && event->button() == Qt::LeftButton &&
            c->widget()->rect().contains(event->position().toPoint()))
            c->raiseClick();
        return true;
    }
    return false;
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (!form_)
        return event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::KeyPress;
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKey(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return handleControlMouse(watched, static_cast<QMouseEvent*>(event));
    default:
        return false;
    }
}

bool FormWindow::event(QEvent* event)
{
    // A deferred delete destroys the window inside QWidget::event: nothing of it
    // may be touched afterwards, so the type is taken first.
    const QEvent::Type type = event->type();
    const bool result = QWidget::event(event);
    if ((type == QEvent::Show || type == QEvent::Move) && form_)
        form_->applySize();
    return result;
}

void FormWindow::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event))
        QWidget::keyPressEvent(event);
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (form_ && event->button() == Qt::LeftButton && form_->formClick_)
        form_->dispatch(form_->formClick_);
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    // The close box unloads the screen; nothing else happens. With no screen left
    // the program ends.
    event->ignore();
    if (Form* form = form_)
        form->dispatch([form] { form->host().unload(*form); });
}

} // namespace tk
