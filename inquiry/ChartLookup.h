#pragma once
// The chart lookup without a window: from the typed patient number to the patient's folder,
// computed by the path builder configured from the settings exactly as the save does.
// Never creates a folder.
#include <cstdint>
#include <string>
#include <string_view>

class TPathString;
class TRegistory;

namespace quillora::inquiry {

inline constexpr const char* kPatientNumberError = "患者番号エラー";
inline constexpr const char* kConnectionError = "接続エラー";
inline constexpr std::int64_t kLowestPatientNumber = 1;
inline constexpr std::int64_t kHighestPatientNumber = 99999999;

// Sets the number, then the base folder and the eight level texts from the settings, in the
// order the save uses before it asks for a chart's folder.
void ConfigurePathBuilder(TPathString& builder, const TRegistory& settings,
                          std::uint32_t patientNumber);

struct ChartLookupResult {
    std::string Error;  // empty when the folder exists
    std::string Folder; // the patient's folder when found
};

ChartLookupResult LookUpChartFolder(std::string_view patientNumberText,
                                    const TRegistory& settings, TPathString& builder);

} // namespace quillora::inquiry
