#include "app/save/ChartFile.h"

#include "app/intake/FolderListing.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace quillora::save {
namespace {

std::string SystemReason(int error) { return std::strerror(error); }

// Removes the temporary file on every path that does not publish it.
class TempFileGuard {
public:
    explicit TempFileGuard(fs::path path) : path_(std::move(path)) { }
    ~TempFileGuard()
    {
        if (!path_.empty()) {
            std::error_code ec;
            fs::remove(path_, ec);
        }
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    void Release() { path_.clear(); }

private:
    fs::path path_;
};

constexpr std::size_t kSuffixLength = 8;
constexpr const char* kTemporaryPrefix = ".~";

// Whether `name` has the form of our temporaries: ".~", a chart name ending in ".pdf", ".",
// eight lower-case letters or digits. A chart's own name never starts with ".~".
bool IsTemporaryName(const std::string& name)
{
    const std::string_view tail = ".pdf.";
    if (name.size() < 2 + tail.size() + kSuffixLength || !name.starts_with(kTemporaryPrefix))
        return false;
    const std::size_t suffix = name.size() - kSuffixLength;
    if (name.compare(suffix - tail.size(), tail.size(), tail) != 0)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(suffix), name.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

std::string RandomSuffix()
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix(kSuffixLength, 'x');
    for (auto& c : suffix)
        c = kDigits[generator() % (sizeof kDigits - 1)];
    return suffix;
}

PublishOutcome Verify(const fs::path& file, std::string_view bytes)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {PublishStatus::VerifyFailed, "the written chart cannot be read back"};
    std::vector<char> chunk(1 << 20);
    std::size_t offset = 0;
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0)
            break;
        if (offset + got > bytes.size() || std::memcmp(chunk.data(), bytes.data() + offset, got) != 0)
            return {PublishStatus::VerifyFailed, "the written chart differs from the composed one"};
        offset += got;
    }
    if (in.bad() || offset != bytes.size())
        return {PublishStatus::VerifyFailed, "the written chart is incomplete"};
    return {};
}

#ifndef _WIN32

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) { }
    ~UniqueFd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the result (a delayed write error can surface here).
    int Close()
    {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

// Creates a new hidden file beside the chart; the mode follows the umask like any new file.
int CreateTemporary(const fs::path& folder, const std::string& chartName, fs::path& path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = folder / intake::ToPath(kTemporaryPrefix + chartName + "." + RandomSuffix());
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

std::string WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return SystemReason(n < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::fsync(fd) != 0)
        return SystemReason(errno);
    // Drops the cached pages, so that the read-back sees what the device holds.
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    return {};
}

void SyncFolder(const fs::path& folder)
{
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

bool Unsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EPERM;
}

// Renames without ever replacing: renameat2 where the file system supports it, else a hard
// link (which fails on an existing name) followed by removing the temporary name. A file
// system with neither is refused (ENOTSUP): any other scheme either could replace a chart
// that appeared meanwhile or would show an empty or partial file under the chart's name.
int RenameNoReplace(const fs::path& from, const fs::path& to)
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

PublishOutcome WriteTemporary(const fs::path& folder, const std::string& chartName, std::string_view bytes,
                              fs::path& temporary)
{
    UniqueFd fd(CreateTemporary(folder, chartName, temporary));
    if (fd.get() < 0) {
        const int error = errno;
        temporary.clear();
        return {PublishStatus::CannotCreate, SystemReason(error)};
    }
    if (auto reason = WriteAll(fd.get(), bytes); !reason.empty())
        return {PublishStatus::WriteFailed, reason};
    if (fd.Close() != 0)
        return {PublishStatus::WriteFailed, SystemReason(errno)};
    return {};
}

PublishOutcome Rename(const fs::path& from, const fs::path& to, bool replaceExisting)
{
    const int rc = replaceExisting ? ::rename(from.c_str(), to.c_str()) : RenameNoReplace(from, to);
    if (rc == 0)
        return {};
    const int error = errno;
    if (!replaceExisting && error == EEXIST)
        return {PublishStatus::AlreadyExists, SystemReason(error)};
    if (!replaceExisting && error == ENOTSUP)
        return {PublishStatus::CannotReplace, kNoExclusiveRename};
    return {PublishStatus::CannotReplace, SystemReason(error)};
}

#else // _WIN32

PublishOutcome WriteTemporary(const fs::path& folder, const std::string& chartName, std::string_view bytes,
                              fs::path& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder / intake::ToPath(kTemporaryPrefix + chartName + "." + RandomSuffix());
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS)
                continue;
            temporary.clear();
            return {PublishStatus::CannotCreate, "the temporary file cannot be created"};
        }
        DWORD written = 0;
        const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size() && FlushFileBuffers(file);
        CloseHandle(file);
        if (!ok)
            return {PublishStatus::WriteFailed, "the chart could not be written"};
        return {};
    }
    temporary.clear();
    return {PublishStatus::CannotCreate, "the temporary file cannot be created"};
}

void SyncFolder(const fs::path&) { }

PublishOutcome Rename(const fs::path& from, const fs::path& to, bool replaceExisting)
{
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
    if (MoveFileExW(from.c_str(), to.c_str(), flags)) {
        SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
        return {};
    }
    const DWORD error = GetLastError();
    if (!replaceExisting && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS))
        return {PublishStatus::AlreadyExists, "the chart exists"};
    return {PublishStatus::CannotReplace, "the chart cannot be replaced"};
}

#endif

} // namespace

int RemoveStaleTemporaries(const fs::path& folder, std::chrono::minutes age)
{
    const auto limit = fs::file_time_type::clock::now() - age;
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code entryError;
        if (!IsTemporaryName(intake::FromPath(it->path().filename())) || !it->is_regular_file(entryError))
            continue;
        const auto written = fs::last_write_time(it->path(), entryError);
        if (!entryError && written < limit && fs::remove(it->path(), entryError))
            ++removed;
    }
    return removed;
}

PublishOutcome PublishChart(const fs::path& folder, const std::string& chartName, std::string_view bytes,
                            bool replaceExisting, const PublishHooks& hooks)
{
    RemoveStaleTemporaries(folder);
    fs::path temporary;
    PublishOutcome outcome = WriteTemporary(folder, chartName, bytes, temporary);
    TempFileGuard guard(temporary);
    if (!outcome.ok())
        return outcome;
    if (hooks.afterWrite)
        hooks.afterWrite(temporary);
    outcome = Verify(temporary, bytes);
    if (!outcome.ok())
        return outcome;
    outcome = Rename(temporary, folder / intake::ToPath(chartName), replaceExisting);
    if (!outcome.ok())
        return outcome;
    guard.Release();
    SyncFolder(folder);
    return outcome;
}

} // namespace quillora::save
