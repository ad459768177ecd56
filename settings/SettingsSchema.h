#pragma once
// The one description of the 44 settings: the stored value's name, the field of TRegistory,
// the default and the rule a new value must pass. The store loads, saves and resets by it, the
// command line prints and sets by it, and the settings dialogs check their fields with its
// rules, so that a value accepted in one place is never refused in another. Plain C++.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

class TRegistory;

namespace quillora::settings {

using FieldRef = std::variant<bool TRegistory::*, std::int32_t TRegistory::*, double TRegistory::*,
                              std::string TRegistory::*>;

// Defaults that follow the user's home folder instead of a fixed text.
enum class HomeFolder { Home, Scanner, Archive };
using DefaultValue = std::variant<bool, std::int32_t, double, const char*, HomeFolder>;

// The refusal message for `text` as the new value of a setting, or an empty text. `current`
// holds the other settings, for the rules between two settings.
using Rule = std::string (*)(std::string_view text, const TRegistory& current);

struct SettingSpec {
    const char* name;
    FieldRef field;
    DefaultValue defaultValue;
    Rule rule; // null: any value of the field's type
};

inline constexpr std::size_t kSettingCount = 44;

// In the order in which the store reads and writes the values.
const std::array<SettingSpec, kSettingCount>& SettingsSchema();
const SettingSpec* FindSetting(std::string_view name); // exact name, or null

// Checks a text for a setting: a text setting must survive the store unchanged (code page 932
// round trip), then the setting's own rule applies. Empty when the value may be stored.
std::string CheckSetting(const SettingSpec& spec, std::string_view text, const TRegistory& current);

// Limits of the dialogs and the command line.
inline constexpr int kQualityMin = 50;
inline constexpr int kQualityMax = 100;
inline constexpr std::int32_t kDefaultPageHeight = 1000;
inline constexpr std::int32_t kDefaultPageWidth = 700;
inline constexpr std::int32_t kMinimumPageEdge = 100;
inline constexpr std::size_t kLevelTextMaxBytes = 10; // code page 932 bytes

inline constexpr const char* kBaseFolderError = "ベースフォルダーエラー";
inline constexpr const char* kScannerFolderError = "指定のフォルダーがありません。";
inline constexpr const char* kPageHeightError = "縦:数値エラー";
inline constexpr const char* kPageWidthError = "横:数値エラー";
inline constexpr const char* kPageTooSmallError = "縦か横のサイズが少ないエラー";
inline constexpr const char* kSerialNumberSettingError = "*** 連番 エラー";
inline constexpr const char* kLevelTextEscapeError =
    "フォルダー階層の文字がベースフォルダーの外を指しています（「.」「..」「:」）";
inline constexpr const char* kFoldersOverlapError =
    "スキャナフォルダーとベースフォルダーは、同じフォルダーや一方が他方の中にあるフォルダーにできません";

// "保存できない文字があります：é€" naming the characters that do not survive the store, or an
// empty text when the whole text does.
std::string UnstorableTextError(std::string_view text);

// For texts that are stored as they are but reach the chart in code page 932 (notes, captions,
// bookmark titles): "「?」になる文字があります：é" naming what will not survive, or empty.
std::string LossyTextWarning(std::string_view text);

// Level 1 to 4: the text survives the store, is at most ten bytes ("フォルダー１サイズエラー")
// and cannot lead out of the archive: no "." or ".." path component, no drive or colon
// ("フォルダー１文字エラー：...").
std::string CheckLevelText(int level, std::string_view text);

// The code survives the store and passes IsSafeInstitutionCode (ValueRules.h), else
// kInstitutionCodeError.
std::string CheckInstitutionCode(std::string_view code);

// Whether two folders are the same or one lies inside the other, symbolic links resolved as
// far as the folders exist. Empty folders overlap nothing.
bool FoldersOverlap(std::string_view utf8A, std::string_view utf8B);

// Scanner folder against the archive base folder: kFoldersOverlapError or empty.
std::string CheckScannerAndArchive(std::string_view scannerDir, std::string_view target);

} // namespace quillora::settings
