#include "app/intake/FileFilter.h"

#include "settings/TRegistory.h"

#include <cctype>

namespace quillora::intake {
namespace {

char Fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Iterative wildcard match with one backtrack point for the last '*' seen.
bool WildcardMatch(const std::string& name, const std::string& pattern)
{
    std::size_t n = 0, p = 0;
    std::size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace

FileTypes FileTypesOf(const TRegistory& settings)
{
    return {settings.JpegType, settings.TiffType, settings.BitmapType, settings.PngType};
}

std::string BuildFileFilter(const FileTypes& types)
{
    std::string patterns;
    if (types.jpeg)
        patterns += "*.jpg;*.jpeg;";
    if (types.tiff)
        patterns += "*.tif;*.tiff;";
    if (types.bitmap)
        patterns += "*.bmp;";
    if (types.png)
        patterns += "*.png;";
    if (patterns.empty())
        return {};
    return "ファイル形式|" + patterns;
}

std::string BuildFileFilter(const TRegistory& settings) { return BuildFileFilter(FileTypesOf(settings)); }

std::vector<std::string> FilterPatterns(const std::string& filter)
{
    std::vector<std::string> result;
    const auto bar = filter.find('|');
    if (bar == std::string::npos)
        return result;
    std::size_t start = bar + 1;
    while (true) {
        const auto semi = filter.find(';', start);
        result.push_back(filter.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
        if (semi == std::string::npos)
            break;
        start = semi + 1;
    }
    return result;
}

bool MatchesPattern(const std::string& name, const std::string& pattern)
{
    return !pattern.empty() && WildcardMatch(name, pattern);
}

bool MatchesAnyPattern(const std::string& name, const std::vector<std::string>& patterns)
{
    for (const auto& pattern : patterns)
        if (MatchesPattern(name, pattern))
            return true;
    return false;
}

} // namespace quillora::intake
