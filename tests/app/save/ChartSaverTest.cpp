#include "app/save/ChartSaver.h"

#include "SaveFakes.h"
#include "app/save/ChartName.h"
#include "archive/TDirFile.h"
#include "logs/ChartLog.h"
#include "settings/TRegistory.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillora;
using namespace quillora::save;
using namespace quillora::save::test;
namespace fs = std::filesystem;

namespace {

const LocalDateTime kNow{2024, 3, 7, 9, 8, 7};

class SaverTest : public ::testing::Test {
protected:
    TempFolder tmp{"saver"};
    fs::path scan = tmp.path / "scan";
    fs::path base = tmp.path / "charts";
    fs::path folder = base / "00" / "01" / "23" / "45";
    TRegistory settings;
    TDirFile dirFile;
    FakeComposer composer;
    RecordingQuestions questions;
    ChartLog saveLog, errorLog;
    ChartSaver saver{settings, dirFile, composer, questions, saveLog, errorLog, [] { return kNow; }};

    void SetUp() override
    {
        fs::create_directories(scan);
        fs::create_directories(base);
        settings.ScannerDir = scan.string();
        settings.Target = base.string();
        settings.HPCode = "0012";
    }

    SavePage Page(const std::string& name, std::optional<std::vector<std::string>> note = std::nullopt,
                  std::string title = {})
    {
        WriteFile(scan / name, "image " + name);
        return {(scan / name).string(), std::move(note), std::move(title)};
    }

    // The intake behind the page list listed exactly its pages.
    SaveRequest Request(std::vector<SavePage> pages, std::string patient = "12345", std::string serial = "0")
    {
        std::vector<std::string> listed;
        for (const auto& page : pages)
            listed.push_back(page.FileName);
        return {std::move(patient), std::move(serial), std::move(pages), listed};
    }

