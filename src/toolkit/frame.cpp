#include "toolkit/controls.h"

#include <QFrame>

namespace tk {

Frame::Frame(Form& form, const ControlDef& def, QWidget* parent) : ControlOf(form, def)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Sunken);
    f->setFocusPolicy(Qt::NoFocus);
    attach(f, def);
}

} // namespace tk
