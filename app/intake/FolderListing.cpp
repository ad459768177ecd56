#include "app/intake/FolderListing.h"

#include "app/intake/FileFilter.h"
#include "platform/DurableFile.h"
#include "platform/NativePath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace quillora::intake {
namespace {

bool IsPlainFile(const fs::directory_entry& entry)
{
    std::error_code ec;
    return entry.is_regular_file(ec) && !platform::IsHiddenFile(entry.path());
}

} // namespace

bool NameLess(const std::string& a, const std::string& b)
{
    const auto folded = [](unsigned char c) { return std::tolower(c); };
    const auto mismatch = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                       [&](char x, char y) { return folded(x) < folded(y); });
    if (mismatch)
        return true;
    const auto reverse = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                                      [&](char x, char y) { return folded(x) < folded(y); });
    return !reverse && a < b;
}

std::vector<std::string> ListMatchingFiles(const std::string& folder,
                                           const std::vector<std::string>& patterns, std::error_code& error)
{
    error.clear();
    std::vector<std::string> names;
    fs::directory_iterator it(platform::PathFromUtf8(folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        if (!IsPlainFile(*it))
            continue;
        auto utf8 = platform::Utf8FromPath(it->path().filename());
        if (MatchesAnyPattern(utf8, patterns))
            names.push_back(std::move(utf8));
    }
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}

std::vector<std::string> ListPlainFiles(const std::string& folder, std::error_code& error)
{
    return ListMatchingFiles(folder, {"*"}, error);
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    const char separator = static_cast<char>(fs::path::preferred_separator);
    if (folder.empty())
        return name;
    const char last = folder.back();
    if (last == '/' || last == '\\')
        return folder + name;
    return folder + separator + name;
}

std::string FileNamePart(const std::string& path)
{
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace quillora::intake
