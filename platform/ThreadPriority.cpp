// Thread priority on POSIX. Linux keeps a nice value per thread, set by the thread's id;
// elsewhere setpriority would change the whole process, so nothing is changed there.
#include "platform/ThreadPriority.h"

#if defined(__linux__)
#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace quillora::platform {
namespace {

constexpr int kBackgroundNice = 10;

} // namespace

bool LowerThisThreadPriority()
{
#if defined(__linux__)
    const auto self = static_cast<id_t>(gettid());
    // A thread that already runs at this nice value or lower is left alone: setting the value
    // would raise its priority, which is neither meant nor allowed.
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, self);
    if (errno == 0 && now >= kBackgroundNice)
        return true;
    return setpriority(PRIO_PROCESS, self, kBackgroundNice) == 0;
#else
    return false;
#endif
}

} // namespace quillora::platform
