#pragma once

class QKeyEvent;

namespace tk {

// Keeps a held key from playing the game. A child leaning on Enter would
// otherwise click through every screen with the keyboard's auto-repeat: each
// screen's default button would take the next repeat.
//
// The watch sees every key event of the program and knows which keys are down.
// A key that was down when a window appeared does nothing at all in it until it
// has been let go. Of the keys pressed since, the repeats (those the keyboard
// makes, or a press of a key that is already down) are swallowed for every key
// that acts: Enter, Esc, Space on anything but a text field, and Alt with a
// letter (a button's access key). Typing, Space in a text field included, keeps
// its auto-repeat.
void installKeyWatch();

// Whether the key press now being delivered repeats a key that is already down.
// Screens that take every key themselves ask this, so that only a real press acts.
bool isRepeatedPress(const QKeyEvent& event);

} // namespace tk
