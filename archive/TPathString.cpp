#include "archive/TPathString.h"

#include "platform/UserDirs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace {

constexpr char kNativeSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

constexpr std::uint32_t kNumberModulus = 100000000;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string WithNativeSeparators(std::string text)
{
    for (char& c : text)
        if (IsSeparator(c))
            c = kNativeSeparator;
    return text;
}

} // namespace

TPathString::TPathString()
    : BaseFolder(quillora::platform::SystemRootFolder()), L1Front("A"), L2Front("B"), L3Front("C"),
      L4Front("D")
{
}

void TPathString::SetNumber(std::uint32_t n) { Number = n % kNumberModulus; }

std::string TPathString::RelativePath() const
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08u", static_cast<unsigned>(Number % kNumberModulus));
    const std::string d(digits);
    std::string path;
    const auto level = [&](const std::string& front, std::size_t first, const std::string& back) {
        path.push_back(kNativeSeparator);
        path.append(front).append(d, first, 2).append(back);
    };
    level(L1Front, 0, L1Back);
    level(L2Front, 2, L2Back);
    level(L3Front, 4, L3Back);
    level(L4Front, 6, L4Back);
    return WithNativeSeparators(std::move(path));
}

std::string TPathString::FolderPath() const { return CollapseBackslashes(BaseFolder + RelativePath()); }

bool TPathString::StaysBelowBase() const
{
    if (BaseFolder.empty())
        return false;
    const std::string relative = RelativePath();
    if (relative.find(':') != std::string::npos)
        return false;
    std::size_t start = 0;
    while (start < relative.size()) {
        const std::size_t end = std::min(relative.find(kNativeSeparator, start), relative.size());
        const std::string_view component(relative.data() + start, end - start);
        if (component == "." || component == "..")
            return false;
        start = end + 1;
    }
    return true;
}

std::string TPathString::CollapseBackslashes(const std::string& s)
{
    // A byte-wise walk is a character-wise one here: in UTF-8 the bytes of a multi-byte
    // character are all above 0x7F, so none of them can be taken for a separator.
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const bool nextIsSeparator = i + 1 < s.size() && IsSeparator(s[i + 1]);
        if (!IsSeparator(s[i]))
            out.push_back(s[i]);
        else if (!nextIsSeparator)
            out.push_back(kNativeSeparator);
    }
    return out;
}
