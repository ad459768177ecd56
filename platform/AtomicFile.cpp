#include "platform/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace quillora::platform {
namespace {

std::error_code lastError() { return {errno, std::generic_category()}; }

// Owns an open descriptor.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) { }
    ~FileDescriptor() { close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now so that a failing close (delayed write errors) can be reported.
    std::error_code close()
    {
        if (fd_ < 0)
            return {};
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0 ? std::error_code{} : lastError();
    }

private:
    int fd_;
};

std::error_code writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

std::error_code writeAndSync(FileDescriptor& file, std::string_view content)
{
    if (auto ec = writeAll(file.get(), content))
        return ec;
    if (::fsync(file.get()) != 0)
        return lastError();
    return file.close();
}

// Makes the rename itself durable; failure here does not undo the already visible content.
void syncFolder(const std::filesystem::path& folder)
{
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

} // namespace

std::error_code replaceFileAtomically(const std::filesystem::path& target, std::string_view content)
{
    std::string tempName = target.string() + ".XXXXXX";
    FileDescriptor temp(::mkostemp(tempName.data(), O_CLOEXEC));
    if (!temp.valid())
        return lastError();
    std::error_code ec = writeAndSync(temp, content);
    if (!ec && ::rename(tempName.c_str(), target.c_str()) != 0)
        ec = lastError();
    if (ec) {
        temp.close();
        ::unlink(tempName.c_str());
        return ec;
    }
    syncFolder(target.parent_path().empty() ? "." : target.parent_path());
    return {};
}

} // namespace quillora::platform
