#pragma once
// Which files an intake appends to the page list. The caller (the main window) does the
// appending, the thumbnails and the status texts; this decides the files and their order.
#include "app/intake/FileFilter.h"

#include <string>
#include <vector>

namespace quillora::intake {

inline constexpr const char* kNoFolderMessage = "指定のフォルダーがありません。";
inline constexpr const char* kNoFileTypeMessage = "ファイル形式が指定されていません。";
inline constexpr const char* kNoFilePickedMessage = "ファイルの指定がされていません。";
inline constexpr const char* kOtherFolderMessage = "読み込みフォルダーの指定はキャンセルされました。";

struct IntakePlan {
    std::string message;            // empty when the intake goes ahead
    std::vector<std::string> files; // full paths to append, in page order
    bool ok() const { return message.empty(); }
};

// Whether a page of `listedFiles` has the same file-name part as `file` (bytes, case counts).
bool IsPageListed(const std::vector<std::string>& listedFiles, const std::string& file);

// Every file of the scanner folder matching the type filter, by name. In add mode
// (`replace` false) files already among `listedFiles` are skipped.
IntakePlan PlanScannerFolderIntake(const std::string& scannerDir, const FileTypes& types,
                                   const std::vector<std::string>& listedFiles, bool replace);

// Checks made before the picking dialog opens: folder exists, some file type set. On
// success `message` is empty and `files` is empty.
IntakePlan CheckFolderIntake(const std::string& scannerDir, const FileTypes& types);

// The files picked in the dialog: they must lie in the scanner folder itself (the first file's
// folder compared byte for byte). Sequence 0 keeps the order in which they were picked,
// any other value reverses it.
IntakePlan PlanPickedFiles(const std::string& scannerDir, const std::vector<std::string>& picked,
                           int sequence, const std::vector<std::string>& listedFiles, bool replace);

} // namespace quillora::intake
