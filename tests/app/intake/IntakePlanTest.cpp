#include "app/intake/IntakePlan.h"
#include "app/intake/FolderListing.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace quillora::intake;
namespace fs = std::filesystem;

namespace {

class ScannerFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("intake-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void Touch(const std::string& name) { std::ofstream(dir / name) << "x"; }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::vector<std::string> NamesOf(const std::vector<std::string>& files) const
    {
        std::vector<std::string> names;
        for (const auto& f : files)
            names.push_back(FileNamePart(f));
        return names;
    }

    fs::path dir;
    FileTypes all{};
};

using Names = std::vector<std::string>;

TEST_F(ScannerFolder, ReplaceModeListsMatchingPlainFilesByNameWithoutCase)
{
    for (const char* name : {"b.jpg", "A.jpg", "c.PNG", "d.tif", ".hidden.jpg", "notes.txt"})
        Touch(name);
    fs::create_directory(dir / "sub.jpg");
    const auto plan = PlanScannerFolderIntake(dir.string(), {true, false, false, true}, {}, true);
    ASSERT_TRUE(plan.ok()) << plan.message;
    EXPECT_EQ(NamesOf(plan.files), (Names{"A.jpg", "b.jpg", "c.PNG"}));
    EXPECT_EQ(plan.files.front(), Path("A.jpg"));
}

TEST_F(ScannerFolder, AddModeSkipsListedNamesWithCaseCounting)
{
    for (const char* name : {"a.JPG", "b.jpg"})
        Touch(name);
    const std::vector<std::string> listed = {Path("b.jpg"), "/elsewhere/a.jpg"};
    auto plan = PlanScannerFolderIntake(dir.string(), all, listed, false);
    EXPECT_EQ(NamesOf(plan.files), (Names{"a.JPG"}));

    const std::vector<std::string> both = {Path("a.JPG"), Path("b.jpg")};
    EXPECT_TRUE(PlanScannerFolderIntake(dir.string(), all, both, false).files.empty());
    Touch("d.jpg");
    plan = PlanScannerFolderIntake(dir.string(), all, both, false);
    EXPECT_EQ(NamesOf(plan.files), (Names{"d.jpg"}));
    // Replace mode ignores what is listed.
    EXPECT_EQ(PlanScannerFolderIntake(dir.string(), all, both, true).files.size(), 3u);
}

TEST_F(ScannerFolder, ChecksFolderThenFileTypes)
{
    EXPECT_EQ(PlanScannerFolderIntake((dir / "missing").string(), all, {}, true).message, kNoFolderMessage);
    EXPECT_EQ(PlanScannerFolderIntake("", all, {}, true).message, kNoFolderMessage);
    EXPECT_EQ(PlanScannerFolderIntake(dir.string(), {false, false, false, false}, {}, true).message,
              kNoFileTypeMessage);
    EXPECT_EQ(CheckFolderIntake(dir.string(), {false, false, false, false}).message, kNoFileTypeMessage);
    EXPECT_TRUE(CheckFolderIntake(dir.string(), all).ok());
}

TEST_F(ScannerFolder, PickedFilesFollowTheSequenceSetting)
{
    const std::vector<std::string> picked = {Path("1.jpg"), Path("2.jpg"), Path("3.jpg")};
    EXPECT_EQ(NamesOf(PlanPickedFiles(dir.string(), picked, 0, {}, true).files),
              (Names{"1.jpg", "2.jpg", "3.jpg"}));
    EXPECT_EQ(NamesOf(PlanPickedFiles(dir.string(), picked, 1, {}, true).files),
              (Names{"3.jpg", "2.jpg", "1.jpg"}));
    EXPECT_EQ(NamesOf(PlanPickedFiles(dir.string(), picked, 0, {Path("2.jpg")}, false).files),
              (Names{"1.jpg", "3.jpg"}));
}

TEST_F(ScannerFolder, PickedFilesMustLieInTheScannerFolderItself)
{
    EXPECT_EQ(PlanPickedFiles(dir.string(), {"/tmp/other/1.jpg"}, 1, {}, true).message, kOtherFolderMessage);
    EXPECT_EQ(PlanPickedFiles(dir.string() + "/", {Path("1.jpg")}, 1, {}, true).message, kOtherFolderMessage);
    EXPECT_EQ(PlanPickedFiles(dir.string(), {}, 1, {}, true).message, kNoFilePickedMessage);
}

TEST(NameLess, FoldsCaseAndBreaksTiesByBytes)
{
    EXPECT_TRUE(NameLess("A.jpg", "b.jpg"));
    EXPECT_TRUE(NameLess("a.jpg", "B.jpg"));
    EXPECT_TRUE(NameLess("A.jpg", "a.jpg"));
    EXPECT_FALSE(NameLess("a.jpg", "A.jpg"));
    EXPECT_FALSE(NameLess("a.jpg", "a.jpg"));
}

} // namespace
