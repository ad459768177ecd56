#pragma once
// Rules for values typed by the clerk, shared by the settings dialogs, the save and the
// command line so that a value accepted in one place is never refused in another.
// Header-only and free of Qt.
#include <charconv>
#include <cstddef>
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

// The one message for a refused medical institution code, in the dialog, the save and the
// command line.
inline constexpr const char* kInstitutionCodeError =
    "医療機関コードエラー：\\ / : * ? \" < > | と制御文字は使えません（200バイトまで）";

// At most this many UTF-8 bytes: the longest chart file name ("HP" + code +
// "_99999999_999_YYYY_MM_DD.pdf") and its temporary name then stay well within the 255 bytes
// (or UTF-16 units) a file name may have.
inline constexpr std::size_t kInstitutionCodeMaxBytes = 200;

// The medical institution code becomes part of every chart file name ("HP" + code + "_..."),
// so it must not carry a folder separator or a character that file names cannot hold, nor be
// too long for a file name. True when every byte of the UTF-8 code may stand inside a file
// name and the code fits. Multi-byte UTF-8
// sequences only contain bytes of 0x80 and above, so a byte-wise test cannot mistake part of
// a Japanese character for a separator.
inline bool IsSafeInstitutionCode(std::string_view code)
{
    if (code.size() > kInstitutionCodeMaxBytes)
        return false;
    for (const char c : code) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return false;
        switch (c) {
        case '\\':
        case '/':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|': return false;
        default: break;
        }
    }
    return true;
}

} // namespace quillora::settings
