#include "archive/TDirFile.h"

#include "platform/DurableFile.h"
#include "platform/NativePath.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Joined as text, so a file name that looks absolute still stays below the folder.
fs::path FileInFolder(const std::string& folder, const std::string& fileName)
{
    return quillora::platform::PathFromUtf8(folder + static_cast<char>(fs::path::preferred_separator) +
                                            fileName);
}

} // namespace

bool TDirFile::BaseFolderExists() const
{
    std::error_code ec;
    return !BaseFolder.empty() && fs::is_directory(quillora::platform::PathFromUtf8(BaseFolder), ec);
}

bool TDirFile::MakeFolder() const
{
    if (!StaysBelowBase() || !BaseFolderExists())
        return false;
    const fs::path folder(quillora::platform::PathFromUtf8(FolderPath()));
    std::error_code ec;
    if (fs::is_directory(folder, ec))
        return true;
    // Parents first; stops at the first level that cannot be made.
    fs::create_directories(folder, ec);
    return !ec && fs::is_directory(folder, ec);
}

// A directory under the file's name is not a file: it cannot be deleted here and blocks the
// name, so it counts as a remaining entry.
bool TDirFile::DeleteIfExists(const std::string& fileName) const
{
    const fs::path file = FileInFolder(FolderPath(), fileName);
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(file, ec);
    if (!fs::exists(status))
        return !ec || ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory;
    if (fs::is_directory(status))
        return false;
    // Through the platform, which removes a read-only file on Windows too; a file removed by
    // someone else meanwhile is gone all the same.
    const std::error_code error = quillora::platform::RemoveFile(file);
    return !error || error == std::errc::no_such_file_or_directory;
}

bool TDirFile::ContainsFile(const std::string& fileName) const
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(FileInFolder(FolderPath(), fileName), ec);
    return fs::exists(status) && !fs::is_directory(status);
}
