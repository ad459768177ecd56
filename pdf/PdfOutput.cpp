#include "pdf/PdfOutput.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "pdf/PdfExceptions.h"

void TPdfOutputStream::Write(std::string_view bytes)
{
    DoWrite(bytes);
    position_ += static_cast<std::int64_t>(bytes.size());
}

void TPdfOutputStream::Rewind()
{
    DoRewind();
    position_ = 0;
}

namespace {

std::FILE* OpenForWriting(const std::filesystem::path& path)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

// Pushes the written data to the disk, so a file renamed after Close is complete.
bool SyncToDisk(std::FILE* file)
{
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

} // namespace

TPdfFileStream::TPdfFileStream(std::filesystem::path path) : path_(std::move(path))
{
    file_.reset(OpenForWriting(path_));
    if (!file_)
        Fail("Cannot create file");
}

void TPdfFileStream::Fail(const char* what) const
{
    const int error = errno;
    throw EPdfError(std::string(what) + " \"" + path_.string() + "\". " + std::strerror(error));
}

void TPdfFileStream::DoWrite(std::string_view bytes)
{
    if (!file_)
        Fail("Cannot write closed file");
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size())
        Fail("Cannot write file");
}

void TPdfFileStream::DoRewind()
{
    // Reopening truncates, so a second save never leaves the tail of a longer first one.
    if (!file_)
        Fail("Cannot write closed file");
    file_.reset();
    file_.reset(OpenForWriting(path_));
    if (!file_)
        Fail("Cannot create file");
}

void TPdfFileStream::Close()
{
    if (!file_)
        return;
    const bool flushed = std::fflush(file_.get()) == 0 && SyncToDisk(file_.get());
    const bool closed = std::fclose(file_.release()) == 0;
    if (!flushed || !closed)
        Fail("Cannot write file");
}
