#include "app/save/ChartName.h"

#include "settings/ValueRules.h"

#include <filesystem>
#include <limits>

namespace quillora::save {

std::optional<std::int32_t> ParseInteger(std::string_view text)
{
    const auto value = settings::ParseIntegerInRange(text, std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max());
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
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
