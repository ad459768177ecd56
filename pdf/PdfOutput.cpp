#include "pdf/PdfOutput.h"

#include "pdf/PdfExceptions.h"

#include <utility>

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

constexpr std::size_t kBufferSize = 1 << 16;

} // namespace

TPdfFileStream::TPdfFileStream(std::filesystem::path path) : path_(std::move(path)) { Open(); }

void TPdfFileStream::Open()
{
    auto opened = quillora::platform::CreateOrTruncateFile(path_);
    if (opened.error)
        Fail("Cannot create file", opened.error);
    file_ = std::move(opened.file);
    buffer_.reserve(kBufferSize);
}

void TPdfFileStream::Fail(const char* what, std::error_code error) const
{
    throw EPdfError(std::string(what) + " \"" + path_.string() + "\". " + error.message());
}

void TPdfFileStream::WriteBuffer()
{
    const std::error_code error = file_.WriteAll(buffer_);
    buffer_.clear();
    if (error)
        Fail("Cannot write file", error);
}

void TPdfFileStream::DoWrite(std::string_view bytes)
{
    if (!file_.IsOpen())
        Fail("Cannot write closed file", std::make_error_code(std::errc::bad_file_descriptor));
    if (buffer_.size() + bytes.size() > kBufferSize)
        WriteBuffer();
    if (bytes.size() >= kBufferSize) {
        if (const std::error_code error = file_.WriteAll(bytes))
            Fail("Cannot write file", error);
        return;
    }
    buffer_.append(bytes);
}

void TPdfFileStream::DoRewind()
{
    // Creating again empties the file, so a second save never leaves the tail of a longer
    // first one.
    if (!file_.IsOpen())
        Fail("Cannot write closed file", std::make_error_code(std::errc::bad_file_descriptor));
    buffer_.clear();
    file_.Close();
    Open();
}

// Pushes the written data to the disk, so a file renamed after Close is complete.
void TPdfFileStream::Close()
{
    if (!file_.IsOpen())
        return;
    std::error_code error = file_.WriteAll(buffer_);
    buffer_.clear();
    if (!error)
        error = file_.FlushToDevice();
    if (const std::error_code closed = file_.Close(); !error)
        error = closed;
    if (error)
        Fail("Cannot write file", error);
}
