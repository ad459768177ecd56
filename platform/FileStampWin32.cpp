// File stamps on Windows: the file's information through a handle opened for no access, which
// shares everything, so that it never stands in the way of a writer or of a deletion.
#include "platform/FileStamp.h"

#include <windows.h>

namespace quillora::platform {
namespace {

std::int64_t Combined(DWORD high, DWORD low) { return (static_cast<std::int64_t>(high) << 32) | low; }

// 100-nanosecond intervals since 1601 to nanoseconds since 1970 (since 1601 they would not fit).
constexpr std::int64_t kIntervalsFrom1601To1970 = 116444736000000000;

std::int64_t Nanoseconds(std::int64_t intervals) { return (intervals - kIntervalsFrom1601To1970) * 100; }

std::int64_t Nanoseconds(const FILETIME& time)
{
    return Nanoseconds(Combined(time.dwHighDateTime, time.dwLowDateTime));
}

} // namespace

std::optional<FileStamp> StampOfFile(const std::filesystem::path& file)
{
    HANDLE handle = CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO times{};
    const bool read = GetFileInformationByHandle(handle, &info) != 0 &&
                      GetFileInformationByHandleEx(handle, FileBasicInfo, &times, sizeof times) != 0;
    CloseHandle(handle);
    if (!read)
        return std::nullopt;
    return FileStamp{Combined(info.nFileSizeHigh, info.nFileSizeLow), Nanoseconds(info.ftLastWriteTime),
                     Nanoseconds(times.ChangeTime.QuadPart), info.dwVolumeSerialNumber,
                     static_cast<std::uint64_t>(Combined(info.nFileIndexHigh, info.nFileIndexLow))};
}

} // namespace quillora::platform
