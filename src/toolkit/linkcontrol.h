#pragma once

#include "toolkit/control.h"

#include <memory>

namespace tk {

// A link control: one inner label or picture with a pointing-hand cursor that hands
// its fixed target to the desktop when clicked. A click elsewhere on the control
// does nothing and goes no further. Its kind (a LinkType, named by the layout row)
// gives what it shows and where it leads.
class LinkControl : public ControlOf<Kind::Link> {
public:
    LinkControl(Form& form, const ControlDef& def, QWidget* parent);
    ~LinkControl() override;

    const QString& typeName() const { return typeName_; }
    // The target as stored with the kind: web addresses without a scheme.
    const QString& target() const { return target_; }
    // The text of the inner label, or the tool tip for a picture.
    QString text() const;
    Control& innerControl() const { return *inner_; }
    QWidget* inner() const;
    // Hands the target to the desktop, as a click on the inner control does.
    void followLink();
    // What the desktop gets for a stored target: web addresses with "https://".
    static QString desktopTarget(const QString& target);

private:
    QString typeName_;
    QString target_;
    std::unique_ptr<Control> inner_;
};

} // namespace tk
