// End-to-end: settings values survive the store, a settings file is never silently lost, and
// the archive base folder is neither created nor left.
#include "CliRunner.h"
#include "app/compose/ComposeFixtures.h"
#include "cli/ExitStatus.h"

#include <gtest/gtest.h>

using namespace quillora::test;
using namespace quillora::cli;
namespace fs = std::filesystem;

namespace {

class CliSettingsStore : public ::testing::Test {
protected:
    Workstation ws;
    fs::path settingsFile = ws.home / ".config" / "Travex" / "QuilloraShare.reg";

    void Rewrite(const std::string& from, const std::string& to) const
    {
        std::string text = ReadText(settingsFile);
        const auto at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        std::ofstream(settingsFile, std::ios::binary | std::ios::trunc) << text;
    }
    std::vector<std::string> ConfigEntries() const { return Entries(settingsFile.parent_path()); }
};

TEST_F(CliSettingsStore, ValuesTheStoreCannotKeepOrThatLeaveTheArchiveAreRefused)
{
    const std::string before = ReadText(settingsFile);
    fs::create_directories(ws.root / "jos\xC3\xA9");
    auto run =
        ws.Run({"settings", "set", "Target", QString::fromStdString((ws.root / "jos\xC3\xA9").string())});
    EXPECT_EQ(run.exitCode, kExitSettingRefused);
    EXPECT_NE(run.err.find("\xC3\xA9"), std::string::npos) << run.err;

    run = ws.Run({"settings", "set", "L1Front", "../../x"});
    EXPECT_EQ(run.exitCode, kExitSettingRefused);
    EXPECT_NE(run.err.find("フォルダー１文字エラー"), std::string::npos) << run.err;

    run = ws.Run({"settings", "set", "ScannerDir", QString::fromStdString(ws.charts.string())});
    EXPECT_EQ(run.exitCode, kExitSettingRefused);
    EXPECT_NE(run.err.find("スキャナフォルダーとベースフォルダー"), std::string::npos) << run.err;
    EXPECT_EQ(ReadText(settingsFile), before);
}

TEST_F(CliSettingsStore, AFileWithoutFinalLineBreakKeepsAllItsValues)
{
    ASSERT_EQ(ws.Run({"settings", "set", "ThumbStrech", "1"}).exitCode, 0);
    std::string text = ReadText(settingsFile);
    text.erase(text.find_last_not_of("\r\n") + 1);
    std::ofstream(settingsFile, std::ios::binary | std::ios::trunc) << text;
    const auto run = ws.Run({"settings"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("\nThumbStrech=1\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nWriteDate=0\n"), std::string::npos);
}

TEST_F(CliSettingsStore, AFileWithAMalformedValueIsKeptAsideBeforeAnythingOverwritesIt)
{
    Rewrite("\"Quality\"=dword:00000050", "\"Quality\"=\"80\"");
    const std::string clerks = ReadText(settingsFile);
    const auto run = ws.Run({"settings", "set", "VolNo", "5"});
    EXPECT_EQ(run.exitCode, 0);
    const auto entries = ConfigEntries();
    ASSERT_EQ(entries.size(), 2u);
    const std::string& kept = entries[0] == "QuilloraShare.reg" ? entries[1] : entries[0];
    EXPECT_TRUE(kept.starts_with("QuilloraShare.20")) << kept;
    EXPECT_EQ(ReadText(settingsFile.parent_path() / kept), clerks);
    EXPECT_NE(run.err.find(kept), std::string::npos) << run.err;
    EXPECT_EQ(ws.Run({"settings"}).err, ""); // said once
}

TEST_F(CliSettingsStore, AFailedSettingsWriteIsAnErrorWithItsReason)
{
    fs::remove_all(settingsFile.parent_path());
    std::ofstream(settingsFile.parent_path()) << "a file where the settings folder belongs";
    const auto run = ws.Run({"settings", "set", "VolNo", "5"});
    EXPECT_EQ(run.exitCode, kExitSettingsNotSaved);
    EXPECT_NE(run.err.find("QuilloraShare.reg"), std::string::npos) << run.err;
}

TEST_F(CliSettingsStore, SaveIntoAMissingBaseFolderCreatesNothing)
{
    ws.Set("FolderClear", "0");
    ws.WriteImage(ColourPage(70, 90), "p0.jpg");
    ws.WriteImage(ColourPage(70, 90), "p1.jpg");
    fs::remove_all(ws.charts);
    auto run = ws.Run({"save", "--patient", "12345", "--serial", "0"});
    EXPECT_EQ(run.exitCode, kExitFolderNotMade);
    EXPECT_NE(run.err.find(ws.charts.string()), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(ws.charts));

    // Level texts written into the file by hand are checked by the path builder too.
    fs::create_directories(ws.charts);
    Rewrite("\"L1Front\"=\"\"", "\"L1Front\"=\"../../x/\"");
    run = ws.Run({"save", "--patient", "12345", "--serial", "0"});
    EXPECT_EQ(run.exitCode, kExitFolderNotMade);
    EXPECT_EQ(ws.Run({"path", "12345"}).exitCode, kExitFolderNotMade);
    EXPECT_TRUE(Entries(ws.charts).empty());
    EXPECT_FALSE(fs::exists(ws.root.parent_path() / "x" / "00"));
}

} // namespace
