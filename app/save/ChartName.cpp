#include "app/save/ChartName.h"

#include <charconv>
#include <filesystem>
#include <limits>

namespace quillora::save {

std::optional<std::int32_t> ParseInteger(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    if (pos == text.size())
        return std::nullopt;
    std::int64_t value = 0;
    const auto digits = text.substr(pos);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.front() == '+'
        || digits.front() == '-')
        return std::nullopt;
    if (negative)
        value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::uint32_t> ParsePatientNumber(std::string_view text)
{
    const auto value = ParseInteger(text);
    if (!value || *value < 1 || static_cast<std::uint32_t>(*value) > kMaxPatientNumber)
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

std::optional<int> ParseSerialNumber(std::string_view text)
{
    const auto value = ParseInteger(text);
    if (!value || *value < 0 || *value > kMaxSerialNumber)
        return std::nullopt;
    return *value;
}

bool IsSafeInstitutionCode(std::string_view code)
{
    for (const char c : code) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return false;
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            return false;
    }
    return true;
}

std::string ChartFileName(const std::string& institutionCode, std::uint32_t patient, int serial,
                          const std::optional<LocalDateTime>& date)
{
    std::string name = "HP" + institutionCode + "_" + std::to_string(patient) + "_" + std::to_string(serial);
    if (date)
        name += "_" + std::to_string(date->year) + "_" + std::to_string(date->month) + "_"
            + std::to_string(date->day);
    return name + ".pdf";
}

std::string ChartPath(const std::string& folder, const std::string& chartName)
{
    return folder + static_cast<char>(std::filesystem::path::preferred_separator) + chartName;
}

std::string SaveLogLine(std::uint32_t patient, const std::string& folder, const std::string& chartName)
{
    return std::to_string(patient) + "," + ChartPath(folder, chartName);
}

std::string ErrorLogLine(const std::string& folder, const std::string& chartName)
{
    return ChartPath(folder, chartName) + " OverWrite Error";
}

} // namespace quillora::save
