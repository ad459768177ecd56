#pragma once
// Deleting the plain files of the scanner folder after a save or on the menu command. Folders,
// hidden files and other entries stay. A folder whose clearing would be destructive (a
// file-system root, the user's home, the archive's base folder or one of its ancestors) is
// refused before anything is deleted.
#include "app/save/SaveQuestions.h"

#include <filesystem>
#include <functional>
#include <string>

class TRegistory;

namespace quillora::save {

inline constexpr const char* kClearRefusedMessage = "このフォルダーはクリアできません。";

struct ClearingResult {
    bool refused = false;  // nothing was deleted because the folder may not be cleared
    std::string message;   // kClearRefusedMessage and the folder when refused
    int deleted = 0;
    int failed = 0;        // files that could not be deleted
    bool stopped = false;  // the user ended the clearing at a failed file
};

// Empty when `scannerDir` may be cleared, else the refusal message naming the folder.
std::string ClearingRefusal(const std::string& scannerDir, const std::string& archiveBase,
                            const std::filesystem::path& home);

// Removes one file; false when it remains. Replaceable for tests.
using FileRemover = std::function<bool(const std::filesystem::path&)>;
bool RemoveFile(const std::filesystem::path& file);

// Deletes the plain files of `scannerDir` in name order, asking NotDelete at each failure.
ClearingResult ClearScannerFolder(const std::string& scannerDir, const std::string& archiveBase,
                                  SaveQuestions& questions, const FileRemover& remove = RemoveFile);

// The clearing with the settings' folders and the current user's home.
ClearingResult ClearScannerFolder(const TRegistory& settings, SaveQuestions& questions,
                                  const FileRemover& remove = RemoveFile);

// The menu command: asks ConfirmClearFolder, then clears. `confirmed` tells the caller
// whether to refresh its listing and empty the page list afterwards.
struct ClearCommandResult {
    bool confirmed = false;
    ClearingResult clearing;
};
ClearCommandResult ScanFolderClearCommand(const TRegistory& settings, SaveQuestions& questions,
                                          const FileRemover& remove = RemoveFile);

} // namespace quillora::save
