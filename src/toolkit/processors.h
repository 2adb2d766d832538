#pragma once

namespace tk {

// The processor the calling thread runs on now, or -1 where the system does not
// tell.
int currentProcessor();

// Moves the calling thread to another of the processors it may use than
// `processor`, and keeps it off that one for the rest of its life; nothing
// happens where it may use only that one, or where the system cannot be told.
//
// For a short-lived thread that works beside the one that started it, such as
// a decoder that feeds the enlargement: the system places a new thread by the load
// of the past milliseconds and now and then puts it on the starting thread's
// processor, where the two take turns for several milliseconds while another
// processor stands idle.
void leaveProcessor(int processor);

} // namespace tk
