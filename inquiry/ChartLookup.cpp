#include "inquiry/ChartLookup.h"

#include "archive/TPathString.h"
#include "settings/TRegistory.h"
#include "settings/ui/DecimalText.h"
#include "settings/ui/ExistingFolder.h"

namespace quillora::inquiry {

void ConfigurePathBuilder(TPathString& builder, const TRegistory& settings,
                          std::uint32_t patientNumber)
{
    builder.SetNumber(patientNumber);
    builder.BaseFolder = settings.Target;
    builder.L1Front = settings.L1Front;
    builder.L2Front = settings.L2Front;
    builder.L3Front = settings.L3Front;
    builder.L4Front = settings.L4Front;
    builder.L1Back = settings.L1Back;
    builder.L2Back = settings.L2Back;
    builder.L3Back = settings.L3Back;
    builder.L4Back = settings.L4Back;
}

ChartLookupResult LookUpChartFolder(std::string_view patientNumberText,
                                    const TRegistory& settings, TPathString& builder)
{
    const auto number = settings_ui::ParseIntegerInRange(patientNumberText, kLowestPatientNumber,
                                                         kHighestPatientNumber);
    if (!number)
        return {kPatientNumberError, {}};
    ConfigurePathBuilder(builder, settings, static_cast<std::uint32_t>(*number));
    std::string folder = builder.FolderPath();
    // A missing folder and an unreachable archive look alike here: neither can be listed.
    if (!settings_ui::IsExistingFolder(folder))
        return {kConnectionError, {}};
    return {{}, std::move(folder)};
}

} // namespace quillora::inquiry
