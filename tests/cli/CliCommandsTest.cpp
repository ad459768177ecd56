// End-to-end: the path, lookup, settings and help commands.
#include "CliRunner.h"
#include "cli/ExitStatus.h"

#include <gtest/gtest.h>

using namespace quillora::test;
using namespace quillora::cli;
namespace fs = std::filesystem;

namespace {

TEST(CliCommands, PathAndLookupUseThePathBuilderSettings)
{
    Workstation ws;
    ws.Set("L1Front", "K");
    auto run = ws.Run({"path", "12345"});
    EXPECT_EQ(run.exitCode, 0);
    const fs::path folder = ws.charts / "K00" / "01" / "23" / "45";
    EXPECT_EQ(run.out, folder.string() + "\n");

    run = ws.Run({"lookup", "12345"});
    EXPECT_EQ(run.exitCode, kExitLookup);
    EXPECT_NE(run.err.find("接続エラー"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder));

    fs::create_directories(folder / "sub");
    for (const char* name : {"HP_12345_1.pdf", "HP_12345_0.pdf", ".hidden"})
        std::ofstream(folder / name) << "x";
    run = ws.Run({"lookup", "12345"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, folder.string() + "\nHP_12345_0.pdf\nHP_12345_1.pdf\n");

    for (const char* bad : {"0", "-5", "100000000", "abc"}) {
        run = ws.Run({"lookup", bad});
        EXPECT_EQ(run.exitCode, kExitPatientNumber) << bad;
        EXPECT_NE(run.err.find("患者番号エラー"), std::string::npos);
    }
}

TEST(CliCommands, SettingsPrintsAllValuesAndSetChecksThem)
{
    Workstation ws;
    auto run = ws.Run({"settings"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 44);
    EXPECT_NE(run.out.find("\nWriteDate=0\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nTag1=検査\n"), std::string::npos);

    EXPECT_EQ(ws.Run({"settings", "set", "HPCode", "0012"}).exitCode, 0);
    EXPECT_NE(ws.Run({"settings"}).out.find("\nHPCode=0012\n"), std::string::npos);

    run = ws.Run({"settings", "set", "PdfPageHeight", "99"});
    EXPECT_EQ(run.exitCode, kExitSettingRefused);
    EXPECT_NE(run.err.find("縦か横のサイズが少ないエラー"), std::string::npos);
    EXPECT_EQ(ws.Run({"settings", "set", "NoSuchSetting", "1"}).exitCode, kExitSettingRefused);
    EXPECT_EQ(ws.Run({"settings", "set", "Quality"}).exitCode, kExitUsage);
}

TEST(CliCommands, HelpListsEveryCommandAndOption)
{
    Workstation ws;
    const auto run = ws.Run({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* word : {"save", "--patient", "--serial", "--files", "--title", "--note", "path",
                             "lookup", "settings", "settings set", "--help"})
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
    EXPECT_EQ(ws.Run({"frobnicate"}).exitCode, kExitUsage);
    EXPECT_EQ(ws.Run({"save", "--patient", "1"}).exitCode, kExitUsage);
    EXPECT_EQ(ws.Run({"save", "--patient", "1", "--serial", "0", "--title", "x"}).exitCode, kExitUsage);
}

} // namespace
