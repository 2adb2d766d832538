#pragma once

namespace tk {
class FileListBox;
}

// The picture pool of a round and the random draw of its slots. The pool is the
// hidden file list of the presentation screen; the round lives in the program-wide
// variables Bildzaehler, Zufallszahlen, Bildnamen and Doppelt.
namespace kb::modZiehung {

// Draws slot k = Bildzaehler: seeds the generator once, keeps the round's earlier
// slots, and draws again (without seeding) while the position repeats an earlier
// slot, its word is empty, or its word was already drawn in this round. Selects
// the drawn file in File1. The caller stores the word and counts the slot.
//
// Ends only if the pool offers more usable words than slots already drawn: the
// screens refuse a level with too few pictures before its round starts.
void ZieheBild(tk::FileListBox& File1);

} // namespace kb::modZiehung
