#pragma once
// Deleting the plain files of the scanner folder after a save or on the menu command. Folders,
// hidden files and other entries stay. A folder whose clearing would be destructive (a
// file-system root, the user's home, or a folder equal to, inside or containing the archive's
// base folder) is refused before anything is deleted, and no file that resolves to a place
// below the archive's base folder is ever deleted, whatever the settings say. After a save only
// the files the intake listed are deleted; files that appeared later stay and are reported.
#include "app/save/SaveQuestions.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TRegistory;

namespace quillora::save {

inline constexpr const char* kClearRefusedMessage = "このフォルダーはクリアできません。";

struct ClearingResult {
    bool refused = false; // nothing was deleted because the folder may not be cleared
    std::string message;  // kClearRefusedMessage and the folder when refused
    int deleted = 0;
    int failed = 0;                          // files that could not be deleted
    bool stopped = false;                    // the user ended the clearing at a failed file
    std::vector<std::string> kept;           // names not listed by the intake, left in place
    std::vector<std::string> protectedFiles; // names resolving below the archive base, kept

    // Whether every file meant to go went (nothing refused, failed or protected).
    bool complete() const { return !refused && failed == 0 && !stopped && protectedFiles.empty(); }
};

inline constexpr const char* kKeptFilesMessage = "取込み後に追加されたため、削除しなかったファイル:";
inline constexpr const char* kProtectedFileMessage = "保存先フォルダー内のため、削除しなかったファイル:";

// What the clearing reports beyond its counts: refusal, kept and protected files; empty when
// there is nothing to say.
std::string ClearingReport(const ClearingResult& result);

// Empty when `scannerDir` may be cleared, else the refusal message naming the folder.
std::string ClearingRefusal(const std::string& scannerDir, const std::string& archiveBase,
                            const std::filesystem::path& home);

// Removes one file; false when it remains. Replaceable for tests.
using FileRemover = std::function<bool(const std::filesystem::path&)>;
bool RemoveFile(const std::filesystem::path& file);

// Names (native bytes) of the plain files the clearing may delete: every one (nullopt), or only
// those the intake listed. The listed files are full paths; those of other folders are ignored.
using ClearableFiles = std::optional<std::vector<std::string>>;

// Deletes the plain files of `scannerDir` in name order, asking NotDelete at each failure.
ClearingResult ClearScannerFolder(const std::string& scannerDir, const std::string& archiveBase,
                                  SaveQuestions& questions, const FileRemover& remove = RemoveFile,
                                  const ClearableFiles& only = std::nullopt);

// The clearing with the settings' folders and the current user's home.
ClearingResult ClearScannerFolder(const TRegistory& settings, SaveQuestions& questions,
                                  const FileRemover& remove = RemoveFile,
                                  const ClearableFiles& only = std::nullopt);

// The menu command: asks ConfirmClearFolder, then clears. `confirmed` tells the caller
// whether to refresh its listing and empty the page list afterwards.
struct ClearCommandResult {
    bool confirmed = false;
    ClearingResult clearing;
};
ClearCommandResult ScanFolderClearCommand(const TRegistory& settings, SaveQuestions& questions,
                                          const FileRemover& remove = RemoveFile);

} // namespace quillora::save
