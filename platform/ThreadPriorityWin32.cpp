// Thread priority on Windows.
#include "platform/ThreadPriority.h"

#include <windows.h>

namespace quillora::platform {

bool LowerThisThreadPriority() { return SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST) != 0; }

} // namespace quillora::platform
