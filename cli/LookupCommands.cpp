#include "cli/Commands.h"

#include "app/intake/FolderListing.h"
#include "archive/TDirFile.h"
#include "cli/ExitStatus.h"
#include "cli/SettingsTable.h"
#include "platform/NativePath.h"
#include "settings/FilingRules.h"
#include "settings/SettingsSchema.h"
#include "settings/TRegistory.h"

#include <filesystem>
#include <iostream>

namespace quillora::cli {
namespace {

// The patient folder of the one number in `words`, or an exit status when there is none.
int PatientFolder(const std::vector<std::string>& words, const char* command, std::string& folder)
{
    if (words.size() != 1) {
        std::cerr << command << " needs one patient number\n(see quillora-cli --help)\n";
        return kExitUsage;
    }
    const auto patient = settings::ParsePatientNumber(words[0]);
    if (!patient) {
        std::cerr << settings::kPatientError << '\n';
        return kExitPatientNumber;
    }
    TRegistory settings;
    LoadSettings(settings);
    TDirFile dirFile;
    settings::ConfigurePathBuilder(dirFile, settings, *patient);
    // Level texts stored by hand may still lead out of the archive: such a folder is not its.
    if (!dirFile.StaysBelowBase()) {
        std::cerr << settings::kLevelTextEscapeError << '\n';
        return kExitFolderNotMade;
    }
    folder = dirFile.FolderPath();
    return kExitOk;
}

} // namespace

int RunPath(const std::vector<std::string>& words)
{
    std::string folder;
    if (const int status = PatientFolder(words, "path", folder); status != kExitOk)
        return status;
    std::cout << folder << '\n';
    return kExitOk;
}

int RunLookup(const std::vector<std::string>& words)
{
    std::string folder;
    if (const int status = PatientFolder(words, "lookup", folder); status != kExitOk)
        return status;
    std::error_code ec;
    if (!std::filesystem::is_directory(platform::PathFromUtf8(folder), ec)) {
        std::cerr << "接続エラー\n";
        return kExitLookup;
    }
    std::cout << folder << '\n';
    for (const auto& name : intake::ListPlainFiles(folder, ec))
        std::cout << name << '\n';
    return kExitOk;
}

int RunSettings(const std::vector<std::string>& words)
{
    TRegistory settings;
    LoadSettings(settings);
    if (words.empty()) {
        for (const auto& line : FormatSettings(settings))
            std::cout << line << '\n';
        return kExitOk;
    }
    if (words.size() != 3 || words[0] != "set") {
        std::cerr << "use: quillora-cli settings [set NAME VALUE]\n";
        return kExitUsage;
    }
    const auto change = SetSetting(settings, words[1], words[2]);
    if (!change.ok) {
        std::cerr << change.message << '\n';
        return kExitSettingRefused;
    }
    if (const auto saved = settings.Save(); !saved.ok) {
        std::cerr << saved.message << '\n';
        return kExitSettingsNotSaved;
    }
    return kExitOk;
}

} // namespace quillora::cli
