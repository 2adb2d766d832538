#include "toolkit/controls.h"

#include "toolkit/focusmark.h"
#include "toolkit/form.h"
#include "toolkit/units.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>

namespace tk {

namespace {

// A push button that shows where the keyboard is: the focus mark inside its edge
// while it has the focus, and the frame of the button Enter presses. That is the
// focused button, or the screen's default button while no button has the focus.
class ButtonWidget final : public QPushButton {
public:
    ButtonWidget(const QString& caption, QWidget* parent, bool isDefault)
        : QPushButton(caption, parent), default_(isDefault)
    {
        if (default_)
            connect(qApp, &QApplication::focusChanged, this, [this] { update(); });
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPushButton::paintEvent(event);
        QPainter painter(this);
        if (hasFocus() || (default_ && !anotherButtonFocused()))
            drawEnterFrame(painter, rect());
        if (hasFocus())
            drawFocusMark(painter, rect().adjusted(4, 4, -4, -4));
    }

private:
    bool anotherButtonFocused() const
    {
        const auto* focused = qobject_cast<const QPushButton*>(QApplication::focusWidget());
        return focused && focused != this && focused->window() == window();
    }

    bool default_;
};

} // namespace

CommandButton::CommandButton(Form& form, const ControlDef& def, QWidget* parent)
    : ControlOf(form, def), caption_(QString::fromUtf8(def.caption)), backColor_(def.backColor),
      style_(def.style), default_(def.isDefault), cancel_(def.isCancel)
{
    auto* b = new ButtonWidget(caption_, parent, default_);
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setFocusPolicy(Qt::StrongFocus);
    attach(b, def);
    paintStyle();
    QObject::connect(b, &QPushButton::clicked, b, [this] { raiseClick(); });
}

QPushButton* CommandButton::button() const
{
    return static_cast<QPushButton*>(widget_.data());
}

void CommandButton::setCaption(const QString& caption)
{
    caption_ = caption;
    button()->setText(caption);
}

void CommandButton::setBackColor(OleColor colour)
{
    backColor_ = colour;
    paintStyle();
}

void CommandButton::paintStyle()
{
    if (style_ != ButtonStyle::Graphical)
        return;
    const QColor c = toQColor(backColor_ == NoColor ? SysButtonFace : backColor_);
    button()->setStyleSheet(QStringLiteral("QPushButton, QPushButton:disabled { background-color: %1;"
                                           " border: 1px solid #808080; }")
                                .arg(c.name()));
}

void CommandButton::press()
{
    QPushButton* b = button();
    if (b && b->isVisibleTo(form_.window()) && b->isEnabled())
        b->click();
}

} // namespace tk
