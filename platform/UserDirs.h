#pragma once
// The current user's folders, read from the environment on every call so that tests (and the
// user) can redirect them.
#include <filesystem>
#include <string>

namespace quillora::platform {

// $HOME, or the home folder of the user database entry when HOME is unset or empty.
// On Windows: %USERPROFILE%.
std::filesystem::path HomeDir();

// $XDG_CONFIG_HOME when it is set to an absolute path, otherwise HomeDir()/.config.
// On Windows: %APPDATA%.
std::filesystem::path ConfigHome();

// $XDG_STATE_HOME when it is set to an absolute path, otherwise HomeDir()/.local/state.
std::filesystem::path StateHome();

// The root folder of the system drive as UTF-8 text: "/", on Windows "C:\".
std::string SystemRootFolder();

} // namespace quillora::platform
