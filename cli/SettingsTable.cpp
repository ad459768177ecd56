#include "cli/SettingsTable.h"

#include "app/intake/FolderListing.h"
#include "app/save/ChartName.h"
#include "platform/Cp932.h"
#include "settings/TRegistory.h"
#include "settings/ValueRules.h"

#include <array>
#include <charconv>
#include <filesystem>
#include <functional>
#include <optional>
#include <variant>

namespace quillora::cli {
namespace {

using save::ParseInteger;

using FieldRef = std::variant<bool TRegistory::*, std::int32_t TRegistory::*, double TRegistory::*,
                              std::string TRegistory::*>;
// Returns an empty text when the value may be stored, else the refusal message.
using Check = std::function<std::string(const std::string&)>;

struct Setting {
    const char* name;
    FieldRef field;
    Check check;
};

std::string NoCheck(const std::string&) { return {}; }

Check IntegerIn(int low, int high, std::string message)
{
    return [=](const std::string& value) {
        const auto number = ParseInteger(value);
        return number && *number >= low && *number <= high ? std::string() : message;
    };
}

Check PageSide(std::string notNumber)
{
    return [=](const std::string& value) {
        const auto number = ParseInteger(value);
        if (!number)
            return notNumber;
        return *number >= 100 ? std::string() : std::string("縦か横のサイズが少ないエラー");
    };
}

Check ExistingFolder(std::string message)
{
    return [=](const std::string& value) {
        std::error_code ec;
        return !value.empty() && std::filesystem::is_directory(intake::ToPath(value), ec) ? std::string()
                                                                                          : message;
    };
}

Check LevelText(int level)
{
    static const char* const kDigits[] = {"１", "２", "３", "４"};
    return [level](const std::string& value) {
        return platform::cp932Length(value) <= 10
            ? std::string()
            : std::string("フォルダー") + kDigits[level - 1] + "サイズエラー";
    };
}

const std::vector<Setting>& Settings()
{
    static const std::vector<Setting> table = {
        {"FolderClear", &TRegistory::FolderClear, NoCheck},
        {"L1Front", &TRegistory::L1Front, LevelText(1)},
        {"L1Back", &TRegistory::L1Back, LevelText(1)},
        {"L2Front", &TRegistory::L2Front, LevelText(2)},
        {"L2Back", &TRegistory::L2Back, LevelText(2)},
        {"L3Front", &TRegistory::L3Front, LevelText(3)},
        {"L3Back", &TRegistory::L3Back, LevelText(3)},
        {"L4Front", &TRegistory::L4Front, LevelText(4)},
        {"L4Back", &TRegistory::L4Back, LevelText(4)},
        {"HPCode", &TRegistory::HPCode,
         [](const std::string& v) {
             return settings::IsSafeInstitutionCode(v) ? std::string() : std::string(save::kInstitutionCodeError);
         }},
        {"WriteInhibit", &TRegistory::WriteInhibit, NoCheck},
        {"WriteDate", &TRegistory::WriteDate, NoCheck},
        {"JpegType", &TRegistory::JpegType, NoCheck},
        {"TiffType", &TRegistory::TiffType, NoCheck},
        {"BitmapType", &TRegistory::BitmapType, NoCheck},
        {"PngType", &TRegistory::PngType, NoCheck},
        {"ScannerDir", &TRegistory::ScannerDir, ExistingFolder("指定のフォルダーがありません。")},
        {"Target", &TRegistory::Target, ExistingFolder("ベースフォルダーエラー")},
        {"FileOpenDir", &TRegistory::FileOpenDir, NoCheck},
        {"PdfPageWidth", &TRegistory::PdfPageWidth, PageSide("横:数値エラー")},
        {"PdfPageHeight", &TRegistory::PdfPageHeight, PageSide("縦:数値エラー")},
        {"Stretch", &TRegistory::Stretch, NoCheck},
        {"FirstPage", &TRegistory::FirstPage, NoCheck},
        {"Sequence", &TRegistory::Sequence, IntegerIn(0, 1, "Sequence must be 0 or 1")},
        {"ImSize", &TRegistory::ImSize, IntegerIn(0, 4, "ImSize must be 0 to 4")},
        {"PrintDensity", &TRegistory::PrintDensity, NoCheck},
        {"PanelDensity", &TRegistory::PanelDensity, NoCheck},
        {"PageWidth", &TRegistory::PageWidth, NoCheck},
        {"PageHeight", &TRegistory::PageHeight, NoCheck},
        {"Quality", &TRegistory::Quality, IntegerIn(50, 100, "Quality must be 50 to 100")},
        {"LogOutFolder", &TRegistory::LogOutFolder, NoCheck},
        {"VolNo", &TRegistory::VolNo, IntegerIn(0, 999, "*** 連番 エラー")},
        {"Tag1", &TRegistory::Tag1, NoCheck},
        {"Tag2", &TRegistory::Tag2, NoCheck},
        {"Tag3", &TRegistory::Tag3, NoCheck},
        {"Tag4", &TRegistory::Tag4, NoCheck},
        {"Tag5", &TRegistory::Tag5, NoCheck},
        {"Tag6", &TRegistory::Tag6, NoCheck},
        {"Tag7", &TRegistory::Tag7, NoCheck},
        {"Tag8", &TRegistory::Tag8, NoCheck},
        {"Tag9", &TRegistory::Tag9, NoCheck},
        {"Tag10", &TRegistory::Tag10, NoCheck},
        {"ShowImage", &TRegistory::ShowImage, NoCheck},
        {"ThumbStrech", &TRegistory::ThumbStrech, NoCheck},
    };
    return table;
}

// The shortest text that reads back as the same value ("600", "76.2").
std::string FormatDouble(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Format(const TRegistory& settings, const FieldRef& field)
{
    return std::visit(
        [&](auto member) -> std::string {
            const auto& value = settings.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, bool>)
                return value ? "1" : "0";
            else if constexpr (std::is_same_v<T, std::int32_t>)
                return std::to_string(value);
            else if constexpr (std::is_same_v<T, double>)
                return FormatDouble(value);
            else
                return value;
        },
        field);
}

std::optional<bool> ParseBool(const std::string& value)
{
    if (value == "1" || value == "true")
        return true;
    if (value == "0" || value == "false")
        return false;
    return std::nullopt;
}

std::optional<double> ParseDouble(const std::string& value)
{
    double result = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), result);
    if (error != std::errc() || end != value.data() + value.size())
        return std::nullopt;
    return result;
}

