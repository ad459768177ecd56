#include "cli/SettingsTable.h"

#include "settings/FilingRules.h"
#include "settings/SettingsSchema.h"
#include "settings/TRegistory.h"

#include <charconv>
#include <iostream>
#include <optional>
#include <variant>

namespace quillora::cli {
namespace {

using settings::FieldRef;
using settings::ParseInteger;
using settings::SettingsSchema;

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

template <class T> std::optional<T> Parse(const std::string& value)
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
    for (const auto& setting : SettingsSchema())
        lines.push_back(std::string(setting.name) + "=" + Format(settings, setting.field));
    return lines;
}

void LoadSettings(TRegistory& settings)
{
    if (const auto outcome = settings.Load(); !outcome.ok)
        std::cerr << outcome.message << '\n';
}

SettingChange SetSetting(TRegistory& settings, const std::string& name, const std::string& value)
{
    const auto* setting = settings::FindSetting(name);
    if (!setting)
        return {false, "unknown setting: " + name};
    if (auto refusal = settings::CheckSetting(*setting, value, settings); !refusal.empty())
        return {false, refusal};
    TRegistory changed = settings;
    if (!Store(changed, setting->field, value))
        return {false, "not a valid value for " + name + ": " + value};
    settings = changed;
    return {true, {}};
}

} // namespace quillora::cli
