#include "shell/toolkit/form.h"

#include "shell/toolkit/laufzeitfehler.h"
#include "shell/toolkit/programm.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace tk {

namespace {

const QIcon& windowIcon()
{
    static const QIcon icon = [] {
        QIcon i;
        for (const char* file : {":/icon-16.png", ":/icon-32.png", ":/icon-48.png", ":/icon-256.png"})
            i.addFile(QString::fromLatin1(file));
        return i;
    }();
    return icon;
}

Qt::WindowFlags flagsFor(const FormLayout& l)
{
    Qt::WindowFlags f = Qt::Window | Qt::CustomizeWindowHint;
    if (!l.titleBar)
        f |= Qt::FramelessWindowHint;
    else
        f |= Qt::WindowTitleHint;
    if (l.controlBox)
        f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (l.minButton)
        f |= Qt::WindowMinimizeButtonHint;
    if (l.maxButton)
        f |= Qt::WindowMaximizeButtonHint;
    if (!l.showInTaskbar)
        f |= Qt::Tool;
    return f;
}

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

// ---- FormWindow ----------------------------------------------------------

FormWindow::FormWindow(Form* form) : form_(form)
{
    static const bool accessible = (QAccessible::installFactory(screenAccessible), true);
    Q_UNUSED(accessible);
}

bool FormWindow::handleKey(QKeyEvent* event)
{
    if (!form_)
        return true;
    const int key = event->key();
    if (form_->keyPreview() && form_->keyPress_) {
        const QString text = event->text();
        if (!text.isEmpty() && (text.at(0).isPrint() || key == Qt::Key_Return || key == Qt::Key_Enter ||
                                key == Qt::Key_Escape || key == Qt::Key_Backspace)) {
            const int code = text.at(0).unicode();
            auto handler = form_->keyPress_;
            Program::instance().dispatch([handler, code] { handler(code); });
            return true;
        }
    }
    if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
        return false;
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

bool FormWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (!form_)
        return event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::KeyPress;
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKey(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        // Labels, pictures, frames and documents take their own clicks: a click on
        // a label without a handler does nothing, it does not fall through to the
        // screen behind it. Link controls handle their clicks themselves.
        for (const auto& c : form_->controls_) {
            if (c->widget() != watched)
                continue;
            if (!isClickSurface(c->kind()))
                return false;
            auto* me = static_cast<QMouseEvent*>(event);
            if (event->type() == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton && c->onClick &&
                c->widget()->rect().contains(me->position().toPoint()))
                Program::instance().dispatch(c->onClick);
            return true;
        }
        return false;
    }
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
        Program::instance().dispatch(form_->formClick_);
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    // The close box unloads the screen; nothing else happens. With no screen left
    // the program ends.
    event->ignore();
    if (Form* form = form_)
        Program::instance().dispatch([form] { Program::instance().unload(*form); });
}

// ---- Form ----------------------------------------------------------------

Form::Form(const FormLayout& layout)
    : name_(QString::fromUtf8(layout.name)), caption_(QString::fromUtf8(layout.caption)),
      startUp_(layout.startUp), keyPreview_(layout.keyPreview)
{
    build(layout);
}

Form::~Form()
{
    if (!window_)
        return;
    // The window may still be inside one of its own signals: it is only hidden and
    // silenced here, and deleted by the event loop.
    window_->detach();
    for (auto* o : window_->findChildren<QObject*>())
        o->blockSignals(true);
    for (const auto& c : controls_)
        if (c->kind() == Kind::Timer)
            static_cast<Timer*>(c.get())->setTimerEnabled(false);
    window_->hide();
    window_->deleteLater();
}

void Form::build(const FormLayout& layout)
{
    window_ = new FormWindow(this);
    window_->setObjectName(name_);
    window_->setWindowFlags(flagsFor(layout));
    window_->setWindowTitle(caption_);
    if (layout.icon)
        window_->setWindowIcon(windowIcon());
    window_->setAutoFillBackground(true);
    QPalette p = window_->palette();
    if (layout.backColor != NoColor)
        p.setColor(QPalette::Window, toQColor(layout.backColor));
    if (layout.foreColor != NoColor)
        p.setColor(QPalette::WindowText, toQColor(layout.foreColor));
    window_->setPalette(p);
    window_->setFont(toQFont(layout.font.name ? layout.font : FontDef{"MS Sans Serif", 8.25, 400}));
    window_->setFixedSize(twipsToPixels(layout.clientWidth), twipsToPixels(layout.clientHeight));

    // Frames first, so that the controls inside them have their parent; the rest in
    // table order, later rows lying above earlier ones.
    auto make = [this](const ControlDef& d) -> std::unique_ptr<Control> {
        QWidget* parent = window_;
        if (d.container && *d.container)
            parent = control(QString::fromUtf8(d.container)).widget();
        switch (d.kind) {
        case Kind::Label:
            return std::make_unique<Label>(*this, d, parent);
        case Kind::TextBox:
            return std::make_unique<TextBox>(*this, d, parent);
        case Kind::CommandButton:
            return std::make_unique<CommandButton>(*this, d, parent);
        case Kind::Image:
            return std::make_unique<Image>(*this, d, parent);
        case Kind::FileListBox:
            return std::make_unique<FileListBox>(*this, d, parent);
        case Kind::Timer:
            return std::make_unique<Timer>(*this, d, parent);
        case Kind::Frame:
            return std::make_unique<Frame>(*this, d, parent);
        case Kind::Document:
            return std::make_unique<Document>(*this, d, parent);
        case Kind::Link:
            return std::make_unique<LinkControl>(*this, d, parent);
        }
        return {};
    };
    auto add = [this, &make](const ControlDef& d) {
        controls_.push_back(make(d));
        Control* c = controls_.back().get();
        byName_.insert(d.index >= 0
                           ? c->name() + QLatin1Char('(') + QString::number(d.index) + QLatin1Char(')')
                           : c->name(),
                       c);
    };
    for (const ControlDef& d : layout.controls)
        if (d.kind == Kind::Frame)
            add(d);
    for (const ControlDef& d : layout.controls)
        if (d.kind != Kind::Frame)
            add(d);
    setTabOrder();
}

void Form::setTabOrder()
{
    std::vector<Control*> order;
    for (const auto& c : controls_)
        if (c->widget() && c->widget()->focusPolicy() != Qt::NoFocus && c->TabIndex() >= 0)
            order.push_back(c.get());
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1]->widget(), order[i]->widget());
}

