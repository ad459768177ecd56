// The durable file primitives on POSIX: descriptors, fsync, renameat2 / link.
#include "platform/DurableFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillora::platform {

struct FileHandleAccess {
    static OpenedFile FromResult(int fd)
    {
        OpenedFile opened;
        if (fd < 0)
            opened.error = {errno, std::generic_category()};
        else
            opened.file.native_ = fd;
        return opened;
    }
    static int Fd(const FileHandle& file) { return static_cast<int>(file.native_); }
};

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

int Fd(const FileHandle& file) { return FileHandleAccess::Fd(file); }

bool Unsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EPERM;
}

// Renames without ever replacing: renameat2 where the file system supports it, else a hard
// link (which fails on an existing name) followed by removing the temporary name.
int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (!Unsupported(errno))
        return -1;
#endif
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (Unsupported(errno))
        errno = ENOTSUP;
    return -1;
}

} // namespace

std::error_code FileHandle::WriteAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(Fd(*this), bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return LastError();
        if (n == 0)
            return std::make_error_code(std::errc::no_space_on_device);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

std::error_code FileHandle::ReadSome(char* buffer, std::size_t size, std::size_t& got)
{
    got = 0;
    for (;;) {
        const ssize_t n = ::read(Fd(*this), buffer, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return LastError();
        got = static_cast<std::size_t>(n);
        return {};
    }
}

std::error_code FileHandle::FlushToDevice()
{
    return ::fsync(Fd(*this)) == 0 ? std::error_code() : LastError();
}

void FileHandle::DropCachedPages() { ::posix_fadvise(Fd(*this), 0, 0, POSIX_FADV_DONTNEED); }

std::error_code FileHandle::Close()
{
    if (!IsOpen())
        return {};
    const int rc = ::close(Fd(*this));
    native_ = kClosed;
    return rc == 0 ? std::error_code() : LastError();
}

OpenedFile CreateNewFile(const std::filesystem::path& file, NewFileOptions options)
{
    const mode_t mode = options.ownerOnly ? 0600 : 0666;
    return FileHandleAccess::FromResult(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
}

OpenedFile CreateOrTruncateFile(const std::filesystem::path& file)
{
    return FileHandleAccess::FromResult(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
}

OpenedFile OpenForAppend(const std::filesystem::path& file)
{
    return FileHandleAccess::FromResult(::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
}

// Opened without blocking (a FIFO would wait for a writer), checked on the descriptor itself,
// then switched to ordinary blocking reads.
OpenedFile OpenForReading(const std::filesystem::path& file)
{
    OpenedFile opened =
        FileHandleAccess::FromResult(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!opened.file.IsOpen())
        return opened;
    struct stat status { };
    if (::fstat(Fd(opened.file), &status) != 0)
        return {FileHandle(), LastError()};
    if (!S_ISREG(status.st_mode))
        return {FileHandle(), std::make_error_code(std::errc::invalid_argument)};
    const int flags = ::fcntl(Fd(opened.file), F_GETFL);
    if (flags < 0 || ::fcntl(Fd(opened.file), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return {FileHandle(), LastError()};
    return opened;
}

std::error_code PublishFile(const std::filesystem::path& from, const std::filesystem::path& to,
                            bool replaceExisting)
{
    const int rc = replaceExisting ? ::rename(from.c_str(), to.c_str()) : RenameNoReplace(from, to);
    return rc == 0 ? std::error_code() : LastError();
}

void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

std::error_code RemoveFile(const std::filesystem::path& file)
{
    return ::unlink(file.c_str()) == 0 ? std::error_code() : LastError();
}

bool IsHiddenFile(const std::filesystem::path& file)
{
    const auto name = file.filename().native();
    return !name.empty() && name.front() == '.';
}

} // namespace quillora::platform
