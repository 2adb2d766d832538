#pragma once

class QThreadPool;

namespace kbb::fenster {

// The threads that read files for the window: judging the folder, thumbnails of
// pictures to add, the child's view, adding, repairing and filling from a set.
// They are not Qt's global pool, because Qt does work of its own there that the
// user-interface thread waits for (a large picture scaled smoothly is shared out
// among its threads): a read that hangs, on a network share that went away say,
// must never hold that pool and with it the window.
QThreadPool& lesepool();

} // namespace kbb::fenster
