#pragma once

#include "toolkit/layout.h"
#include "toolkit/runtimeerror.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

namespace tk {

class Form;

// A control of a screen, built from one row of the screen's layout table. Screens
// speak to it in twips and the classic property names; only the toolkit touches
// the Qt widget underneath.
class Control {
public:
    Control(Form& form, const ControlDef& def);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& name() const { return name_; }
    std::int16_t index() const { return index_; }
    Kind kind() const { return kind_; }
    Form& form() const { return form_; }

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void setLeft(double twips) { move(twips, top_); }
    void setTop(double twips) { move(left_, twips); }
    void setWidth(double twips) { resize(twips, height_); }
    void setHeight(double twips) { resize(width_, twips); }
    void move(double left, double top);
    void resize(double width, double height);

    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    const QString& ToolTipText() const { return toolTip_; }
    // The name screen readers and automation give the control, for a control
    // whose caption does not say what it shows (a coloured block).
    void setAccessibleName(const QString& name);
    int TabIndex() const { return tabIndex_; }

    // The screen's Click handler for this control, if it has one.
    std::function<void()> onClick;

    // Toolkit side.
    QWidget* widget() const { return widget_; }
    bool takesFocus() const;
    // Runs the Click handler through the screen, as a click of the user does.
    void raiseClick() const;

protected:
    void attach(QWidget* widget, const ControlDef& def);
    virtual void applyGeometry();

    Form& form_;
    QString name_;
    std::int16_t index_;
    Kind kind_;
    double left_, top_, width_, height_;
    bool visible_, enabled_;
    QString toolTip_;
    int tabIndex_;
    QPointer<QWidget> widget_;
};

// A control of one kind; Form::find checks the kind a screen asks for against it.
template <Kind K> class ControlOf : public Control {
public:
    static constexpr Kind ControlKind = K;
    using Control::Control;
};

// The members of a control array, addressed by their index as the screens do:
// cmdeins(3). A member that does not exist is run-time error 340.
template <typename T> class ControlArray {
public:
    ControlArray(QString name, std::vector<T*> members) : name_(std::move(name)), members_(std::move(members))
    {
    }

    T& operator()(int index) const
    {
        if (!exists(index))
            throw RuntimeError::noSuchArrayMember(name_, index);
        return *members_[std::size_t(index)];
    }
    bool exists(int index) const
    {
        return index >= 0 && std::size_t(index) < members_.size() && members_[std::size_t(index)];
    }
    // One Click handler for all members; it is told the index of the member clicked.
    void onClick(const std::function<void(std::int16_t)>& handler) const
    {
        for (T* member : members_)
            if (member)
                member->onClick = [handler, index = member->index()] { handler(index); };
    }

private:
    QString name_;
    std::vector<T*> members_;
};

} // namespace tk
