#include "platform/UserDirs.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace quillora::platform {

std::filesystem::path homeDir()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

std::filesystem::path configHome()
{
    // Relative values are invalid by the XDG rules and are ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return config;
    return homeDir() / ".config";
}

std::filesystem::path stateHome()
{
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return state;
    return homeDir() / ".local" / "state";
}

} // namespace quillora::platform
