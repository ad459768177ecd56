#pragma once
// Scheduling priority of the calling thread, for work nobody waits for (thumbnails made ahead
// of an intake): it then runs on the CPU time the window and the scanner software leave over.
// ThreadPriority.cpp holds the POSIX side, ThreadPriorityWin32.cpp the Windows one.

namespace quillora::platform {

// Lowers the calling thread's priority for the rest of its life: nice 10 on Linux, the lowest
// thread priority on Windows. Returns whether the system agreed; a refusal leaves the thread as
// it was, which is harmless. Other threads of the program are not affected.
bool LowerThisThreadPriority();

} // namespace quillora::platform
