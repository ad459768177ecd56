#pragma once
// Environment of a test run: every test process gets its own temporary HOME,
// XDG_CONFIG_HOME and XDG_STATE_HOME so that no test ever reads or writes the real user's files.
#include <filesystem>

namespace quillora::test {

// The temporary home folder of this test process (created by the test main).
std::filesystem::path TestHome();

// The folder `name` (a relative path) below TestHome(), created empty.
std::filesystem::path FreshFolder(const std::filesystem::path& name);

// Points HOME, XDG_CONFIG_HOME and XDG_STATE_HOME at a fresh temporary folder; returns it.
std::filesystem::path IsolateHome();

// Removes the temporary home folder made by IsolateHome().
void RemoveTestHome();

} // namespace quillora::test
