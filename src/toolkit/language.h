#pragma once

namespace tk {

// Qt's own German texts: the context menu of a text field, the file and folder
// dialogs, the buttons of standard dialogs and the command line's help. Both
// programs speak German only, so Qt's words must be German too. Where Qt's
// translations are not installed the texts stay English; nothing else changes.
void useGermanQtTexts();

} // namespace tk
