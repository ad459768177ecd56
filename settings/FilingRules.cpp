#include "settings/FilingRules.h"

#include "archive/TDirFile.h"
#include "settings/TRegistory.h"
#include "settings/ValueRules.h"

#include <limits>

namespace quillora::settings {

std::optional<std::int32_t> ParseInteger(std::string_view text)
{
    const auto value = ParseIntegerInRange(text, std::numeric_limits<std::int32_t>::min(),
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

void ConfigurePathBuilder(TDirFile& dirFile, const TRegistory& settings, std::uint32_t patient)
{
    dirFile.SetNumber(patient);
    dirFile.BaseFolder = settings.Target;
    dirFile.L1Front = settings.L1Front;
    dirFile.L2Front = settings.L2Front;
    dirFile.L3Front = settings.L3Front;
    dirFile.L4Front = settings.L4Front;
    dirFile.L1Back = settings.L1Back;
    dirFile.L2Back = settings.L2Back;
    dirFile.L3Back = settings.L3Back;
    dirFile.L4Back = settings.L4Back;
}

} // namespace quillora::settings
