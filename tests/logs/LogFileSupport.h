#pragma once
// Files for the log tests, in a fresh folder below the test process's temporary home.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/TestEnv.h"

namespace quillora::test {

inline std::filesystem::path freshFolder(const std::string& name)
{
    const auto folder = TestHome() / "logs" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

inline std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace quillora::test
