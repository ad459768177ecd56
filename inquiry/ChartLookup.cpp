#include "inquiry/ChartLookup.h"

#include "archive/TDirFile.h"
#include "settings/ExistingFolder.h"
#include "settings/FilingRules.h"

namespace quillora::inquiry {

ChartLookupResult LookUpChartFolder(std::string_view patientNumberText, const TRegistory& settings,
                                    TDirFile& dirFile)
{
    const auto patient = settings::ParsePatientNumber(patientNumberText);
    if (!patient)
        return {settings::kPatientError, {}};
    settings::ConfigurePathBuilder(dirFile, settings, *patient);
    if (!dirFile.StaysBelowBase())
        return {kConnectionError, {}};
    std::string folder = dirFile.FolderPath();
    // A missing folder and an unreachable archive look alike here: neither can be listed.
    if (!settings_ui::IsExistingFolder(folder))
        return {kConnectionError, {}};
    return {{}, std::move(folder)};
}

} // namespace quillora::inquiry
