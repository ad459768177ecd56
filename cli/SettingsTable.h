#pragma once
// The 44 settings by name (the settings schema), for printing and for setting one value from
// a script with the checks the settings dialogs make.
#include <string>
#include <vector>

class TRegistory;

namespace quillora::cli {

// "Name=value" lines in the order the settings are stored.
std::vector<std::string> FormatSettings(const TRegistory& settings);

struct SettingChange {
    bool ok = false;
    std::string message; // why the value was refused
};

// Loads the stored settings; a notice of the load (a settings file moved aside) goes to
// standard error.
void LoadSettings(TRegistory& settings);

// Checks `value` for the setting `name` and stores it in `settings` when it passes.
SettingChange SetSetting(TRegistory& settings, const std::string& name, const std::string& value);

} // namespace quillora::cli
