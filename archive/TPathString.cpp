#include "archive/TPathString.h"

#include <cstdio>

namespace {

#ifdef _WIN32
constexpr char kNativeSeparator = '\\';
constexpr const char* kDefaultBaseFolder = "C:\\";
#else
constexpr char kNativeSeparator = '/';
constexpr const char* kDefaultBaseFolder = "/";
#endif

constexpr std::uint32_t kNumberModulus = 100000000;

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// Bytes of the UTF-8 character that starts with `lead` (1 for stray bytes).
std::size_t characterLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

std::string withNativeSeparators(std::string text)
{
    for (char& c : text)
        if (isSeparator(c))
            c = kNativeSeparator;
    return text;
}

} // namespace

TPathString::TPathString()
    : BaseFolder(kDefaultBaseFolder), L1Front("A"), L2Front("B"), L3Front("C"), L4Front("D")
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
    return withNativeSeparators(std::move(path));
}

std::string TPathString::FolderPath() const { return CollapseBackslashes(BaseFolder + RelativePath()); }

std::string TPathString::CollapseBackslashes(const std::string& s)
{
    // Walks whole characters, so a byte inside a multi-byte character is never taken for a
    // separator (in UTF-8 it cannot be one anyway; the walk keeps that guarantee explicit).
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t len = characterLength(static_cast<unsigned char>(s[i]));
        if (len == 1 && isSeparator(s[i])) {
            if (i + 1 >= s.size() || !isSeparator(s[i + 1]))
                out.push_back(kNativeSeparator);
            ++i;
            continue;
        }
        out.append(s, i, len);
        i += len;
    }
    return out;
}