    std::string ChartName() const { return "HP0012_12345_0_2024_3_7.pdf"; }
    fs::path Chart() const { return folder / ChartName(); }
};

struct InputCase {
    const char* patient;
    const char* serial;
    SaveStatus status;
    const char* message;
};

void PrintTo(const InputCase& c, std::ostream* out)
{
    *out << "patient '" << c.patient << "' serial '" << c.serial << "'";
}

class SaverInputTest : public SaverTest, public ::testing::WithParamInterface<InputCase> { };

TEST_P(SaverInputTest, RefusesBadNumbersBeforeTouchingAnything)
{
    const auto result =
        saver.Save(Request({Page("1.jpg"), Page("2.jpg")}, GetParam().patient, GetParam().serial));
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_EQ(result.message, GetParam().message);
    EXPECT_TRUE(result.isInputError());
    EXPECT_FALSE(fs::exists(base / "00"));
    EXPECT_TRUE(saveLog.empty());
    EXPECT_EQ(FolderEntries(scan).size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, SaverInputTest,
    ::testing::Values(InputCase{"0", "0", SaveStatus::InvalidPatient, kPatientError},
                      InputCase{"100000000", "0", SaveStatus::InvalidPatient, kPatientError},
                      InputCase{"-1", "0", SaveStatus::InvalidPatient, kPatientError},
                      InputCase{"12a", "0", SaveStatus::InvalidPatient, kPatientError},
                      InputCase{"", "0", SaveStatus::InvalidPatient, kPatientError},
                      InputCase{"12345", "1000", SaveStatus::InvalidSerial, kSerialError},
                      InputCase{"12345", "-1", SaveStatus::InvalidSerial, kSerialError},
                      InputCase{"12a", "-1", SaveStatus::InvalidPatient, kPatientError}));

TEST_F(SaverTest, SavesComposedPagesAndRecordsTheLogLine)
{
    settings.FolderClear = false;
    const auto result =
        saver.Save(Request({Page("1.jpg", std::vector<std::string>{"not saved"}),
                            Page("2.jpg", std::vector<std::string>{"a", "b"}, "検査"),
                            Page("3.jpg", std::vector<std::string>{}), Page("4.jpg", std::nullopt, "処方")},
                           "12345", "007"));
    ASSERT_TRUE(result.saved()) << result.message;
    EXPECT_EQ(result.message, kSavedMessage);
    EXPECT_EQ(result.chartName, "HP0012_12345_7_2024_3_7.pdf");
    ASSERT_EQ(composer.pages.size(), 3u);
    EXPECT_EQ(fs::path(composer.pages[0].file).filename(), "2.jpg");
    EXPECT_EQ(composer.pages[0].note, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(composer.pages[0].titles, (std::vector<std::string>{"検査"}));
    EXPECT_TRUE(composer.pages[1].note.has_value());
    EXPECT_TRUE(composer.pages[1].titles.empty());
    EXPECT_FALSE(composer.pages[2].note.has_value());
    EXPECT_EQ(composer.creation, kNow);
    EXPECT_EQ(composer.setup.pdfWidth, 700);
    EXPECT_EQ(ReadFile(folder / result.chartName).substr(0, 9), "%PDF-fake");
    EXPECT_EQ(saveLog.lines(), (std::vector<std::string>{"12345," + (folder / result.chartName).string()}));
    EXPECT_TRUE(saveLog.isModified());
    EXPECT_FALSE(result.scannerFolderCleared);
    EXPECT_EQ(FolderEntries(scan).size(), 4u);
    EXPECT_EQ(questions.progress, (std::vector<std::string>{"started 3", "1", "2", "3"}));
}

TEST_F(SaverTest, FirstPageRuleAndFirstPageSetting)
{
    EXPECT_EQ(saver.Save(Request({Page("1.jpg")})).status, SaveStatus::FirstPageOnly);
    settings.FirstPage = true;
    settings.FolderClear = false;
    ASSERT_TRUE(saver.Save(Request({Page("1.jpg")})).saved());
    EXPECT_EQ(composer.pages.size(), 1u);
}

TEST_F(SaverTest, ClearsTheScannerFolderOnlyAfterASave)
{
    WriteFile(scan / ".keep", "x");
    fs::create_directory(scan / "sub");
    const auto result = saver.Save(Request({Page("1.jpg"), Page("2.jpg")}));
    ASSERT_TRUE(result.saved());
    EXPECT_TRUE(result.scannerFolderCleared);
    EXPECT_EQ(FolderEntries(scan), (std::vector<std::string>{".keep", "sub"}));
}

TEST_F(SaverTest, ScannerFolderThatIsTheArchiveBaseIsNotCleared)
{
    settings.ScannerDir = base.string();
    WriteFile(base / "1.jpg", "x");
    WriteFile(base / "2.jpg", "x");
    const auto result =
        saver.Save(Request({{(base / "1.jpg").string(), {}, {}}, {(base / "2.jpg").string(), {}, {}}}));
    ASSERT_TRUE(result.saved());
    EXPECT_FALSE(result.scannerFolderCleared);
    EXPECT_TRUE(result.clearing.refused);
    EXPECT_TRUE(fs::exists(base / "1.jpg"));
}

TEST_F(SaverTest, InhibitedOverwriteLogsAndLeavesTheOldChart)
{
    fs::create_directories(folder);
    WriteFile(Chart(), "old chart");
    const auto result = saver.Save(Request({Page("1.jpg"), Page("2.jpg")}));
    EXPECT_EQ(result.status, SaveStatus::NotOverwritten);
    EXPECT_EQ(questions.notOverwrite, (std::vector<std::string>{ChartName()}));
    EXPECT_EQ(errorLog.lines(), (std::vector<std::string>{Chart().string() + " OverWrite Error"}));
    EXPECT_EQ(ReadFile(Chart()), "old chart");
    EXPECT_TRUE(composer.pages.empty());
    EXPECT_TRUE(saveLog.empty());
    EXPECT_EQ(FolderEntries(scan).size(), 2u);
}

TEST_F(SaverTest, AllowedOverwriteReplacesTheOldChartWithoutErrorLine)
{
    settings.WriteInhibit = false;
    fs::create_directories(folder);
    WriteFile(Chart(), "old chart");
    ASSERT_TRUE(saver.Save(Request({Page("1.jpg"), Page("2.jpg")})).saved());
    EXPECT_EQ(ReadFile(Chart()).substr(0, 9), "%PDF-fake");
    EXPECT_TRUE(errorLog.empty());
}

TEST_F(SaverTest, FolderThatCannotBeMadeIsReported)
{
    WriteFile(tmp.path / "file", "x");
    settings.Target = (tmp.path / "file").string();
    const auto result = saver.Save(Request({Page("1.jpg"), Page("2.jpg")}));
    EXPECT_EQ(result.status, SaveStatus::FolderNotMade);
    ASSERT_EQ(questions.notMakeFolder.size(), 1u);
    EXPECT_EQ(questions.notMakeFolder[0], (tmp.path / "file").string()); // the base folder
}

TEST_F(SaverTest, MissingBaseFolderIsNamedAndNeverCreated)
{
    settings.Target = (tmp.path / "unmounted").string();
    const auto result = saver.Save(Request({Page("1.jpg"), Page("2.jpg")}));
    EXPECT_EQ(result.status, SaveStatus::FolderNotMade);
    EXPECT_EQ(questions.notMakeFolder, std::vector<std::string>{settings.Target});
    EXPECT_FALSE(fs::exists(tmp.path / "unmounted"));
}

TEST_F(SaverTest, EmptyBaseFolderIsNotTheFileSystemRoot)
{
    settings.Target.clear();
    const auto result = saver.Save(Request({Page("1.jpg"), Page("2.jpg")}));
    EXPECT_EQ(result.status, SaveStatus::FolderNotMade);
    EXPECT_FALSE(fs::exists("/00/01/23/45"));
    EXPECT_EQ(questions.notMakeFolder.size(), 1u);
}

TEST_F(SaverTest, ChartNameTakenByAFolderIsReportedBeforeComposing)
{
    settings.WriteInhibit = false;
    fs::create_directories(Chart() / "x");
    const auto result = saver.Save(Request({Page("1.jpg"), Page("2.jpg")}));
    EXPECT_EQ(result.status, SaveStatus::FolderUnderChartName);
    EXPECT_NE(result.message.find(kFolderUnderChartName), std::string::npos);
    EXPECT_TRUE(questions.notMakeFolder.empty());
    EXPECT_TRUE(composer.pages.empty());
}

struct SettingsCase {
    const char* name;
    std::function<void(TRegistory&)> change;
    SaveStatus status;
    const char* message;
};

class SaverSettingsTest : public SaverTest, public ::testing::WithParamInterface<SettingsCase> { };

TEST_P(SaverSettingsTest, RefusesWithItsOwnMessageAndLeavesNoFolder)
{
    GetParam().change(settings);
    const auto result = saver.Save(Request({Page("1.jpg"), Page("2.jpg")}));
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_EQ(result.message, GetParam().message);
    EXPECT_FALSE(fs::exists(base / "00"));
    EXPECT_TRUE(questions.notMakeFolder.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SaverSettingsTest,
    ::testing::Values(SettingsCase{"width0", [](TRegistory& s) { s.PdfPageWidth = 0; },
                                   SaveStatus::InvalidPageSize, kPageWidthError},
                      SettingsCase{"longCode", [](TRegistory& s) { s.HPCode = std::string(240, '1'); },
                                   SaveStatus::UnsafeInstitutionCode,
                                   quillora::settings::kInstitutionCodeError}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaverTest, RefusedSaveRemovesTheFoldersItCreated)
{
    fs::create_directories(base / "00");
    const auto pages = std::vector<SavePage>{Page("1.jpg"), Page("2.jpg")};
    composer.undecodable.insert(pages[1].FileName);
    EXPECT_EQ(saver.Save(Request(pages)).status, SaveStatus::PageUnreadable);
    EXPECT_EQ(FolderEntries(base), (std::vector<std::string>{"00"}));
    EXPECT_TRUE(FolderEntries(base / "00").empty());
}

// The critical case: a scanner folder that is the patient's own folder. The chart and the
// older charts stay, and the clearing reports its refusal.
TEST_F(SaverTest, ScannerFolderInsideTheArchiveLosesNoChart)
{
    fs::create_directories(folder);
    WriteFile(folder / "HP0012_12345_1.pdf", "older chart");
    WriteFile(folder / "1.jpg", "x");
    WriteFile(folder / "2.jpg", "x");
    settings.ScannerDir = folder.string();
    const auto result =
        saver.Save(Request({{(folder / "1.jpg").string(), {}, {}}, {(folder / "2.jpg").string(), {}, {}}}));
    ASSERT_TRUE(result.saved());
    EXPECT_TRUE(result.clearing.refused);
    EXPECT_FALSE(result.clearing.complete());
    EXPECT_TRUE(fs::exists(Chart()));
    EXPECT_EQ(ReadFile(folder / "HP0012_12345_1.pdf"), "older chart");
}

TEST_F(SaverTest, ClearsOnlyWhatTheIntakeListedAndReportsTheRest)
{
    auto request = Request({Page("1.jpg"), Page("2.jpg")});
    WriteFile(scan / "deleted-page.jpg", "x");
    request.intakeFiles->push_back((scan / "deleted-page.jpg").string());
    WriteFile(scan / "next-patient.jpg", "x"); // written by the scanner during the save
    const auto result = saver.Save(request);
    ASSERT_TRUE(result.saved());
    EXPECT_EQ(FolderEntries(scan), (std::vector<std::string>{"next-patient.jpg"}));
    EXPECT_EQ(result.clearing.kept, (std::vector<std::string>{"next-patient.jpg"}));
    EXPECT_NE(result.Notes().find("next-patient.jpg"), std::string::npos);

    // Pages that did not come from an intake clear nothing.
    request = Request({Page("1.jpg"), Page("2.jpg")}, "12345", "1");
    request.intakeFiles.reset();
    ASSERT_TRUE(saver.Save(request).saved());
    EXPECT_EQ(FolderEntries(scan).size(), 3u);
}

// kill -9 with the temporary written (before the rename) and after the rename (before the
// clearing): no chart and no page is lost, and what is left over is a temporary only.
TEST_F(SaverTest, KilledWhilePublishingLosesNoChartAndNoPage)
{
    settings.WriteInhibit = false;
    fs::create_directories(folder);
    WriteFile(Chart(), "old chart");
    const auto request = Request({Page("1.jpg"), Page("2.jpg")});
    for (const bool afterRename : {false, true}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (afterRename)
                saver.SetFileRemover([](const fs::path&) {
                    ::raise(SIGKILL);
                    return false;
                });
            else
                saver.SetPublishHooks({[](const fs::path&) { ::raise(SIGKILL); }});
            saver.Save(request);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(FolderEntries(scan), (std::vector<std::string>{"1.jpg", "2.jpg"}));
        EXPECT_EQ(ReadFile(Chart()).substr(0, 9), afterRename ? "%PDF-fake" : "old chart");
        EXPECT_EQ(RemoveStaleTemporaries(folder, std::chrono::minutes(0)), afterRename ? 0 : 1);
        EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{ChartName()}));
    }
}

TEST_F(SaverTest, PageThatIsNoRegularFileRefusesTheSave)
{
    const auto pages = std::vector<SavePage>{Page("1.jpg"), {(scan / "fifo.jpg").string(), {}, {}}};
    ASSERT_EQ(::mkfifo((scan / "fifo.jpg").c_str(), 0600), 0);
    const auto result = saver.Save(Request(pages));
    EXPECT_EQ(result.status, SaveStatus::PageUnreadable);
    EXPECT_NE(result.message.find(kPageNotRegular), std::string::npos);
    EXPECT_FALSE(fs::exists(Chart()));
}

TEST_F(SaverTest, MissingPagesAreSkippedAndNoPageAtAllFails)
{
    settings.FolderClear = false;
    auto pages = std::vector<SavePage>{Page("1.jpg"), Page("2.jpg"), Page("3.jpg")};
    fs::remove(scan / "2.jpg");
    const auto saved = saver.Save(Request(pages));
    ASSERT_TRUE(saved.saved());
    EXPECT_EQ(composer.pages.size(), 1u);
    EXPECT_EQ(saved.skippedFiles, (std::vector<std::string>{pages[1].FileName}));
    EXPECT_NE(saved.Notes().find(kSkippedPagesMessage), std::string::npos);

    settings.WriteInhibit = false;
    fs::remove(scan / "3.jpg");
    const auto result = saver.Save(Request(pages));
    EXPECT_EQ(result.status, SaveStatus::NoPages);
    EXPECT_EQ(result.message, kNoPageError);
    EXPECT_EQ(saveLog.lines().size(), 1u);
}

TEST_F(SaverTest, EmptyPageListWithFirstPageOnFailsWithoutPages)
{
    settings.FirstPage = true;
    const auto result = saver.Save(Request({}));
    EXPECT_EQ(result.status, SaveStatus::NoPages);
    EXPECT_EQ(result.message, kNoPageError);
    EXPECT_FALSE(fs::exists(Chart()));
    EXPECT_TRUE(saveLog.empty());
}

TEST_F(SaverTest, UndecodablePageRefusesTheSaveNamingTheFile)
{
    const auto pages = std::vector<SavePage>{Page("1.jpg"), Page("2.jpg"), Page("3.jpg")};
    composer.undecodable.insert(pages[2].FileName);
    const auto result = saver.Save(Request(pages));
    EXPECT_EQ(result.status, SaveStatus::PageUnreadable);
    EXPECT_NE(result.message.find(pages[2].FileName), std::string::npos);
    EXPECT_NE(result.message.find("cannot decode"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(FolderEntries(scan).size(), 3u);
    EXPECT_FALSE(composer.open);
}

TEST_F(SaverTest, FailedCompositionKeepsTheOldChartAndTheScannerFolder)
{
    settings.WriteInhibit = false;
    fs::create_directories(folder);
    WriteFile(Chart(), "old chart");
    composer.failFinish = true;
    const auto result = saver.Save(Request({Page("1.jpg"), Page("2.jpg")}));
    EXPECT_EQ(result.status, SaveStatus::ComposeFailed);
    EXPECT_EQ(result.message, "SaveToStream --disk full");
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{ChartName()}));
    EXPECT_EQ(ReadFile(Chart()), "old chart");
    EXPECT_EQ(FolderEntries(scan).size(), 2u);
    EXPECT_TRUE(saveLog.empty());
}

TEST_F(SaverTest, FailedVerificationKeepsTheOldChartAndTheScannerFolder)
{
    settings.WriteInhibit = false;
    fs::create_directories(folder);
    WriteFile(Chart(), "old chart");
    saver.SetPublishHooks({[](const fs::path& file) { WriteFile(file, "garbage"); }});
    const auto result = saver.Save(Request({Page("1.jpg"), Page("2.jpg")}));
    EXPECT_EQ(result.status, SaveStatus::WriteFailed);
    EXPECT_EQ(questions.notMakeFolder, (std::vector<std::string>{ChartName()}));
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{ChartName()}));
    EXPECT_EQ(ReadFile(Chart()), "old chart");
    EXPECT_EQ(FolderEntries(scan).size(), 2u);
}

TEST_F(SaverTest, ChartAppearingDuringCompositionIsNotOverwritten)
{
    // Another workstation finishes the same chart while this one writes its bytes.
    saver.SetPublishHooks({[this](const fs::path&) { WriteFile(Chart(), "other"); }});
    const auto result = saver.Save(Request({Page("1.jpg"), Page("2.jpg")}));
    EXPECT_EQ(result.status, SaveStatus::NotOverwritten);
    EXPECT_EQ(ReadFile(Chart()), "other");
    EXPECT_EQ(errorLog.lines().size(), 1u);
    EXPECT_EQ(FolderEntries(scan).size(), 2u);
}

TEST_F(SaverTest, UnsafeInstitutionCodeIsRefused)
{
    settings.HPCode = "../../etc";
    const auto result = saver.Save(Request({Page("1.jpg"), Page("2.jpg")}));
    EXPECT_EQ(result.status, SaveStatus::UnsafeInstitutionCode);
    EXPECT_EQ(result.message, kInstitutionCodeError);
    EXPECT_FALSE(fs::exists(base / "00"));
}

TEST_F(SaverTest, DateOffLeavesTheDateOut)
{
    settings.WriteDate = false;
    settings.HPCode = "";
    const auto result = saver.Save(Request({Page("1.jpg"), Page("2.jpg")}));
    EXPECT_EQ(result.chartName, "HP_12345_0.pdf");
}

} // namespace
