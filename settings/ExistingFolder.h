#pragma once
// Whether a UTF-8 path names an existing directory. A path whose attributes cannot be read
// (missing, below a regular file, on an unreachable share) is no directory. Header-only and
// free of Qt; never creates anything.
#include "platform/NativePath.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace quillora::settings_ui {

inline bool IsExistingFolder(std::string_view utf8)
{
    if (utf8.empty())
        return false;
    std::error_code error;
    return std::filesystem::is_directory(platform::PathFromUtf8(utf8), error);
}

} // namespace quillora::settings_ui
