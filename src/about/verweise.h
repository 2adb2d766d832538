#pragma once

#include "toolkit/layout.h"

namespace kb {

// The program's own link controls: the college's logo and name, the school's
// name and the contact's e-mail address.
extern const tk::LinkType LinkTavo;
extern const tk::LinkType LinkTavo2;
extern const tk::LinkType LinkDornwiese;
extern const tk::LinkType MailOrvel;

} // namespace kb
