#include "app/save/ScannerFolderClearing.h"

#include "app/intake/FolderListing.h"
#include "platform/UserDirs.h"
#include "settings/TRegistory.h"

#include <algorithm>

namespace fs = std::filesystem;
using quillora::intake::ToPath;

namespace quillora::save {
namespace {

fs::path Normalised(const fs::path& path)
{
    std::error_code ec;
    fs::path result = fs::weakly_canonical(fs::absolute(path, ec), ec);
    if (ec)
        result = fs::absolute(path, ec).lexically_normal();
    // "a/b/" and "a/b" name the same folder.
    if (!result.has_filename() && result.has_parent_path() && result != result.root_path())
        result = result.parent_path();
    return result;
}

// Whether `ancestor` is `path` or one of its parents, component by component.
bool IsSameOrAncestor(const fs::path& ancestor, const fs::path& path)
{
    auto a = ancestor.begin();
    auto p = path.begin();
    for (; a != ancestor.end(); ++a, ++p)
        if (p == path.end() || *a != *p)
            return false;
    return true;
}

} // namespace

std::string ClearingRefusal(const std::string& scannerDir, const std::string& archiveBase,
                            const fs::path& home)
{
    const std::string refusal = std::string(kClearRefusedMessage) + " " + scannerDir;
    if (scannerDir.empty())
        return refusal;
    const fs::path folder = Normalised(ToPath(scannerDir));
    if (folder == folder.root_path() || folder.parent_path() == folder)
        return refusal;
    if (!home.empty() && folder == Normalised(home))
        return refusal;
    if (!archiveBase.empty() && IsSameOrAncestor(folder, Normalised(ToPath(archiveBase))))
        return refusal;
    return {};
}

bool RemoveFile(const fs::path& file)
{
    std::error_code ec;
#ifdef _WIN32
    // A read-only file loses that flag first; its other attributes stay.
    const auto perms = fs::status(file, ec).permissions();
    if (!ec && (perms & fs::perms::owner_write) == fs::perms::none)
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, ec);
#endif
    return fs::remove(file, ec) && !ec;
}

ClearingResult ClearScannerFolder(const std::string& scannerDir, const std::string& archiveBase,
                                  SaveQuestions& questions, const FileRemover& remove)
{
    ClearingResult result;
    result.message = ClearingRefusal(scannerDir, archiveBase, platform::homeDir());
    if (!result.message.empty()) {
        result.refused = true;
        return result;
    }
    std::error_code error;
    const auto names = intake::ListPlainFiles(scannerDir, error);
    for (const auto& name : names) {
        if (remove(ToPath(intake::JoinPath(scannerDir, name)))) {
            ++result.deleted;
            continue;
        }
        ++result.failed;
        if (questions.NotDelete(name) == DeleteChoice::Stop) {
            result.stopped = true;
            break;
        }
    }
    return result;
}

ClearingResult ClearScannerFolder(const TRegistory& settings, SaveQuestions& questions,
                                  const FileRemover& remove)
{
    return ClearScannerFolder(settings.ScannerDir, settings.Target, questions, remove);
}

ClearCommandResult ScanFolderClearCommand(const TRegistory& settings, SaveQuestions& questions,
                                          const FileRemover& remove)
{
    ClearCommandResult result;
    result.confirmed = questions.ConfirmClearFolder(settings.ScannerDir);
    if (result.confirmed)
        result.clearing = ClearScannerFolder(settings, questions, remove);
    return result;
}

} // namespace quillora::save