template <class T>
std::optional<T> Parse(const std::string& value)
{
    if constexpr (std::is_same_v<T, bool>)
        return ParseBool(value);
    else if constexpr (std::is_same_v<T, std::int32_t>)
        return ParseInteger(value);
    else if constexpr (std::is_same_v<T, double>)
        return ParseDouble(value);
    else
        return value;
}

// Stores the text in the field when its type can hold it.
bool Store(TRegistory& settings, const FieldRef& field, const std::string& value)
{
    return std::visit(
        [&](auto member) -> bool {
            auto& target = settings.*member;
            const auto parsed = Parse<std::decay_t<decltype(target)>>(value);
            if (parsed)
                target = *parsed;
            return parsed.has_value();
        },
        field);
}

} // namespace

std::vector<std::string> FormatSettings(const TRegistory& settings)
{
    std::vector<std::string> lines;
    for (const auto& setting : Settings())
        lines.push_back(std::string(setting.name) + "=" + Format(settings, setting.field));
    return lines;
}

SettingChange SetSetting(TRegistory& settings, const std::string& name, const std::string& value)
{
    for (const auto& setting : Settings()) {
        if (name != setting.name)
            continue;
        if (auto refusal = setting.check(value); !refusal.empty())
            return {false, refusal};
        TRegistory changed = settings;
        if (!Store(changed, setting.field, value))
            return {false, "not a valid value for " + name + ": " + value};
        settings = changed;
        return {true, {}};
    }
    return {false, "unknown setting: " + name};
}

} // namespace quillora::cli
