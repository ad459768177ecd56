#include "inquiry/ChartLookup.h"

#include "app/save/ChartName.h"
#include "app/save/PathBuilderSetup.h"
#include "archive/TDirFile.h"
#include "settings/ui/ExistingFolder.h"

namespace quillora::inquiry {

ChartLookupResult LookUpChartFolder(std::string_view patientNumberText,
                                    const TRegistory& settings, TDirFile& dirFile)
{
    const auto patient = save::ParsePatientNumber(patientNumberText);
    if (!patient)
        return {save::kPatientError, {}};
    save::ConfigurePathBuilder(dirFile, settings, *patient);
    std::string folder = dirFile.FolderPath();
    // A missing folder and an unreachable archive look alike here: neither can be listed.
    if (!settings_ui::IsExistingFolder(folder))
        return {kConnectionError, {}};
    return {{}, std::move(folder)};
}

} // namespace quillora::inquiry
