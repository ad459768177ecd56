// The durable file primitives on Windows: handles, FlushFileBuffers, MoveFileExW written
// through.
#include "platform/DurableFile.h"

#include <algorithm>
#include <windows.h>

namespace quillora::platform {
namespace {

// Windows errors as errno values, so that callers compare them with std::errc as on POSIX.
std::error_code ErrorFrom(DWORD error)
{
    switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return std::make_error_code(std::errc::file_exists);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return std::make_error_code(std::errc::permission_denied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_NOT_SUPPORTED: return std::make_error_code(std::errc::not_supported);
    case ERROR_NOT_SAME_DEVICE: return std::make_error_code(std::errc::cross_device_link);
    default: return {static_cast<int>(error), std::system_category()};
    }
}

std::error_code LastError() { return ErrorFrom(GetLastError()); }

bool IsFolder(const std::filesystem::path& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

struct FileHandleAccess {
    static OpenedFile FromResult(HANDLE handle, const std::filesystem::path& path)
    {
        OpenedFile opened;
        if (handle == INVALID_HANDLE_VALUE)
            opened.error = IsFolder(path) ? std::make_error_code(std::errc::is_a_directory) : LastError();
        else
            opened.file.native_ = reinterpret_cast<std::intptr_t>(handle);
        return opened;
    }
    static HANDLE Handle(const FileHandle& file) { return reinterpret_cast<HANDLE>(file.native_); }
};

namespace {

HANDLE Handle(const FileHandle& file) { return FileHandleAccess::Handle(file); }

OpenedFile Open(const std::filesystem::path& file, DWORD access, DWORD disposition, DWORD attributes)
{
    // Readers may look at the file meanwhile, as with the C library's files.
    const HANDLE handle = CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      disposition, attributes, nullptr);
    return FileHandleAccess::FromResult(handle, file);
}

} // namespace

std::error_code FileHandle::WriteAll(std::string_view bytes)
{
    constexpr std::size_t kMostPerCall = 1u << 30; // WriteFile counts in a DWORD
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kMostPerCall));
        DWORD written = 0;
        if (!WriteFile(Handle(*this), bytes.data(), chunk, &written, nullptr))
            return LastError();
        if (written == 0)
            return std::make_error_code(std::errc::no_space_on_device);
        bytes.remove_prefix(written);
    }
    return {};
}

std::error_code FileHandle::ReadSome(char* buffer, std::size_t size, std::size_t& got)
{
    constexpr std::size_t kMostPerCall = 1u << 30; // ReadFile counts in a DWORD
    DWORD read = 0;
    got = 0;
    if (!ReadFile(Handle(*this), buffer, static_cast<DWORD>(std::min(size, kMostPerCall)), &read, nullptr))
        return LastError();
    got = read;
    return {};
}

std::error_code FileHandle::FlushToDevice()
{
    return FlushFileBuffers(Handle(*this)) ? std::error_code() : LastError();
}

void FileHandle::DropCachedPages() { }

std::error_code FileHandle::Close()
{
    if (!IsOpen())
        return {};
    const BOOL closed = CloseHandle(Handle(*this));
    native_ = kClosed;
    return closed ? std::error_code() : LastError();
}

OpenedFile CreateNewFile(const std::filesystem::path& file, NewFileOptions options)
{
    return Open(file, GENERIC_WRITE, CREATE_NEW,
                options.hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL);
}

OpenedFile CreateOrTruncateFile(const std::filesystem::path& file)
{
    return Open(file, GENERIC_WRITE, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
}

OpenedFile OpenForAppend(const std::filesystem::path& file)
{
    // Append access alone: every write goes to the current end, as O_APPEND does.
    return Open(file, FILE_APPEND_DATA | SYNCHRONIZE, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
}

OpenedFile OpenForReading(const std::filesystem::path& file)
{
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    OpenedFile opened = FileHandleAccess::FromResult(handle, file);
    if (opened.file.IsOpen() && GetFileType(handle) != FILE_TYPE_DISK)
        return {FileHandle(), std::make_error_code(std::errc::invalid_argument)};
    return opened;
}

std::error_code PublishFile(const std::filesystem::path& from, const std::filesystem::path& to,
                            bool replaceExisting)
{
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!MoveFileExW(from.c_str(), to.c_str(), flags))
        return LastError();
    SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    return {};
}

void SyncFolder(const std::filesystem::path&) { }

std::error_code RemoveFile(const std::filesystem::path& file)
{
    // A read-only file loses that flag first; its other attributes stay. When the deletion
    // fails after all (the file is open elsewhere), the file gets its flag back.
    const DWORD attributes = GetFileAttributesW(file.c_str());
    const bool readOnly =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly)
        SetFileAttributesW(file.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    if (DeleteFileW(file.c_str()))
        return {};
    const std::error_code error = LastError();
    if (readOnly)
        SetFileAttributesW(file.c_str(), attributes);
    return error;
}

bool IsHiddenFile(const std::filesystem::path& file)
{
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

} // namespace quillora::platform
