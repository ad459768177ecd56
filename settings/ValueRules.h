#pragma once
// Rules for values typed by the clerk, shared by the settings dialogs, the save and the
// command line so that a value accepted in one place is never refused in another.
// Header-only and free of Qt.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillora::settings {

// The decimal integer in `text`: optional leading blanks, an optional sign, then digits only.
// Anything else (empty, letters, a fraction, a trailing blank, a value beyond 64 bits) is no
// integer.
inline std::optional<std::int64_t> ParseDecimalInteger(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(first);
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-')
            return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The integer in `text` when it lies in [low, high], else nothing.
inline std::optional<std::int64_t> ParseIntegerInRange(std::string_view text, std::int64_t low,
                                                       std::int64_t high)
{
    const auto value = ParseDecimalInteger(text);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

// The medical institution code becomes part of every chart file name ("HP" + code + "_..."),
// so it must not carry a folder separator or a character that file names cannot hold.
// True when every byte of the UTF-8 code may stand inside a file name. Multi-byte UTF-8
// sequences only contain bytes of 0x80 and above, so a byte-wise test cannot mistake part of
// a Japanese character for a separator.
inline bool IsSafeInstitutionCode(std::string_view code)
{
    for (const char c : code) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return false;
        switch (c) {
        case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
            return false;
        default:
            break;
        }
    }
    return true;
}

} // namespace quillora::settings
