#pragma once

#include "toolkit/control.h"

#include <memory>

namespace tk {

// Builds the control of one layout row, with its widget inside `parent`.
std::unique_ptr<Control> makeControl(Form& form, const ControlDef& def, QWidget* parent);

} // namespace tk
