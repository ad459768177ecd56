#pragma once
// Points XDG_CONFIG_HOME at a folder of the test's own for the lifetime of the object, so that
// each test starts without a settings file.
#include "support/TestEnv.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace quillora::test {

class ScopedConfigHome {
public:
    ScopedConfigHome()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        path_ = TestHome() / "config" / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    }
    ~ScopedConfigHome() { setenv("XDG_CONFIG_HOME", (TestHome() / ".config").c_str(), 1); }
    ScopedConfigHome(const ScopedConfigHome&) = delete;
    ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Makes the configuration folder a place nothing can be written below (works for root).
    std::filesystem::path blockWithRegularFile()
    {
        const auto file = path_ / "not-a-folder";
        std::FILE* f = std::fopen(file.c_str(), "w");
        std::fclose(f);
        const auto blocked = file / "config";
        setenv("XDG_CONFIG_HOME", blocked.c_str(), 1);
        return blocked;
    }

private:
    std::filesystem::path path_;
};

} // namespace quillora::test
