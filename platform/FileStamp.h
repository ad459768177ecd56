#pragma once
// What tells one state of a file from another without reading it, for keeping work done on a
// file (its thumbnail) until the file changes. Besides the size and the modification time it
// holds the file's identity on its device, so that a file replaced by another of the same size
// and modification time (a copy that kept the original's time, a rename over it) still counts
// as changed. FileStamp.cpp holds the POSIX side, FileStampWin32.cpp the Windows one.
#include <cstdint>
#include <filesystem>
#include <optional>

namespace quillora::platform {

struct FileStamp {
    std::int64_t size = 0;
    std::int64_t modified = 0; // modification time, nanoseconds since 1970
    std::int64_t changed = 0;  // when the file's data or status last changed, in the same unit
    std::uint64_t device = 0;  // device (POSIX) or volume serial number (Windows)
    std::uint64_t id = 0;      // inode (POSIX) or file index (Windows)
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file as it is now, following links; none when it cannot be read.
std::optional<FileStamp> StampOfFile(const std::filesystem::path& file);

} // namespace quillora::platform
