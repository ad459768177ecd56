#include "app/save/ChartName.h"

#include <filesystem>

namespace quillora::save {

std::string ChartFileName(const std::string& institutionCode, std::uint32_t patient, int serial,
                          const std::optional<LocalDateTime>& date)
{
    std::string name = "HP" + institutionCode + "_" + std::to_string(patient) + "_" + std::to_string(serial);
    if (date)
        name += "_" + std::to_string(date->year) + "_" + std::to_string(date->month) + "_" +
                std::to_string(date->day);
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
