#include "app/save/ScannerFolderClearing.h"

#include "SaveFakes.h"
#include "settings/TRegistory.h"

#include <gtest/gtest.h>

using namespace quillora::save;
using namespace quillora::save::test;
namespace fs = std::filesystem;

TEST(ClearingRefusal, RefusesRootHomeTheArchiveItsAncestorsAndItsFolders)
{
    TempFolder tmp("refusal");
    const fs::path home = tmp.path / "home";
    const fs::path base = tmp.path / "archive" / "charts";
    fs::create_directories(home);
    fs::create_directories(base);
    fs::create_directories(tmp.path / "scan");

    fs::create_directories(base / "00" / "01");
    for (const fs::path& refused : {fs::path("/"), home, home / "", base, base / ".." / "charts",
                                    tmp.path / "archive", tmp.path, base / "00" / "01", base / "new"})
        EXPECT_FALSE(ClearingRefusal(refused.string(), base.string(), home).empty()) << refused;
    EXPECT_FALSE(ClearingRefusal("", base.string(), home).empty());
    EXPECT_TRUE(ClearingRefusal((tmp.path / "scan").string(), base.string(), home).empty());
    // A folder inside the home folder is an ordinary scanner folder.
    EXPECT_TRUE(ClearingRefusal((home / "Scanner").string(), base.string(), home).empty());
}

TEST(ClearingRefusal, SeesThroughSymbolicLinks)
{
    TempFolder tmp("links");
    fs::create_directories(tmp.path / "charts");
    fs::create_directory_symlink(tmp.path / "charts", tmp.path / "alias");
    EXPECT_FALSE(ClearingRefusal((tmp.path / "alias").string(), (tmp.path / "charts").string(), {}).empty());
}

class ClearScanner : public ::testing::Test {
protected:
    TempFolder tmp{"clear"};
    fs::path scan = tmp.path / "scan";
    fs::path base = tmp.path / "charts";
    RecordingQuestions questions;

    void SetUp() override
    {
        fs::create_directories(scan / "sub");
        fs::create_directories(base);
        for (const char* name : {"b.jpg", "a.tif", "c.png", ".hidden.jpg"})
            WriteFile(scan / name, "x");
        WriteFile(scan / "sub" / "inner.jpg", "x");
        fs::permissions(scan / "c.png", fs::perms::owner_read);
    }
};

TEST_F(ClearScanner, DeletesPlainFilesKeepsFoldersAndHiddenFiles)
{
    const auto result = ClearScannerFolder(scan.string(), base.string(), questions);
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(result.deleted, 3);
    EXPECT_EQ(FolderEntries(scan), (std::vector<std::string>{".hidden.jpg", "sub"}));
    EXPECT_TRUE(fs::exists(scan / "sub" / "inner.jpg"));
    EXPECT_TRUE(questions.notDelete.empty());
}

TEST_F(ClearScanner, AsksAtEachFailedFileAndStopsWhenTold)
{
    const auto failOn = [](std::set<std::string> names) {
        return [names](const fs::path& file) {
            return names.count(file.filename().string()) ? false : RemoveFile(file);
        };
    };
    auto result = ClearScannerFolder(scan.string(), base.string(), questions, failOn({"a.tif"}));
    EXPECT_EQ(questions.notDelete, (std::vector<std::string>{"a.tif"}));
    EXPECT_EQ(result.deleted, 2);
    EXPECT_EQ(result.failed, 1);
    EXPECT_FALSE(result.stopped);

    WriteFile(scan / "b.jpg", "x");
    WriteFile(scan / "c.png", "x");
    questions.notDelete.clear();
    questions.deleteChoice = DeleteChoice::Stop;
    result = ClearScannerFolder(scan.string(), base.string(), questions, failOn({"a.tif"}));
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.deleted, 0);
    EXPECT_TRUE(fs::exists(scan / "b.jpg"));
}

TEST_F(ClearScanner, AfterASaveOnlyTheListedFilesGoAndLateArrivalsAreReported)
{
    // c.png was taken in and deleted from the page list; b.jpg arrived after the intake.
    const std::vector<std::string> listed{(scan / "a.tif").string(), (scan / "c.png").string(),
                                          (scan / "gone.jpg").string(), (base / "b.jpg").string()};
    const auto result = ClearScannerFolder(scan.string(), base.string(), questions, RemoveFile, listed);
    EXPECT_EQ(result.deleted, 2);
    EXPECT_EQ(result.kept, (std::vector<std::string>{"b.jpg"}));
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(FolderEntries(scan), (std::vector<std::string>{".hidden.jpg", "b.jpg", "sub"}));
    EXPECT_NE(ClearingReport(result).find("b.jpg"), std::string::npos);
}

TEST_F(ClearScanner, NeverDeletesWhatResolvesIntoTheArchive)
{
    fs::create_directories(base / "00");
    WriteFile(base / "00" / "HP_1_0.pdf", "chart");
    fs::create_symlink(base / "00" / "HP_1_0.pdf", scan / "link.pdf");
    const auto result = ClearScannerFolder(scan.string(), base.string(), questions);
    EXPECT_EQ(result.protectedFiles, (std::vector<std::string>{"link.pdf"}));
    EXPECT_FALSE(result.complete());
    EXPECT_TRUE(fs::is_symlink(scan / "link.pdf"));
    EXPECT_EQ(ReadFile(base / "00" / "HP_1_0.pdf"), "chart");
}

TEST_F(ClearScanner, RefusedFolderKeepsEverything)
{
    const auto result = ClearScannerFolder(base.parent_path().string(), base.string(), questions);
    EXPECT_TRUE(result.refused);
    EXPECT_NE(result.message.find(kClearRefusedMessage), std::string::npos);
    EXPECT_EQ(result.deleted, 0);
}

TEST_F(ClearScanner, MenuCommandDoesNothingWithoutConfirmation)
{
    TRegistory settings;
    settings.ScannerDir = scan.string();
    settings.Target = base.string();
    questions.confirm = false;
    auto command = ScanFolderClearCommand(settings, questions);
    EXPECT_FALSE(command.confirmed);
    EXPECT_EQ(FolderEntries(scan).size(), 5u);
    questions.confirm = true;
    command = ScanFolderClearCommand(settings, questions);
    EXPECT_TRUE(command.confirmed);
    EXPECT_EQ(command.clearing.deleted, 3);
}
