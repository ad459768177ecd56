// File stamps: unchanged while the file is, different after a rewrite or a replacement that
// keeps the size and the modification time, none for a missing file.
#include "platform/FileStamp.h"
#include "support/TestEnv.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace fs = std::filesystem;
using quillora::platform::StampOfFile;

namespace {

void WriteText(const fs::path& file, const char* text) { std::ofstream(file, std::ios::binary) << text; }

TEST(FileStamp, TellsEveryChangeOfTheFileFromNoChange)
{
    const fs::path folder = quillora::test::FreshFolder("stamps");
    const fs::path file = folder / "scan.jpg";
    WriteText(file, "first");
    // A whole second, which every system can set again exactly.
    const auto firstTime = std::chrono::floor<std::chrono::seconds>(fs::last_write_time(file));
    fs::last_write_time(file, firstTime);
    const auto first = StampOfFile(file);
    ASSERT_TRUE(first);
    EXPECT_EQ(StampOfFile(file), first);

    // File times advance in ticks of a few milliseconds; the rewrite comes a tick later.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    WriteText(file, "other"); // same size, the time set back as a copy keeping it would
    fs::last_write_time(file, firstTime);
    const auto rewritten = StampOfFile(file);
    ASSERT_TRUE(rewritten);
    EXPECT_EQ(rewritten->modified, first->modified);
    EXPECT_NE(rewritten, first);

    WriteText(folder / "new.jpg", "third"); // replaced by a rename, size and time as before
    fs::last_write_time(folder / "new.jpg", fs::last_write_time(file));
    fs::rename(folder / "new.jpg", file);
    const auto replaced = StampOfFile(file);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->size, rewritten->size);
    EXPECT_EQ(replaced->modified, rewritten->modified);
    EXPECT_NE(replaced, rewritten);

    EXPECT_FALSE(StampOfFile(folder / "missing.jpg"));
}

} // namespace
