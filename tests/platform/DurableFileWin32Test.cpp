// Files on Windows: a read-only file that another program holds open stays, read-only; a file
// being read may be deleted meanwhile.
#include "platform/DurableFile.h"
#include "support/TestEnv.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <windows.h>

namespace fs = std::filesystem;

namespace {

TEST(DurableFileWin32, AFailedRemovalLeavesTheFileReadOnly)
{
    const fs::path file = quillora::test::FreshFolder("durable-win32-remove") / "chart.pdf";
    std::ofstream(file, std::ios::binary) << "%PDF";
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    // Opened as a viewer does: sharing reading, not deletion.
    HANDLE viewer =
        CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(viewer, INVALID_HANDLE_VALUE);

    EXPECT_TRUE(quillora::platform::RemoveFile(file));
    CloseHandle(viewer);
    EXPECT_TRUE(fs::exists(file));
    EXPECT_NE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(DurableFileWin32, AFileBeingReadCanBeDeleted)
{
    const fs::path file = quillora::test::FreshFolder("durable-win32-read") / "scan.jpg";
    std::ofstream(file, std::ios::binary) << "scanned";
    quillora::platform::OpenedFile opened = quillora::platform::OpenForReading(file);
    ASSERT_FALSE(opened.error);
    EXPECT_FALSE(quillora::platform::RemoveFile(file));
}

} // namespace
