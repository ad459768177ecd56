#include "app/save/ScannerFolderClearing.h"

#include "app/intake/FolderListing.h"
#include "platform/DurableFile.h"
#include "platform/NativePath.h"
#include "platform/UserDirs.h"
#include "settings/TRegistory.h"

#include <algorithm>
#include <set>

namespace fs = std::filesystem;
using quillora::platform::PathFromUtf8;

namespace quillora::save {
namespace {

bool IsBelow(const fs::path& base, const fs::path& path)
{
    return !base.empty() && platform::IsSameOrBelow(path, base);
}

// The names of the listed files that lie in `folder` itself.
std::set<std::string> NamesIn(const fs::path& folder, const std::vector<std::string>& files)
{
    std::set<std::string> names;
    for (const auto& file : files) {
        const fs::path path = PathFromUtf8(file);
        if (platform::ResolvedFolder(path.parent_path()) == folder)
            names.insert(platform::Utf8FromPath(path.filename()));
    }
    return names;
}

std::string NameList(const std::vector<std::string>& names)
{
    std::string text;
    for (const auto& name : names)
        text += "\n" + name;
    return text;
}

} // namespace

std::string ClearingReport(const ClearingResult& result)
{
    std::string report = result.refused ? result.message : std::string();
    const auto add = [&](const char* heading, const std::vector<std::string>& names) {
        if (names.empty())
            return;
        if (!report.empty())
            report += "\n";
        report += heading + NameList(names);
    };
    add(kProtectedFileMessage, result.protectedFiles);
    add(kKeptFilesMessage, result.kept);
    return report;
}

std::string ClearingRefusal(const std::string& scannerDir, const std::string& archiveBase,
                            const fs::path& home)
{
    const std::string refusal = std::string(kClearRefusedMessage) + " " + scannerDir;
    if (scannerDir.empty())
        return refusal;
    const fs::path folder = platform::ResolvedFolder(PathFromUtf8(scannerDir));
    if (folder == folder.root_path() || folder.parent_path() == folder)
        return refusal;
    if (!home.empty() && folder == platform::ResolvedFolder(home))
        return refusal;
    if (!archiveBase.empty()) {
        const fs::path base = platform::ResolvedFolder(PathFromUtf8(archiveBase));
        if (platform::IsSameOrBelow(base, folder) || platform::IsSameOrBelow(folder, base))
            return refusal;
    }
    return {};
}

bool RemoveFile(const fs::path& file) { return !platform::RemoveFile(file); }

ClearingResult ClearScannerFolder(const std::string& scannerDir, const std::string& archiveBase,
                                  SaveQuestions& questions, const FileRemover& remove,
                                  const ClearableFiles& only)
{
    ClearingResult result;
    result.message = ClearingRefusal(scannerDir, archiveBase, platform::HomeDir());
    if (!result.message.empty()) {
        result.refused = true;
        return result;
    }
    const fs::path folder = platform::ResolvedFolder(PathFromUtf8(scannerDir));
    const fs::path base =
        archiveBase.empty() ? fs::path() : platform::ResolvedFolder(PathFromUtf8(archiveBase));
    const std::set<std::string> listed = only ? NamesIn(folder, *only) : std::set<std::string>();
    std::error_code error;
    const auto names = intake::ListPlainFiles(scannerDir, error);
    for (const auto& name : names) {
        const fs::path file = PathFromUtf8(intake::JoinPath(scannerDir, name));
        if (only && !listed.count(name)) {
            result.kept.push_back(name);
            continue;
        }
        // Whatever the settings say, nothing that resolves into the archive is deleted.
        if (IsBelow(base, platform::ResolvedFolder(file))) {
            result.protectedFiles.push_back(name);
            continue;
        }
        if (remove(file)) {
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
                                  const FileRemover& remove, const ClearableFiles& only)
{
    return ClearScannerFolder(settings.ScannerDir, settings.Target, questions, remove, only);
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
