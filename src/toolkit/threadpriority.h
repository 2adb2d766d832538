#pragma once

namespace tk {

// Lets the calling thread yield the processor to the program's other threads:
// a worker that decodes pictures should never keep the window from answering.
// Nothing happens where the system has no such setting.
void lowerCurrentThreadPriority();

} // namespace tk
