#pragma once
// The chart lookup without a window: from the typed patient number to the patient's folder.
// The number is read and the path builder set up by the save's own functions, so a chart is
// always looked for where the save put it. Never creates a folder.
#include <string>
#include <string_view>

class TDirFile;
class TRegistory;

namespace quillora::inquiry {

inline constexpr const char* kConnectionError = "接続エラー";

struct ChartLookupResult {
    std::string Error;  // empty when the folder exists
    std::string Folder; // the patient's folder when found
};

ChartLookupResult LookUpChartFolder(std::string_view patientNumberText, const TRegistory& settings,
                                    TDirFile& dirFile);

} // namespace quillora::inquiry
