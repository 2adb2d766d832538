#include "toolkit/control.h"

#include "toolkit/form.h"
#include "toolkit/units.h"

#include <QWidget>

namespace tk {

Control::Control(Form& form, const ControlDef& def)
    : form_(form), name_(QString::fromUtf8(def.name)), index_(std::int16_t(def.index)), kind_(def.kind),
      left_(def.left), top_(def.top), width_(def.width), height_(def.height), visible_(def.visible),
      enabled_(def.enabled), toolTip_(QString::fromUtf8(def.toolTip)), tabIndex_(def.tabIndex)
{
}

Control::~Control() = default;

void Control::attach(QWidget* widget, const ControlDef& def)
{
    widget_ = widget;
    widget->setObjectName(name_);
    widget->setProperty("index", int(index_));
    if (def.font.name || def.font.size > 0)
        widget->setFont(toQFont(def.font));
    if (!toolTip_.isEmpty())
        widget->setToolTip(toolTip_);
    widget->setEnabled(enabled_);
    widget->installEventFilter(form_.window());
    applyGeometry();
    widget->setVisible(visible_);
}

void Control::applyGeometry()
{
    if (widget_)
        widget_->setGeometry(twipsToPixels(left_), twipsToPixels(top_), twipsToPixels(width_),
                             twipsToPixels(height_));
}

void Control::move(double left, double top)
{
    left_ = left;
    top_ = top;
    applyGeometry();
}

void Control::resize(double width, double height)
{
    width_ = width;
    height_ = height;
    applyGeometry();
}

void Control::setVisible(bool visible)
{
    visible_ = visible;
    if (widget_)
        widget_->setVisible(visible);
}

void Control::setAccessibleName(const QString& name)
{
    if (widget_)
        widget_->setAccessibleName(name);
}

void Control::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (widget_)
        widget_->setEnabled(enabled);
}

bool Control::takesFocus() const
{
    return widget_ && widget_->focusPolicy() != Qt::NoFocus && visible_ && enabled_;
}

void Control::raiseClick() const
{
    if (onClick)
        form_.dispatch(onClick);
}

} // namespace tk
