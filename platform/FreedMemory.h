#pragma once

namespace platform {

// Gives memory the program freed back to the system. The C library keeps
// freed blocks for later use, and after it has once seen a screen-sized
// block freed it keeps such blocks in its heap: on a 4K screen every match
// animation after the first left about 40 MB behind. Takes a few
// milliseconds; for moments when a lot was just freed.
void ReturnFreedMemory();

} // namespace platform
