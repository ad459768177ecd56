#pragma once
// The texts a save forms and checks: patient and serial numbers, the chart file name, and the
// save-log and error-log lines. Strings are UTF-8; paths use the native separator.
#include "app/compose/LocalDateTime.h"
#include "settings/FilingRules.h"
#include "settings/ValueRules.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillora::save {

using settings::kInstitutionCodeError;
using settings::kMaxPatientNumber;
using settings::kMaxSerialNumber;
using settings::kPatientError;
using settings::kSerialError;
using settings::ParseInteger;
using settings::ParsePatientNumber;
using settings::ParseSerialNumber;

inline constexpr const char* kFirstPageError = "最初のページを保存しない指定により、保存ができません。";
inline constexpr const char* kWaitMessage = "少々お待ちください。";
inline constexpr const char* kSavedMessage = "保存しました。";
inline constexpr const char* kNoPageError = "GetPage --the Page is nil";
inline constexpr const char* kPageUnreadable = "画像ファイルを読み込めません。";

// "HP" + code + "_" + patient + "_" + serial [+ "_" + year + "_" + month + "_" + day] + ".pdf",
// numbers in decimal without leading zeros.
std::string ChartFileName(const std::string& institutionCode, std::uint32_t patient, int serial,
                          const std::optional<LocalDateTime>& date);

// "<folder><sep><name>"
std::string ChartPath(const std::string& folder, const std::string& chartName);

// "12345,<folder><sep><name>"
std::string SaveLogLine(std::uint32_t patient, const std::string& folder, const std::string& chartName);

// "<folder><sep><name> OverWrite Error"
std::string ErrorLogLine(const std::string& folder, const std::string& chartName);

} // namespace quillora::save
