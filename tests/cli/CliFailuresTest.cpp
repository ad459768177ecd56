// End-to-end: every refused or failed save leaves the archive and the scanner folder intact.
#include "CliRunner.h"
#include "app/compose/ComposeFixtures.h"
#include "cli/ExitStatus.h"
#include "settings/TRegistory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quillora::test;
using namespace quillora::cli;
namespace fs = std::filesystem;

namespace {

class CliFailure : public ::testing::Test {
protected:
    Workstation ws;
    fs::path folder = ws.charts / "00" / "01" / "23" / "45";
    fs::path chart = folder / "HP_12345_0.pdf";

    void SetUp() override
    {
        ws.Set("FolderClear", "0");
        ws.WriteImage(ColourPage(700, 900), "p0.jpg");
        ws.WriteImage(ColourPage(1240, 1754), "p1.jpg");
        ws.WriteImage(GreyPage(900, 1200), "p2.png");
    }

    CliRun Save(const QString& patient = "12345", const QString& serial = "0",
                const QString& prefix = {}) const
    {
        return ws.Run({"save", "--patient", patient, "--serial", serial}, prefix);
    }

    void ExpectScannerFolderUntouched() const
    {
        EXPECT_EQ(Entries(ws.scan), (std::vector<std::string>{"p0.jpg", "p1.jpg", "p2.png"}));
    }
};

struct NumberCase {
    const char* patient;
    const char* serial;
    int exitCode;
    const char* message;
};

void PrintTo(const NumberCase& c, std::ostream* out)
{
    *out << "patient '" << c.patient << "' serial '" << c.serial << "'";
}

class CliNumbers : public CliFailure, public ::testing::WithParamInterface<NumberCase> { };

TEST_P(CliNumbers, AreCheckedBeforeAnythingIsWritten)
{
    const auto run = Save(GetParam().patient, GetParam().serial);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(Entries(ws.charts).empty());
}

INSTANTIATE_TEST_SUITE_P(Table, CliNumbers,
                         ::testing::Values(NumberCase{"0", "0", kExitPatientNumber, "患者番号エラー"},
                                           NumberCase{"100000000", "0", kExitPatientNumber, "患者番号エラー"},
                                           NumberCase{"-1", "0", kExitPatientNumber, "患者番号エラー"},
                                           NumberCase{"12a", "0", kExitPatientNumber, "患者番号エラー"},
                                           NumberCase{"", "0", kExitPatientNumber, "患者番号エラー"},
                                           NumberCase{"12345", "1000", kExitSerialNumber, "連番エラー"},
                                           NumberCase{"12345", "-1", kExitSerialNumber, "連番エラー"}));

TEST_F(CliFailure, SerialWithLeadingZerosIsWrittenWithout)
{
    ASSERT_EQ(Save("12345", "007").exitCode, 0);
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"HP_12345_7.pdf"}));
}

TEST_F(CliFailure, OnePageWithTheFirstPageExcluded)
{
    fs::remove(ws.scan / "p1.jpg");
    fs::remove(ws.scan / "p2.png");
    const auto run = Save();
    EXPECT_EQ(run.exitCode, kExitFirstPage);
    EXPECT_NE(run.err.find("最初のページを保存しない指定により、保存ができません。"), std::string::npos);
}

TEST_F(CliFailure, InhibitedOverwriteLogsAndKeepsTheOldChart)
{
    ASSERT_EQ(Save().exitCode, 0);
    const std::string old = ReadText(chart);
    const auto run = Save();
    EXPECT_EQ(run.exitCode, kExitNotOverwritten);
    EXPECT_NE(run.err.find("ファイルの上書きができません。"), std::string::npos);
    EXPECT_NE(run.err.find(chart.string() + " OverWrite Error"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(ReadText(chart), old);
    ExpectScannerFolderUntouched();
}

TEST_F(CliFailure, FolderThatCannotBeCreated)
{
    std::ofstream(ws.charts / "00") << "a file where a folder level belongs";
    const auto run = Save();
    EXPECT_EQ(run.exitCode, kExitFolderNotMade);
    EXPECT_NE(run.err.find(folder.string()), std::string::npos);
    EXPECT_NE(run.err.find("ファイルまたはフォルダーを作成できません。"), std::string::npos);
    ExpectScannerFolderUntouched();
}

TEST_F(CliFailure, OlderChartThatCannotBeReplaced)
{
    ws.Set("WriteInhibit", "0");
    fs::create_directories(chart / "inside");
    const auto run = Save();
    EXPECT_EQ(run.exitCode, kExitNotReplaceable);
    EXPECT_TRUE(fs::is_directory(chart / "inside"));
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"HP_12345_0.pdf"}));
}

