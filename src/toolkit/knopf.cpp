#include "toolkit/steuerelemente.h"

#include "toolkit/einheiten.h"
#include "toolkit/form.h"

#include <QPushButton>

namespace tk {

CommandButton::CommandButton(Form& form, const ControlDef& def, QWidget* parent)
    : ControlOf(form, def), caption_(QString::fromUtf8(def.caption)), backColor_(def.backColor),
      style_(def.style), default_(def.isDefault), cancel_(def.isCancel)
{
    auto* b = new QPushButton(caption_, parent);
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
