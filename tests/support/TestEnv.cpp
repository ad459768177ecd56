#include "support/TestEnv.h"

#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace quillora::test {
namespace {
std::filesystem::path g_home;
}

std::filesystem::path TestHome() { return g_home; }

std::filesystem::path FreshFolder(const std::filesystem::path& name)
{
    const std::filesystem::path folder = g_home / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

#ifdef _WIN32
// The Windows names of the same folders: %USERPROFILE% and %APPDATA%.
std::filesystem::path IsolateHome()
{
    std::random_device random;
    const auto temp = std::filesystem::temp_directory_path();
    do
        g_home = temp / ("quillora-test-" + std::to_string(random()));
    while (!std::filesystem::create_directory(g_home));
    const auto config = g_home / "AppData";
    std::filesystem::create_directories(config);
    _wputenv_s(L"USERPROFILE", g_home.c_str());
    _wputenv_s(L"APPDATA", config.c_str());
    return g_home;
}
#else
std::filesystem::path IsolateHome()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillora-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary home folder");
    g_home = pattern;
    const auto config = g_home / ".config";
    std::filesystem::create_directories(config);
    setenv("HOME", g_home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const auto state = g_home / ".local" / "state";
    std::filesystem::create_directories(state);
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    return g_home;
}
#endif

void RemoveTestHome()
{
    if (g_home.empty())
        return;
    std::error_code ec;
    std::filesystem::permissions(g_home, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(g_home, ec);
    g_home.clear();
}

} // namespace quillora::test
