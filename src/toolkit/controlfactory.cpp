#include "toolkit/controlfactory.h"

#include "toolkit/controls.h"

namespace tk {

namespace {

// Builds the control of the one kind among T... that the row names.
template <typename... T>
std::unique_ptr<Control> makeOneOf(Form& form, const ControlDef& def, QWidget* parent)
{
    std::unique_ptr<Control> made;
    ((def.kind == T::ControlKind ? void(made = std::make_unique<T>(form, def, parent)) : void()), ...);
    return made;
}

} // namespace

std::unique_ptr<Control> makeControl(Form& form, const ControlDef& def, QWidget* parent)
{
    return makeOneOf<Label, TextBox, Document, CommandButton, Image, FileListBox, Timer, Frame, LinkControl>(
        form, def, parent);
}

} // namespace tk