// A named page that is missing, a folder or a FIFO (which would block the read) refuses the
// save before anything is written.
TEST_F(CliFailure, NamedPageThatIsNoRegularFileRefusesBeforeWriting)
{
    ASSERT_EQ(::mkfifo((ws.root / "fifo.jpg").c_str(), 0600), 0);
    for (const fs::path& bad : {ws.root / "typo.jpg", ws.scan, ws.root / "fifo.jpg"}) {
        const auto run = ws.Run({"save", "--patient", "12345", "--serial", "0", "--files",
                                 QString::fromStdString((ws.scan / "p0.jpg").string()),
                                 QString::fromStdString((ws.scan / "p1.jpg").string()),
                                 QString::fromStdString(bad.string())});
        EXPECT_EQ(run.exitCode, kExitPageMissing) << bad;
        EXPECT_NE(run.err.find(bad.string()), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
        EXPECT_FALSE(fs::exists(ws.charts / "00"));
    }
}

TEST_F(CliFailure, SavedChartWhoseLogLineCannotBeWrittenExitsNonZero)
{
    const auto run = Save("12345", "0", "exec >/dev/full;");
    EXPECT_EQ(run.exitCode, kExitOutputFailed) << run.err;
    EXPECT_TRUE(fs::exists(chart));
}

// The scanner folder is the patient's own folder: the chart and the older charts stay, the
// refused clearing has its own exit status.
TEST_F(CliFailure, ScannerFolderInsideTheArchiveKeepsEveryChart)
{
    fs::create_directories(folder);
    std::ofstream(folder / "HP_12345_1.pdf") << "older chart";
    for (const char* name : {"p0.jpg", "p1.jpg"})
        fs::copy_file(ws.scan / name, folder / name);
    ws.Edit([&](TRegistory& settings) { settings.ScannerDir = folder.string(); });
    ws.Set("FolderClear", "1");
    const auto run = Save();
    EXPECT_EQ(run.exitCode, kExitClearingIncomplete) << run.err;
    EXPECT_TRUE(Workstation::Inspect(chart).qpdfCheckPassed);
    EXPECT_EQ(ReadText(folder / "HP_12345_1.pdf"), "older chart");
}

TEST_F(CliFailure, UndecodablePageRefusesTheSave)
{
    ws.Set("FolderClear", "1");
    std::ofstream(ws.scan / "p2.png", std::ios::trunc) << "not a PNG";
    const auto run = Save();
    EXPECT_EQ(run.exitCode, kExitPageUnreadable);
    EXPECT_NE(run.err.find((ws.scan / "p2.png").string()), std::string::npos) << run.err;
    EXPECT_TRUE(Entries(folder).empty());
    ExpectScannerFolderUntouched();
}

// A file-size limit in the child process makes the chart's write fail part way, as a full
// disk does.
TEST_F(CliFailure, FailingWriteKeepsTheOldChartAndLeavesNothingElse)
{
    ws.Set("WriteInhibit", "0");
    ASSERT_EQ(Save().exitCode, 0);
    const std::string old = ReadText(chart);
    ASSERT_GT(old.size(), 60u * 1024);
    ws.Set("FolderClear", "1");
    ws.Set("Quality", "100");
    const auto run = Save("12345", "0", "ulimit -f 40;");
    EXPECT_EQ(run.exitCode, kExitWriteFailed) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(ReadText(chart), old);
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"HP_12345_0.pdf"}));
    ExpectScannerFolderUntouched();
}

TEST_F(CliFailure, TwoSavesOfTheSameChartAtOnceWithoutOverwriting)
{
    const auto [first, second] = ws.RunTwice({"save", "--patient", "12345", "--serial", "0"});
    const std::set<int> codes = {first.exitCode, second.exitCode};
    EXPECT_EQ(codes, (std::set<int>{kExitOk, kExitNotOverwritten})) << first.err << second.err;
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"HP_12345_0.pdf"}));
    EXPECT_TRUE(Workstation::Inspect(chart).qpdfCheckPassed);
}

TEST_F(CliFailure, ScannerFolderIntakeChecks)
{
    for (const char* type : {"JpegType", "TiffType", "BitmapType", "PngType"})
        ws.Set(type, "0");
    auto run = Save();
    EXPECT_EQ(run.exitCode, kExitIntake);
    EXPECT_NE(run.err.find("ファイル形式が指定されていません。"), std::string::npos);
    ws.Set("JpegType", "1");
    fs::remove_all(ws.scan);
    run = Save();
    EXPECT_EQ(run.exitCode, kExitIntake);
    EXPECT_NE(run.err.find("指定のフォルダーがありません。"), std::string::npos);
}

} // namespace
