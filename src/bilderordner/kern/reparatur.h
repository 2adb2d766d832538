#pragma once

#include "bilderordner/kern/aenderung.h"

#include <QString>
#include <QStringList>

namespace kbb {

// The sub-folder that takes files out of the game's sight: the game never reads
// sub-folders. Originals of scaled pictures go to "aussortiert/original".
inline constexpr const char* Aussortiert = "aussortiert";

// Repairs the folder in one step and gives one German line per thing done:
//  - names that are no UTF-8 are renamed by reading them as Latin-1;
//  - files that would stop the game move to "aussortiert";
//  - characters a child cannot read leave the names;
//  - four-letter extensions become three-letter ones (".jpeg" to ".jpg");
//  - pictures not seen whole, or that hold the game up, are scaled down
//    (orientation applied, same format where Qt can write it, a PNG without
//    interlacing), the original moved to "aussortiert/original".
// Nothing is deleted or overwritten, and nothing moves out of the folder (see
// Ablage). A rename whose new name is taken moves the file to "aussortiert"
// instead: a number added to a name would be read as part of the word. Every
// new file is written to a temporary file in its folder and renamed into place.
// A step that fails is reported as a line and changes nothing.
// With `aenderung`, its steps are recorded there, so that the repair can be undone.
QStringList repariere(const QString& ordner, Aenderung* aenderung = nullptr);

} // namespace kbb
