#include "toolkit/form.h"

#include "toolkit/controlfactory.h"
#include "toolkit/controls.h"
#include "toolkit/formwindow.h"
#include "toolkit/services.h"
#include "toolkit/units.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace tk {

namespace {

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

QStringList& iconFiles()
{
    static QStringList files;
    return files;
}

// Made once, when the first screen with an icon is built.
const QIcon& windowIcon()
{
    static const QIcon icon = [] {
        QIcon i;
        for (const QString& file : iconFiles())
            i.addFile(file);
        return i;
    }();
    return icon;
}

QString keyOf(const QString& name, int index)
{
    return index >= 0 ? name + QLatin1Char('(') + QString::number(index) + QLatin1Char(')') : name;
}

} // namespace

void Form::setIconFiles(const QStringList& files)
{
    iconFiles() = files;
}

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

void Form::loseWindow()
{
    window_ = nullptr;
}

QWidget* Form::window() const
{
    return window_;
}

void Form::build(const FormLayout& layout)
{
    window_ = new FormWindow(this);
    window_->setObjectName(name_);
    window_->setWindowFlags(flagsFor(layout));
    window_->setWindowTitle(caption_);
    // A screen without a caption would be an unnamed window to screen readers;
    // it goes by the program's name.
    if (caption_.isEmpty())
        window_->setAccessibleName(QCoreApplication::applicationName());
    if (layout.icon)
        window_->setWindowIcon(windowIcon());
    window_->setAutoFillBackground(true);
    if (layout.backColor != NoColor)
        setColour(window_, QPalette::Window, layout.backColor);
    if (layout.foreColor != NoColor)
        setColour(window_, QPalette::WindowText, layout.foreColor);
    window_->setFont(toQFont(layout.font.name ? layout.font : FontDef{"MS Sans Serif", 8.25, 400}));
    window_->setFixedSize(twipsToPixels(layout.clientWidth), twipsToPixels(layout.clientHeight));

    // Frames first, so that the controls inside them have their parent; the rest in
    // table order, later rows lying above earlier ones.
    for (const ControlDef& d : layout.controls)
        if (d.kind == Kind::Frame)
            addControl(d);
    for (const ControlDef& d : layout.controls)
        if (d.kind != Kind::Frame)
            addControl(d);
    setTabOrder();
    nameTextBoxes();
}

// A text box is named by the label that stands on its left, on the same line,
// as the prompt before an input field: screen readers say the prompt when the
// box takes the focus.
void Form::nameTextBoxes()
{
    for (const auto& box : controls_) {
        if (box->kind() != Kind::TextBox)
            continue;
        QLabel* prompt = nullptr;
        const QRect b = box->widget()->geometry();
        for (const auto& c : controls_) {
            const QRect l = c->widget() ? c->widget()->geometry() : QRect();
            if (c->kind() == Kind::Label && c->widget()->parent() == box->widget()->parent() &&
                l.right() < b.left() && l.top() <= b.bottom() && l.bottom() >= b.top() &&
                (!prompt || l.right() > prompt->geometry().right()))
                prompt = static_cast<QLabel*>(c->widget());
        }
        if (prompt)
            prompt->setBuddy(box->widget());
    }
}

void Form::addControl(const ControlDef& def)
{
    QWidget* parent =
        def.container && *def.container ? control(QString::fromUtf8(def.container)).widget() : window_.data();
    controls_.push_back(makeControl(*this, def, parent));
    Control* c = controls_.back().get();
    byName_.insert(keyOf(c->name(), def.index), c);
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

bool Form::hasControl(const QString& name, int index) const
{
    return byName_.contains(keyOf(name, index));
}

Control& Form::control(const QString& name, int index) const
{
    Control* c = byName_.value(keyOf(name, index));
    if (!c)
        throw index >= 0 ? RuntimeError::noSuchArrayMember(name, index) : RuntimeError::objectRequired(name);
    return *c;
}

// The members of a control array in the order of their index; missing indices
// stay empty.
std::vector<Control*> Form::arrayMembers(const QString& name, Kind kind) const
{
    std::vector<Control*> members;
    for (const auto& c : controls_) {
        if (c->name() != name || c->index() < 0)
            continue;
        if (c->kind() != kind)
            throw RuntimeError::typeMismatch();
        if (members.size() <= std::size_t(c->index()))
            members.resize(std::size_t(c->index()) + 1);
        members[std::size_t(c->index())] = c.get();
    }
    if (members.empty())
        throw RuntimeError::objectRequired(name);
    return members;
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

FormHost& Form::host() const
{
    Q_ASSERT_X(host_, "tk::Form", "a screen runs only once a program has loaded it");
    return *host_;
}

void Form::dispatch(const std::function<void()>& handler) const
{
    host().dispatch(handler);
}

void Form::Show(const QString& screen, bool modal) const
{
    host().show(screen, modal);
}

void Form::Unload()
{
    host().unload(*this);
}

void Form::End() const
{
    host().end();
}

void Form::InputBox(const QString& prompt, const QString& title, std::function<void(const QString&)> answer)
{
    services().prompt(prompt, title, [this, alive = std::weak_ptr(alive_), answer](const QString& text) {
        if (!alive.expired())
            dispatch([answer, text] { answer(text); });
    });
}

void Form::MsgBox(const QString& text, const QString& title, std::function<void()> closed)
{
    services().messageBox(text, title, [this, alive = std::weak_ptr(alive_), closed] {
        if (!alive.expired())
            dispatch(closed);
    });
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
