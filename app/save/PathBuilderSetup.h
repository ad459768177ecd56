#pragma once
// The one way the save and the chart lookup set up the path builder for a patient number:
// the number, the base folder and the eight level texts from the settings.
#include <cstdint>

class TDirFile;
class TRegistory;

namespace quillora::save {

void ConfigurePathBuilder(TDirFile& dirFile, const TRegistory& settings, std::uint32_t patient);

} // namespace quillora::save
