#include "cli/Commands.h"

#include "app/compose/PdfChartComposer.h"
#include "app/intake/FolderListing.h"
#include "app/intake/IntakePlan.h"
#include "app/save/ChartSaver.h"
#include "archive/TDirFile.h"
#include "cli/ExitStatus.h"
#include "cli/SaveArguments.h"
#include "cli/SettingsTable.h"
#include "logs/ChartLog.h"
#include "platform/NativePath.h"
#include "settings/TRegistory.h"

#include <filesystem>
#include <iostream>

namespace quillora::cli {
namespace {

using save::SaveStatus;

// Warnings are printed as their windows read; clearing goes on after a file that stays.
class ConsoleQuestions final : public save::SaveQuestions {
public:
    void NotOverwrite(const std::string& chartName) override
    {
        std::cerr << chartName << "\nファイルの上書きができません。\n";
    }
    void NotMakeFolder(const std::string& pathOrName) override
    {
        std::cerr << pathOrName << "\nファイルまたはフォルダーを作成できません。　\n"
                  << "Diskの容量不足または書き込み不可のデバイスの可能性があります。\n"
                  << "又は、使用中の可能性があります。\n";
    }
    save::DeleteChoice NotDelete(const std::string& fileName) override
    {
        std::cerr << fileName << "\nファイルの削除ができません。\n";
        return save::DeleteChoice::Next;
    }
    bool ConfirmClearFolder(const std::string&) override { return true; }
    void Started(int) override { }
    void PageDone(int, const std::string&) override { }
};

int ExitFor(SaveStatus status)
{
    switch (status) {
    case SaveStatus::Saved: return kExitOk;
    case SaveStatus::InvalidPatient: return kExitPatientNumber;
    case SaveStatus::InvalidSerial: return kExitSerialNumber;
    case SaveStatus::FirstPageOnly: return kExitFirstPage;
    case SaveStatus::UnsafeInstitutionCode: return kExitInstitutionCode;
    case SaveStatus::NotOverwritten: return kExitNotOverwritten;
    case SaveStatus::FolderNotMade: return kExitFolderNotMade;
    case SaveStatus::ChartNotReplaceable: return kExitNotReplaceable;
    case SaveStatus::FolderUnderChartName: return kExitNotReplaceable;
    case SaveStatus::InvalidPageSize: return kExitPageSize;
    case SaveStatus::ChartNameTooLong: return kExitChartNameTooLong;
    case SaveStatus::PageUnreadable: return kExitPageUnreadable;
    case SaveStatus::NoPages: return kExitNoPages;
    case SaveStatus::WriteFailed: return kExitWriteFailed;
    case SaveStatus::ComposeFailed: return kExitComposeFailed;
    }
    return kExitUnexpected;
}

// Every file named on the command line must be a regular file: a typo or a folder would
// otherwise file a shorter chart, and a FIFO would block the read.
bool CheckNamedFiles(const std::vector<std::string>& files)
{
    bool ok = true;
    for (const auto& file : files) {
        std::error_code ec;
        const auto status = std::filesystem::status(platform::PathFromUtf8(file), ec);
        if (!std::filesystem::exists(status)) {
            std::cerr << file << ": no such page image file\n";
            ok = false;
        } else if (!std::filesystem::is_regular_file(status)) {
            std::cerr << file << ": not a regular file\n";
            ok = false;
        }
    }
    return ok;
}

// The page list: the given files (nothing to clear afterwards), or a replace-mode intake of
// the scanner folder (whose files are the only ones the clearing may delete).
int CollectPages(const SaveArguments& args, const TRegistory& settings, std::vector<std::string>& files,
                 std::optional<std::vector<std::string>>& intakeFiles)
{
    if (args.haveFiles) {
        files = args.files;
        return CheckNamedFiles(files) ? kExitOk : kExitPageMissing;
    }
    const auto plan =
        intake::PlanScannerFolderIntake(settings.ScannerDir, intake::FileTypesOf(settings), {}, true);
    if (!plan.ok()) {
        std::cerr << plan.message << '\n';
        return kExitIntake;
    }
    files = plan.files;
    intakeFiles = plan.files;
    return kExitOk;
}

bool BuildRequest(const SaveArguments& args, const std::vector<std::string>& files,
                  save::SaveRequest& request)
{
    request.patientText = args.patient;
    request.serialText = args.serial;
    for (const auto& file : files)
        request.pages.push_back({file, std::nullopt, {}});
    const auto pageCount = static_cast<int>(request.pages.size());
    for (const auto& [page, title] : args.titles) {
        if (page > pageCount) {
            std::cerr << "--title names page " << page << " but there are " << pageCount << " pages\n";
            return false;
        }
        request.pages[page - 1].Title = title;
    }
    for (const auto& [page, lines] : args.notes) {
        if (page > pageCount) {
            std::cerr << "--note names page " << page << " but there are " << pageCount << " pages\n";
            return false;
        }
        request.pages[page - 1].Note = lines;
    }
    return true;
}

// Prints the outcome and returns the exit status. A saved chart whose save-log line cannot
// reach standard output, or whose clearing failed or was refused, still exits non-zero.
int Report(const save::SaveResult& result, const ChartLog& errorLog)
{
    for (const auto& line : errorLog.lines())
        std::cerr << line << '\n';
    if (!result.saved()) {
        // The warnings already named the file or folder; other failures print their message.
        if (result.status != SaveStatus::NotOverwritten && result.status != SaveStatus::FolderNotMade)
            std::cerr << result.message << '\n';
        return ExitFor(result.status);
    }
    std::cout << result.saveLogLine << '\n' << std::flush;
    const bool printed = static_cast<bool>(std::cout);
    if (const std::string notes = result.Notes(); !notes.empty())
        std::cerr << notes << '\n';
    std::cerr << result.message << '\n';
    if (!printed) {
        std::cerr << "the save-log line could not be written to standard output\n";
        return kExitOutputFailed;
    }
    if (result.scannerFolderCleared || result.clearing.refused)
        return result.clearing.complete() ? kExitOk : kExitClearingIncomplete;
    return kExitOk;
}

} // namespace

int RunSave(const std::vector<std::string>& words)
{
    const auto parsed = ParseSaveArguments(words);
    if (!parsed.ok) {
        std::cerr << parsed.error << "\n(see quillora-cli --help)\n";
        return kExitUsage;
    }
    TRegistory settings;
    LoadSettings(settings);
    std::vector<std::string> files;
    save::SaveRequest request;
    if (const int status = CollectPages(parsed.arguments, settings, files, request.intakeFiles);
        status != kExitOk)
        return status;
    if (!BuildRequest(parsed.arguments, files, request))
        return kExitUsage;

    TDirFile dirFile;
    PdfChartComposer composer;
    ConsoleQuestions questions;
    ChartLog saveLog, errorLog;
    save::ChartSaver saver(settings, dirFile, composer, questions, saveLog, errorLog);
    return Report(saver.Save(request), errorLog);
}

} // namespace quillora::cli
