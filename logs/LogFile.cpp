#include "logs/LogFile.h"

#include "platform/Cp932.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

namespace quillora {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string systemReason(int error) { return std::generic_category().message(error); }

// Opens an existing file for writing at its end. "r+" never creates a file, which is the
// point: appending to a file that is not there is an error, not a new file.
FileHandle openExistingForAppend(const std::filesystem::path& path, int& error)
{
    errno = 0;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = EISDIR;
        return nullptr;
    }
#ifdef _WIN32
    FileHandle file(_wfopen(path.c_str(), L"r+b"));
#else
    FileHandle file(std::fopen(path.c_str(), "r+b"));
#endif
    if (!file) {
        error = errno;
        return nullptr;
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        error = errno;
        return nullptr;
    }
    return file;
}

} // namespace

LogFileOutcome appendLinesToFile(const std::filesystem::path& path, const std::vector<std::string>& lines)
{
    int error = 0;
    FileHandle file = openExistingForAppend(path, error);
    if (!file)
        return {LogFileStatus::CannotOpen, systemReason(error)};

    for (const std::string& line : lines) {
        std::string bytes = platform::toCp932(line);
        bytes += "\r\n";
        if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
            return {LogFileStatus::WriteFailed, systemReason(errno)};
    }
    // Buffered bytes reach the file only here; a full disk shows up at this point.
    if (std::fflush(file.get()) != 0)
        return {LogFileStatus::WriteFailed, systemReason(errno)};
    const int closed = std::fclose(file.release());
    if (closed != 0)
        return {LogFileStatus::WriteFailed, systemReason(errno)};
    return {};
}

} // namespace quillora
