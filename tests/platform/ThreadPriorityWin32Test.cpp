// A thread that lowers its priority runs at the lowest thread priority; the other threads keep
// theirs.
#include "platform/ThreadPriority.h"

#include <gtest/gtest.h>

#include <thread>
#include <windows.h>

namespace {

TEST(ThreadPriority, LowersOnlyTheCallingThread)
{
    const int before = GetThreadPriority(GetCurrentThread());
    int lowered = THREAD_PRIORITY_NORMAL;
    bool agreed = false;
    std::thread worker([&] {
        agreed = quillora::platform::LowerThisThreadPriority();
        lowered = GetThreadPriority(GetCurrentThread());
    });
    worker.join();
    EXPECT_TRUE(agreed);
    EXPECT_EQ(lowered, THREAD_PRIORITY_LOWEST);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), before);
}

} // namespace
