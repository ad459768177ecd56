#pragma once
// Replacing a file's whole content so that readers see either the old or the new content,
// never a mixture, even after a crash or on a full disk.
#include "platform/DurableFile.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace quillora::platform {

// Writes `content` to a temporary file beside `target` (by default readable by the owner only
// on POSIX), flushes it to disk and renames it over `target`. On failure the temporary file is
// removed, `target` is unchanged and the error is returned; never throws for file-system
// errors. The folder of `target` must exist.
std::error_code ReplaceFileAtomically(const std::filesystem::path& target, std::string_view content,
                                      NewFileOptions options = {.ownerOnly = true});

} // namespace quillora::platform
