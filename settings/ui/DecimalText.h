#pragma once
// Reading a number typed into an edit field of the settings dialogs. Header-only and free of Qt
// so that the rule is tested without a window.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillora::settings_ui {

// The decimal integer in `text`: optional leading blanks, an optional sign, then digits only.
// Anything else (empty, letters, a fraction, a trailing blank, a value beyond 64 bits) is no
// integer. The save reads the serial number by the same rule, so a default serial number
// accepted here is never refused there.
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

} // namespace quillora::settings_ui
