// Reading on POSIX: a FIFO in a file's place is refused at once instead of waiting for a writer.
#include "platform/DurableFile.h"
#include "support/TestEnv.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

TEST(DurableFilePosix, AFifoIsNotOpenedForReading)
{
    const fs::path fifo = quillora::test::FreshFolder("durable-posix") / "scan.jpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(quillora::platform::OpenForReading(fifo).error, std::errc::invalid_argument);
}

} // namespace
