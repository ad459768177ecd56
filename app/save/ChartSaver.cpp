#include "app/save/ChartSaver.h"

#include "app/intake/FolderListing.h"
#include "app/save/ChartName.h"
#include "app/save/PathBuilderSetup.h"
#include "archive/TDirFile.h"
#include "logs/ChartLog.h"
#include "platform/NativePath.h"
#include "settings/TRegistory.h"
#include "settings/ValueRules.h"

#include <filesystem>

namespace fs = std::filesystem;
using quillora::platform::PathFromUtf8;

namespace quillora::save {

struct ChartSaver::Target {
    std::uint32_t patient = 0;
    int serial = 0;
    std::string chartName;
    std::string folder;
    fs::path firstCreated; // the topmost folder level this save created; empty: none
};

namespace {

SaveResult Failure(SaveStatus status, std::string message)
{
    SaveResult result;
    result.status = status;
    result.message = std::move(message);
    return result;
}

// An entry of the chart's name that a rename cannot replace (a folder, typically).
bool IsUnreplaceable(const std::string& path)
{
    std::error_code ec;
    const auto status = fs::symlink_status(PathFromUtf8(path), ec);
    return fs::exists(status) && fs::is_directory(status);
}

// The topmost level of `folder` that does not exist yet; empty when it exists.
fs::path FirstMissingLevel(const fs::path& folder)
{
    std::error_code ec;
    fs::path missing;
    for (fs::path level = folder; !level.empty() && !fs::exists(level, ec); level = level.parent_path()) {
        missing = level;
        if (level == level.parent_path())
            break;
    }
    return missing;
}

// A chart name plus the temporary name's decoration must fit one file-name component.
constexpr std::size_t kMaxChartNameBytes = 255 - 11;

std::string UnreadableMessage(const PageImageError& error)
{
    std::string message = std::string(kPageUnreadable) + " " + error.file();
    if (*error.what())
        message += "\n" + std::string(error.what());
    return message;
}

} // namespace

ChartSaver::ChartSaver(const TRegistory& settings, TDirFile& dirFile, ChartComposer& composer,
                       SaveQuestions& questions, ChartLog& saveLog, ChartLog& errorLog, Clock clock)
    : settings_(settings), dirFile_(dirFile), composer_(composer), questions_(questions), saveLog_(saveLog),
      errorLog_(errorLog), clock_(std::move(clock))
{
}

SaveResult ChartSaver::Save(const SaveRequest& request)
{
    Target target;
    if (auto refusal = CheckInput(request, target))
        return *refusal;
    const LocalDateTime now = clock_();
    target.chartName = ChartFileName(settings_.HPCode, target.patient, target.serial,
                                     settings_.WriteDate ? std::optional(now) : std::nullopt);
    if (target.chartName.size() > kMaxChartNameBytes)
        return Failure(SaveStatus::ChartNameTooLong, kChartNameTooLong);
    if (auto refusal = PrepareFolder(target)) {
        RemoveCreatedFolders(target);
        return *refusal;
    }
    SaveResult result = Compose(request, target, now);
    if (result.saved())
        Finish(result, target, request);
    else
        RemoveCreatedFolders(target);
    return result;
}

std::optional<SaveResult> ChartSaver::CheckInput(const SaveRequest& request, Target& target) const
{
    const auto patient = ParsePatientNumber(request.patientText);
    if (!patient)
        return Failure(SaveStatus::InvalidPatient, kPatientError);
    const auto serial = ParseSerialNumber(request.serialText);
    if (!serial)
        return Failure(SaveStatus::InvalidSerial, kSerialError);
    if (!settings_.FirstPage && request.pages.size() < 2)
        return Failure(SaveStatus::FirstPageOnly, kFirstPageError);
    if (!settings::IsSafeInstitutionCode(settings_.HPCode))
        return Failure(SaveStatus::UnsafeInstitutionCode, kInstitutionCodeError);
    if (settings_.PdfPageWidth <= 0 || settings_.PdfPageHeight <= 0)
        return Failure(SaveStatus::InvalidPageSize, kPageWidthError);
    target.patient = *patient;
    target.serial = *serial;
    return std::nullopt;
}

// Path builder set-up, overwrite protection and folder creation. An existing chart is not
// deleted here: it stays until the new one is on disk and verified.
std::optional<SaveResult> ChartSaver::PrepareFolder(Target& target)
{
    ConfigurePathBuilder(dirFile_, settings_, target.patient);
    target.folder = dirFile_.FolderPath();

    const auto refuse = [&](SaveStatus status, const std::string& shown) {
        SaveResult result = Failure(status, {});
        result.chartName = target.chartName;
        result.chartPath = ChartPath(target.folder, target.chartName);
        result.message = shown;
        return result;
    };
    if (settings_.WriteInhibit && dirFile_.ContainsFile(target.chartName)) {
        questions_.NotOverwrite(target.chartName);
        errorLog_.addLine(ErrorLogLine(target.folder, target.chartName));
        return refuse(SaveStatus::NotOverwritten, target.chartName);
    }
    // The base folder is never created: a missing one (an unmounted share, a lost setting) is
    // named in the warning and nothing is made.
    if (!dirFile_.BaseFolderExists()) {
        questions_.NotMakeFolder(settings_.Target);
        return refuse(SaveStatus::FolderNotMade, settings_.Target);
    }
    target.firstCreated = FirstMissingLevel(PathFromUtf8(target.folder));
    if (!dirFile_.MakeFolder()) {
        questions_.NotMakeFolder(target.folder);
        return refuse(SaveStatus::FolderNotMade, target.folder);
    }
    if (IsUnreplaceable(ChartPath(target.folder, target.chartName)))
        return refuse(SaveStatus::FolderUnderChartName,
                      std::string(kFolderUnderChartName) + " " + ChartPath(target.folder, target.chartName));
    return std::nullopt;
}

// The pages that go into the PDF: from the first or the second page on, those whose image
// file exists; a missing file leaves its page out and is listed in the result. An entry that
// exists but is no regular file (a FIFO would block the read) refuses the save.
std::vector<const SavePage*> ChartSaver::PagesToCompose(const SaveRequest& request, SaveResult& result) const
{
    std::vector<const SavePage*> pages;
    for (std::size_t i = settings_.FirstPage ? 0 : 1; i < request.pages.size(); ++i) {
        const std::string& file = request.pages[i].FileName;
        std::error_code ec;
        const auto status = fs::status(PathFromUtf8(file), ec);
        if (!fs::exists(status))
            result.skippedFiles.push_back(file);
        else if (!fs::is_regular_file(status))
            throw PageImageError(file, kPageNotRegular);
        else
            pages.push_back(&request.pages[i]);
    }
    return pages;
}

SaveResult ChartSaver::Compose(const SaveRequest& request, const Target& target, const LocalDateTime& now)
{
    SaveResult result;
    result.chartName = target.chartName;
    result.chartPath = ChartPath(target.folder, target.chartName);
    std::string pdf;
    try {
        composer_.Begin(
            {settings_.PdfPageWidth, settings_.PdfPageHeight, settings_.Quality, settings_.Stretch}, now);
        const auto pages = PagesToCompose(request, result);
        questions_.Started(static_cast<int>(pages.size()));
        std::vector<std::string> files;
        for (const SavePage* page : pages)
            files.push_back(page->FileName);
        composer_.Expect(files);
        int done = 0;
        for (const SavePage* page : pages) {
            composer_.AddPage(page->FileName, page->Note);
            if (!page->Title.empty())
                composer_.AddOutline(page->Title);
            questions_.PageDone(++done, page->FileName);
        }
        result.pagesSaved = composer_.PageCount();
        if (result.pagesSaved == 0) {
            composer_.Discard();
            return Failure(SaveStatus::NoPages, kNoPageError);
        }
        pdf = composer_.Finish();
    } catch (const PageImageError& error) {
        composer_.Discard();
        return Failure(SaveStatus::PageUnreadable, UnreadableMessage(error));
    } catch (const std::exception& error) {
        composer_.Discard();
        return Failure(SaveStatus::ComposeFailed, error.what());
    }
    return Publish(pdf, target, std::move(result));
}

SaveResult ChartSaver::Publish(const std::string& pdf, const Target& target, SaveResult result)
{
    const PublishOutcome outcome =
        PublishChart(PathFromUtf8(target.folder), target.chartName, pdf, !settings_.WriteInhibit, hooks_);
    switch (outcome.status) {
    case PublishStatus::Published: return result;
    case PublishStatus::AlreadyExists:
        // Another save put the chart there while this one was composing.
        questions_.NotOverwrite(target.chartName);
        errorLog_.addLine(ErrorLogLine(target.folder, target.chartName));
        result.status = SaveStatus::NotOverwritten;
        result.message = target.chartName;
        break;
    case PublishStatus::CannotReplace:
        questions_.NotMakeFolder(target.chartName);
        result.status = SaveStatus::ChartNotReplaceable;
        result.message = target.chartName + ": " + outcome.detail;
        break;
    case PublishStatus::CannotCreate:
    case PublishStatus::WriteFailed:
    case PublishStatus::VerifyFailed:
        questions_.NotMakeFolder(target.chartName);
        result.status = SaveStatus::WriteFailed;
        result.message = target.chartName + ": " + outcome.detail;
        break;
    }
    result.pagesSaved = 0;
    return result;
}

// Removes the empty folder levels this save created, deepest first, after a refusal.
void ChartSaver::RemoveCreatedFolders(const Target& target) const
{
    if (target.firstCreated.empty())
        return;
    std::error_code ec;
    for (fs::path level = PathFromUtf8(target.folder); !level.empty(); level = level.parent_path()) {
        if (!fs::remove(level, ec) || level == target.firstCreated || level == level.parent_path())
            break;
    }
}

void ChartSaver::Finish(SaveResult& result, const Target& target, const SaveRequest& request)
{
    if (settings_.FolderClear && request.intakeFiles) {
        result.clearing = ClearScannerFolder(settings_, questions_, remover_, request.intakeFiles);
        result.scannerFolderCleared = !result.clearing.refused;
    }
    result.saveLogLine = SaveLogLine(target.patient, target.folder, target.chartName);
    saveLog_.addLine(result.saveLogLine);
    saveLog_.setModified(true);
    result.message = kSavedMessage;
}

std::string SaveResult::Notes() const
{
    std::string notes;
    if (!skippedFiles.empty()) {
        notes = kSkippedPagesMessage;
        for (const auto& file : skippedFiles)
            notes += "\n" + file;
    }
    if (const std::string report = ClearingReport(clearing); !report.empty())
        notes += (notes.empty() ? "" : "\n") + report;
    return notes;
}

} // namespace quillora::save
