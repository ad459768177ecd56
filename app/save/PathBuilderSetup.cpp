#include "app/save/PathBuilderSetup.h"

#include "archive/TDirFile.h"
#include "settings/TRegistory.h"

namespace quillora::save {

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

} // namespace quillora::save
