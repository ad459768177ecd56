#pragma once
// The save of a chart: checks the two numbers and the page count, names the chart, finds and
// makes the patient folder, respects the overwrite protection, composes the PDF, puts it on
// disk verified and all-or-nothing, clears the scanner folder when so set and records the
// save-log line. One plain class used by the main window and by the command line; every
// question goes through SaveQuestions, the busy state stays the caller's business.
#include "app/compose/ChartComposer.h"
#include "app/save/ChartFile.h"
#include "app/save/SaveQuestions.h"
#include "app/save/ScannerFolderClearing.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TDirFile;
class TRegistory;

namespace quillora {
class ChartLog;
}

namespace quillora::save {

// What the save takes of one page of the page list.
struct SavePage {
    std::string FileName;                         // full path of the page image
    std::optional<std::vector<std::string>> Note; // annotation lines; nullopt: none
    std::string Title;                            // outline title; empty: no entry
};

struct SaveRequest {
    std::string patientText; // the patient number field as typed
    std::string serialText;  // the serial number field as typed
    std::vector<SavePage> pages;
    // Full paths of every file the intake behind this page list listed (pages deleted from the
    // list included): the only files the clearing after the save may delete. nullopt: the
    // pages did not come from an intake, nothing is cleared.
    std::optional<std::vector<std::string>> intakeFiles;
};

inline constexpr const char* kPageNotRegular = "画像ファイルが通常のファイルではありません。";
inline constexpr const char* kSkippedPagesMessage = "見つからないため保存しなかったページ:";
inline constexpr const char* kPageWidthError =
    "PDFのページの幅または高さが0です。保存設定を確認してください。";
inline constexpr const char* kChartNameTooLong = "ファイル名が長すぎます。医療機関コードを確認してください。";
inline constexpr const char* kFolderUnderChartName =
    "ファイル名と同じ名前のフォルダーがあるため、保存できません。";

enum class SaveStatus {
    Saved,
    InvalidPatient,
    InvalidSerial,
    FirstPageOnly, // first page excluded and fewer than two pages
    UnsafeInstitutionCode,
    NotOverwritten, // the chart exists and overwriting is inhibited
    FolderNotMade,
    ChartNotReplaceable,  // an existing entry of the chart's name cannot be replaced
    FolderUnderChartName, // a folder sits under the chart's name
    PageUnreadable,       // a page image exists but cannot be decoded or is no regular file
    InvalidPageSize,      // the PDF page width or height in the settings is 0
    ChartNameTooLong,     // the file system cannot hold the chart's name
    NoPages,              // no page reached the composer
    WriteFailed,          // the chart could not be written or verified
    ComposeFailed,        // any other error of the composition
};

struct SaveResult {
    SaveStatus status = SaveStatus::Saved;
    // For the status bar (input errors, "保存しました。") or the error box (the others).
    std::string message;
    std::string chartName;
    std::string chartPath;
    std::string saveLogLine; // recorded in the save log when saved
    int pagesSaved = 0;
    std::vector<std::string> skippedFiles; // pages left out because their file is missing
    bool scannerFolderCleared = false;     // the caller refreshes its listing and empties the page list
    ClearingResult clearing;               // what the clearing did (refusal message included)

    bool saved() const { return status == SaveStatus::Saved; }
    // Input errors are shown in the status bar; the others in the error box.
    bool isInputError() const
    {
        return status == SaveStatus::InvalidPatient || status == SaveStatus::InvalidSerial ||
               status == SaveStatus::FirstPageOnly || status == SaveStatus::UnsafeInstitutionCode;
    }
    // Skipped pages and what the clearing has to report; empty when there is nothing.
    std::string Notes() const;
};

class ChartSaver {
public:
    using Clock = std::function<LocalDateTime()>;

    ChartSaver(const TRegistory& settings, TDirFile& dirFile, ChartComposer& composer,
               SaveQuestions& questions, ChartLog& saveLog, ChartLog& errorLog,
               Clock clock = CurrentLocalTime);

    SaveResult Save(const SaveRequest& request);

    // For tests: replaces the file removal of the clearing and hooks into the publishing.
    void SetFileRemover(FileRemover remover) { remover_ = std::move(remover); }
    void SetPublishHooks(PublishHooks hooks) { hooks_ = std::move(hooks); }

private:
    struct Target;
    std::optional<SaveResult> CheckInput(const SaveRequest& request, Target& target) const;
    std::optional<SaveResult> PrepareFolder(Target& target);
    std::vector<const SavePage*> PagesToCompose(const SaveRequest& request, SaveResult& result) const;
    SaveResult Compose(const SaveRequest& request, const Target& target, const LocalDateTime& now);
    SaveResult Publish(const std::string& pdf, const Target& target, SaveResult result);
    void Finish(SaveResult& result, const Target& target, const SaveRequest& request);
    void RemoveCreatedFolders(const Target& target) const;

    const TRegistory& settings_;
    TDirFile& dirFile_;
    ChartComposer& composer_;
    SaveQuestions& questions_;
    ChartLog& saveLog_;
    ChartLog& errorLog_;
    Clock clock_;
    FileRemover remover_ = RemoveFile;
    PublishHooks hooks_;
};

} // namespace quillora::save
