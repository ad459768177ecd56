#include "pdf/PdfOutput.h"

#include <cerrno>
#include <cstring>

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

TPdfFileStream::TPdfFileStream(std::filesystem::path path) : path_(std::move(path))
{
    file_.reset(std::fopen(path_.string().c_str(), "wb"));
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
    // Reopening with "wb" truncates, so a second save never leaves the tail of a longer first one.
    if (!file_)
        Fail("Cannot write closed file");
    std::FILE* reopened = std::freopen(path_.string().c_str(), "wb", file_.release());
    if (!reopened)
        Fail("Cannot create file");
    file_.reset(reopened);
}

void TPdfFileStream::Close()
{
    if (!file_)
        return;
    const bool flushed = std::fflush(file_.get()) == 0;
    const bool closed = std::fclose(file_.release()) == 0;
    if (!flushed || !closed)
        Fail("Cannot write file");
}