Control* Form::find(const QString& name, int index) const
{
    return byName_.value(index >= 0 ? name + QLatin1Char('(') + QString::number(index) + QLatin1Char(')')
                                    : name);
}

bool Form::hasControl(const QString& name, int index) const
{
    return find(name, index) != nullptr;
}

Control& Form::control(const QString& name, int index) const
{
    Control* c = find(name, index);
    if (!c)
        throw RuntimeError(index >= 0 ? 340 : 424,
                           index >= 0
                               ? QStringLiteral("Steuerelementfeld-Element %1 existiert nicht").arg(index)
                               : QStringLiteral("Objekt erforderlich: %1").arg(name));
    return *c;
}

template <typename T> static T& as(Control& c, Kind kind)
{
    if (c.kind() != kind)
        throw RuntimeError::typeMismatch();
    return static_cast<T&>(c);
}

Label& Form::label(const QString& n, int i) const
{
    return as<Label>(control(n, i), Kind::Label);
}
TextBox& Form::textBox(const QString& n) const
{
    return as<TextBox>(control(n), Kind::TextBox);
}
CommandButton& Form::button(const QString& n, int i) const
{
    return as<CommandButton>(control(n, i), Kind::CommandButton);
}
Image& Form::image(const QString& n) const
{
    return as<Image>(control(n), Kind::Image);
}
FileListBox& Form::fileList(const QString& n) const
{
    return as<FileListBox>(control(n), Kind::FileListBox);
}
Timer& Form::timer(const QString& n) const
{
    return as<Timer>(control(n), Kind::Timer);
}
LinkControl& Form::link(const QString& n) const
{
    return as<LinkControl>(control(n), Kind::Link);
}

CommandButton* Form::defaultButton() const
{
    for (const auto& c : controls_)
        if (c->kind() == Kind::CommandButton && static_cast<CommandButton*>(c.get())->isDefault())
            return static_cast<CommandButton*>(c.get());
    return nullptr;
}

CommandButton* Form::cancelButton() const
{
    for (const auto& c : controls_)
        if (c->kind() == Kind::CommandButton && static_cast<CommandButton*>(c.get())->isCancel())
            return static_cast<CommandButton*>(c.get());
    return nullptr;
}

void Form::onClick(const QString& control, std::function<void()> handler)
{
    this->control(control).onClick = std::move(handler);
}

void Form::onClickIndex(const QString& name, std::function<void(std::int16_t)> handler)
{
    for (const auto& c : controls_)
        if (c->name() == name && c->index() >= 0) {
            const std::int16_t index = c->index();
            c->onClick = [handler, index] { handler(index); };
        }
}

void Form::onTimer(const QString& name, std::function<void()> handler)
{
    timer(name).onTimer = std::move(handler);
}

void Form::setWidth(double twips)
{
    width_ = twips;
    sized_ = true;
    applySize();
}

void Form::setHeight(double twips)
{
    height_ = twips;
    sized_ = true;
    applySize();
}

void Form::applySize()
{
    if (!sized_ || !window_)
        return;
    // Width and Height are the outer size; the frame the window manager adds is
    // known only once the window is shown, and is taken off again then.
    QMargins frame;
    if (window_->windowHandle() && window_->isVisible())
        frame = window_->windowHandle()->frameMargins();
    const int w = width_ > 0 ? twipsToPixels(width_) - frame.left() - frame.right() : window_->width();
    const int h = height_ > 0 ? twipsToPixels(height_) - frame.top() - frame.bottom() : window_->height();
    if (w > 0 && h > 0 && QSize(w, h) != window_->size())
        window_->setFixedSize(w, h);
}

double Form::ScaleWidth() const
{
    return pixelsToTwips(window_->width());
}
double Form::ScaleHeight() const
{
    return pixelsToTwips(window_->height());
}

void Form::centre()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize outer = window_->frameGeometry().size();
    window_->move(area.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

void Form::present()
{
    showRequested_ = true;
    if (loadWaiting_)
        return;
    if (!placed_) {
        placed_ = true;
        if (startUp_ != StartUp::Manual)
            centre();
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    focusFirst();
}

void Form::finishLoad()
{
    loadWaiting_ = false;
    if (showRequested_)
        present();
}

void Form::focusFirst()
{
    const Control* best = nullptr;
    for (const auto& c : controls_)
        if (c->TabIndex() >= 0 && c->takesFocus() && (!best || c->TabIndex() < best->TabIndex()))
            best = c.get();
    if (best)
        best->widget()->setFocus(Qt::TabFocusReason);
}

} // namespace tk
