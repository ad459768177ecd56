// A thread that lowers its priority gets a nice value of at least 10; the other threads keep
// theirs.
#include "platform/ThreadPriority.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

int NiceOfThisThread() { return getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())); }

TEST(ThreadPriority, LowersOnlyTheCallingThread)
{
    const int before = NiceOfThisThread();
    int lowered = 0;
    bool agreed = false;
    std::thread worker([&] {
        agreed = quillora::platform::LowerThisThreadPriority();
        lowered = NiceOfThisThread();
    });
    worker.join();
    EXPECT_TRUE(agreed);
    EXPECT_GE(lowered, 10);
    EXPECT_GE(lowered, before);
    EXPECT_EQ(NiceOfThisThread(), before);
}

} // namespace
