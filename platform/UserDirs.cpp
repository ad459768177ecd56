#include "platform/UserDirs.h"

#include <cstdlib>
#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace quillora::platform {

#ifdef _WIN32
std::filesystem::path HomeDir()
{
    if (const wchar_t* profile = _wgetenv(L"USERPROFILE"); profile && *profile)
        return profile;
    return "C:\\";
}

std::filesystem::path ConfigHome()
{
    if (const wchar_t* appData = _wgetenv(L"APPDATA"); appData && *appData)
        return appData;
    return HomeDir() / "AppData" / "Roaming";
}

std::string SystemRootFolder() { return "C:\\"; }
#else
std::filesystem::path HomeDir()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

std::filesystem::path ConfigHome()
{
    // Relative values are invalid by the XDG rules and are ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return config;
    return HomeDir() / ".config";
}

std::string SystemRootFolder() { return "/"; }
#endif

std::filesystem::path StateHome()
{
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return state;
    return HomeDir() / ".local" / "state";
}

} // namespace quillora::platform
