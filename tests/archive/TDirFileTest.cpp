#include "archive/TDirFile.h"

#include "support/TestEnv.h"
#include "support/UnprivilegedChild.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file) { std::ofstream(file, std::ios::binary) << "x"; }

class TDirFileTest : public ::testing::Test {
protected:
    fs::path base;
    TDirFile dir;

    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        base = quillora::test::TestHome() / "archive" / info->name();
        fs::remove_all(base);
        fs::create_directories(base);
        dir.BaseFolder = base.string();
        dir.L1Front = dir.L2Front = dir.L3Front = dir.L4Front = "";
        dir.SetNumber(12345);
    }
    fs::path folder() const { return base / "00" / "01" / "23" / "45"; }
};

TEST_F(TDirFileTest, MakeFolderCreatesEveryLevel)
{
    EXPECT_EQ(dir.FolderPath(), folder().string());
    EXPECT_TRUE(dir.MakeFolder());
    EXPECT_TRUE(fs::is_directory(folder()));
    touch(folder() / "chart.pdf");
    EXPECT_TRUE(dir.MakeFolder()); // existing folder: nothing changes
    EXPECT_TRUE(fs::exists(folder() / "chart.pdf"));
}

TEST_F(TDirFileTest, MakeFolderBelowABaseThatCannotBeCreatedFails)
{
    touch(base / "file");
    dir.BaseFolder = (base / "file" / "charts").string();
    EXPECT_FALSE(dir.MakeFolder());
    EXPECT_TRUE(fs::is_regular_file(base / "file"));
}

TEST_F(TDirFileTest, MakeFolderNeverCreatesTheBaseFolder)
{
    dir.BaseFolder = (base / "unmounted").string();
    EXPECT_FALSE(dir.BaseFolderExists());
    EXPECT_FALSE(dir.MakeFolder());
    EXPECT_FALSE(fs::exists(base / "unmounted"));
    dir.BaseFolder.clear(); // a lost setting must not mean the file-system root
    EXPECT_FALSE(dir.MakeFolder());
}

TEST_F(TDirFileTest, MakeFolderRefusesAPathThatLeavesTheBaseFolder)
{
    fs::create_directories(base / "archive");
    dir.BaseFolder = (base / "archive").string();
    for (const char* escape : {"/../..", "/..", "\\.", "/C:"}) {
        dir.L1Back = escape;
        EXPECT_FALSE(dir.StaysBelowBase()) << escape;
        EXPECT_FALSE(dir.MakeFolder()) << escape;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(base), fs::directory_iterator()), 1); // only "archive"
    dir.L1Front = "..";
    dir.L1Back = "\\sub"; // "..00" is a plain name; the separator adds a level
    EXPECT_TRUE(dir.StaysBelowBase());
    EXPECT_TRUE(dir.MakeFolder());
    EXPECT_TRUE(fs::is_directory(base / "archive" / "..00" / "sub" / "01" / "23" / "45"));
}

TEST_F(TDirFileTest, MakeFolderFailsWhenALevelIsAFile)
{
    fs::create_directories(base / "00" / "01");
    touch(base / "00" / "01" / "23");
    EXPECT_FALSE(dir.MakeFolder());
    EXPECT_TRUE(fs::is_regular_file(base / "00" / "01" / "23"));
}

TEST_F(TDirFileTest, ContainsFileSeesFilesOnly)
{
    EXPECT_FALSE(dir.ContainsFile("a.pdf")); // no folder yet
    ASSERT_TRUE(dir.MakeFolder());
    EXPECT_FALSE(dir.ContainsFile("a.pdf"));
    touch(folder() / "a.pdf");
    fs::create_directory(folder() / "sub.pdf");
    EXPECT_TRUE(dir.ContainsFile("a.pdf"));
    EXPECT_FALSE(dir.ContainsFile("sub.pdf"));
}

TEST_F(TDirFileTest, DeleteIfExistsOnAMissingFileTouchesNothing)
{
    EXPECT_TRUE(dir.DeleteIfExists("a.pdf")); // no folder at all
    ASSERT_TRUE(dir.MakeFolder());
    touch(folder() / "b.pdf");
    EXPECT_TRUE(dir.DeleteIfExists("a.pdf"));
    EXPECT_TRUE(fs::exists(folder() / "b.pdf"));
}

TEST_F(TDirFileTest, DeleteIfExistsRemovesTheFile)
{
    ASSERT_TRUE(dir.MakeFolder());
    touch(folder() / "a.pdf");
    fs::create_symlink(folder() / "gone", folder() / "link.pdf"); // dangling, still a name
    EXPECT_TRUE(dir.DeleteIfExists("a.pdf"));
    EXPECT_TRUE(dir.DeleteIfExists("link.pdf"));
    EXPECT_TRUE(fs::is_empty(folder()));
}

TEST_F(TDirFileTest, DeleteIfExistsReportsANameThatCannotBeDeleted)
{
    ASSERT_TRUE(dir.MakeFolder());
    // A folder in the chart's place is not removed, even when empty, and blocks the name.
    fs::create_directories(folder() / "full.pdf" / "inside");
    fs::create_directories(folder() / "empty.pdf");
    EXPECT_FALSE(dir.DeleteIfExists("full.pdf"));
    EXPECT_FALSE(dir.DeleteIfExists("empty.pdf"));
    EXPECT_TRUE(fs::is_directory(folder() / "full.pdf" / "inside"));
    EXPECT_TRUE(fs::is_directory(folder() / "empty.pdf"));
}

TEST_F(TDirFileTest, DeleteIfExistsReportsAFileThatCannotBeRemoved)
{
    ASSERT_TRUE(dir.MakeFolder());
    touch(folder() / "locked.pdf");
    // The child must reach the folder, but not write in it.
    fs::permissions(quillora::test::TestHome(), fs::perms::others_exec, fs::perm_options::add);
    fs::permissions(folder(), fs::perms::owner_write, fs::perm_options::remove);

    const int status =
        quillora::test::ExitStatusOfUnprivilegedChild([this] { return dir.DeleteIfExists("locked.pdf"); });

    fs::permissions(folder(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(fs::is_regular_file(folder() / "locked.pdf"));
}

TEST_F(TDirFileTest, FileNamesStayInsideTheFolder)
{
    ASSERT_TRUE(dir.MakeFolder());
    touch(base / "outside.pdf");
    EXPECT_FALSE(dir.ContainsFile(base.string() + "/outside.pdf"));
    EXPECT_TRUE(dir.DeleteIfExists(base.string() + "/outside.pdf"));
    EXPECT_TRUE(fs::exists(base / "outside.pdf"));
}

} // namespace
