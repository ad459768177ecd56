// File stamps on POSIX: one stat call.
#include "platform/FileStamp.h"

#include <sys/stat.h>

namespace quillora::platform {
namespace {

std::int64_t Nanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

} // namespace

std::optional<FileStamp> StampOfFile(const std::filesystem::path& file)
{
    struct stat status { };
    if (::stat(file.c_str(), &status) != 0)
        return std::nullopt;
    return FileStamp{static_cast<std::int64_t>(status.st_size), Nanoseconds(status.st_mtim),
                     Nanoseconds(status.st_ctim), static_cast<std::uint64_t>(status.st_dev),
                     static_cast<std::uint64_t>(status.st_ino)};
}

} // namespace quillora::platform
