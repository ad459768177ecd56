// From a typed patient number to the patient's folder, without a window.
#include "inquiry/ChartLookup.h"
#include "archive/TDirFile.h"
#include "settings/TRegistory.h"
#include "support/TestEnv.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace quillora::inquiry;
namespace fs = std::filesystem;

namespace {

class ChartLookupTest : public testing::Test {
protected:
    void SetUp() override
    {
        base = quillora::test::TestHome() / "archive";
        fs::create_directories(base);
        settings.Target = base.string();
    }

    fs::path base;
    TRegistory settings;
    TDirFile dirFile;
};

TEST_F(ChartLookupTest, RefusesNumbersOutsideOneTo99999999)
{
    for (const char* bad : {"0", "-5", "100000000", "abc", "", "12.5"})
        EXPECT_EQ(LookUpChartFolder(bad, settings, dirFile).Error, "患者番号エラー") << bad;
    for (const char* good : {"1", "99999999"}) // pass the number check; no folder exists
        EXPECT_EQ(LookUpChartFolder(good, settings, dirFile).Error, kConnectionError) << good;
}

TEST_F(ChartLookupTest, FindsTheFolderTheSaveUses)
{
    const fs::path folder = base / "00" / "00" / "12" / "34";
    EXPECT_EQ(LookUpChartFolder("1234", settings, dirFile).Error, kConnectionError);
    EXPECT_FALSE(fs::exists(base / "00")) << "the lookup must never create folders";

    fs::create_directories(folder);
    const ChartLookupResult found = LookUpChartFolder("1234", settings, dirFile);
    EXPECT_EQ(found.Error, "");
    EXPECT_EQ(found.Folder, folder.string());
}

TEST_F(ChartLookupTest, UsesEveryLevelTextOfTheSettings)
{
    settings.L1Front = "K";
    settings.L1Back = "x";
    settings.L4Back = "末";
    const fs::path folder = base / "K00x" / "01" / "23" / "45末";
    fs::create_directories(folder);
    EXPECT_EQ(LookUpChartFolder("12345", settings, dirFile).Folder, folder.string());
}

TEST_F(ChartLookupTest, OverwritesTheBuildersOwnLevelTexts)
{
    // A fresh builder carries "A".."D" prefixes; the lookup must not keep them.
    const fs::path folder = base / "00" / "00" / "00" / "07";
    fs::create_directories(folder);
    EXPECT_EQ(LookUpChartFolder("7", settings, dirFile).Folder, folder.string());
}

TEST_F(ChartLookupTest, AnUnreachableArchiveIsAConnectionError)
{
    const fs::path file = base / "plain-file";
    std::ofstream(file) << "x";
    settings.Target = file.string(); // every folder below a regular file is unreachable
    EXPECT_EQ(LookUpChartFolder("1234", settings, dirFile).Error, kConnectionError);
}

} // namespace
