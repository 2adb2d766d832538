#pragma once

#include <QString>

class QLineEdit;

namespace tk {

// Whether a reader sees nothing, or something else than a letter, where this
// character stands: line breaks, tabs and other control characters, zero-width
// and direction marks, unassigned and private code points. A terminal even acts
// on some of them: an escape sequence can clear it or move the cursor.
bool isInvisibleCharacter(char32_t c);
bool hasInvisibleCharacters(const QString& text);

// The text with every such character written out as an escape ("\n", "\t",
// "\x1B", "\u200B"), so that a name prints as one harmless line showing what it holds.
QString escapedForDisplay(const QString& text);

// The text with every such character left out.
QString withoutInvisibleCharacters(const QString& text);

// Makes a line edit behave as a single-line text box of the classic desktop:
// text pasted or dropped into it stops at its first line break, and no control
// character is kept.
void keepSingleLine(QLineEdit* edit);

} // namespace tk
