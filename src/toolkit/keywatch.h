#pragma once

class QKeyEvent;

namespace tk {

// Keeps a held key from playing the game. A child leaning on Enter would
// otherwise click through every screen with the keyboard's auto-repeat: each
// screen's default button would take the next repeat.
//
// The watch sees every key event of the program. A press is a repeat when the
// window system says so, or when it comes in the same millisecond as the
// release just before it (X11 repeats a key as such a pair and Qt does not
// always mark it). Every other press is a new one, whatever the watch saw or
// missed before it: a release sent to a window that is gone, or sent while no
// window of the program had the focus, never arrives, so the watch never
// trusts its own idea of which keys are down to call a press a repeat.
//
// A key that was down when a window appeared does nothing at all in it while
// it repeats; its next real press acts again. Of the keys pressed since, the
// repeats are swallowed for every key that acts: Enter, Esc, Space on anything
// but a text field, and Alt with a letter (a button's access key). Typing,
// Space in a text field included, keeps its auto-repeat.
void installKeyWatch();

// Whether the key press now being delivered repeats a key that is held down.
// Screens that take every key themselves ask this, so that only a real press acts.
bool isRepeatedPress(const QKeyEvent& event);

} // namespace tk
