#include "app/intake/IntakePlan.h"

#include "app/intake/FolderListing.h"
#include "platform/NativePath.h"

#include <algorithm>
#include <filesystem>

namespace quillora::intake {
namespace {

bool IsExistingFolder(const std::string& folder)
{
    std::error_code ec;
    return !folder.empty() && std::filesystem::is_directory(platform::PathFromUtf8(folder), ec);
}

std::string FolderPart(const std::string& path)
{
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// Appends the candidates in order; in add mode skips names already listed, counting the
// pages appended by this intake too.
std::vector<std::string> SkipListed(const std::vector<std::string>& candidates,
                                    std::vector<std::string> listed, bool replace)
{
    std::vector<std::string> result;
    if (replace)
        listed.clear();
    for (const auto& file : candidates) {
        if (!replace && IsPageListed(listed, file))
            continue;
        result.push_back(file);
        listed.push_back(file);
    }
    return result;
}

} // namespace

bool IsPageListed(const std::vector<std::string>& listedFiles, const std::string& file)
{
    const auto name = FileNamePart(file);
    return std::any_of(listedFiles.begin(), listedFiles.end(),
                       [&](const std::string& listed) { return FileNamePart(listed) == name; });
}

IntakePlan CheckFolderIntake(const std::string& scannerDir, const FileTypes& types)
{
    if (!IsExistingFolder(scannerDir))
        return {kNoFolderMessage, {}};
    if (BuildFileFilter(types).empty())
        return {kNoFileTypeMessage, {}};
    return {};
}

IntakePlan PlanScannerFolderIntake(const std::string& scannerDir, const FileTypes& types,
                                   const std::vector<std::string>& listedFiles, bool replace)
{
    IntakePlan plan = CheckFolderIntake(scannerDir, types);
    if (!plan.ok())
        return plan;
    std::error_code error;
    const auto names = ListMatchingFiles(scannerDir, FilterPatterns(BuildFileFilter(types)), error);
    if (error)
        return {error.message(), {}};
    std::vector<std::string> candidates;
    candidates.reserve(names.size());
    for (const auto& name : names)
        candidates.push_back(JoinPath(scannerDir, name));
    plan.files = SkipListed(candidates, listedFiles, replace);
    return plan;
}

IntakePlan PlanPickedFiles(const std::string& scannerDir, const std::vector<std::string>& picked,
                           int sequence, const std::vector<std::string>& listedFiles, bool replace)
{
    if (picked.empty())
        return {kNoFilePickedMessage, {}};
    if (FolderPart(picked.front()) != scannerDir)
        return {kOtherFolderMessage, {}};
    // Qt's file dialog lists the picked files in the order the clerk picked them, so
    // "指定順に従う" (0) keeps that list as it comes and any other value reverses it.
    std::vector<std::string> ordered = picked;
    if (sequence != 0)
        std::reverse(ordered.begin(), ordered.end());
    return {{}, SkipListed(ordered, listedFiles, replace)};
}

} // namespace quillora::intake
