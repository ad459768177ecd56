#pragma once
// The number and folder rules that the save, the chart lookup, the dialogs and the command
// line share: patient and serial numbers as typed, and the set-up of the path builder from
// the settings. Plain C++.
#include <cstdint>
#include <optional>
#include <string_view>

class TDirFile;
class TRegistory;

namespace quillora::settings {

inline constexpr const char* kPatientError = "患者番号エラー";
inline constexpr const char* kSerialError = "連番エラー";

inline constexpr std::uint32_t kMaxPatientNumber = 99999999;
inline constexpr int kMaxSerialNumber = 999;

// A decimal integer within the 32-bit signed range, read by the same rule as the settings
// dialogs: optional leading blanks, an optional sign, digits, nothing after them. Leading
// zeros are allowed ("007" is 7).
std::optional<std::int32_t> ParseInteger(std::string_view text);

std::optional<std::uint32_t> ParsePatientNumber(std::string_view text); // 1..99999999
std::optional<int> ParseSerialNumber(std::string_view text);            // 0..999

// The one way the save and the chart lookup set up the path builder for a patient number:
// the number, the base folder and the eight level texts from the settings.
void ConfigurePathBuilder(TDirFile& dirFile, const TRegistory& settings, std::uint32_t patient);

} // namespace quillora::settings
