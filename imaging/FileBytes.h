#pragma once
// File reads and atomic whole-file writes for the codecs.
#include "platform/DurableFile.h"

#include <QString>
#include <array>
#include <cstdint>
#include <streambuf>
#include <vector>

namespace quillora::imaging {

// A stream buffer reading a file through the platform's handle. A read error throws
// std::system_error, as the C++ file streams throw theirs.
class FileReadBuffer : public std::streambuf {
public:
    explicit FileReadBuffer(platform::FileHandle file) : file_(std::move(file)) { }
    FileReadBuffer(const FileReadBuffer&) = delete;
    FileReadBuffer& operator=(const FileReadBuffer&) = delete;

protected:
    int_type underflow() override;
    std::streamsize xsgetn(char* into, std::streamsize count) override;

private:
    std::size_t Read(char* into, std::size_t size);

    platform::FileHandle file_;
    std::array<char, 4096> buffer_{};
};

struct OpenedImageFile {
    FileReadBuffer file;
    std::int64_t size = 0; // when opened
};

// Opens the file for reading (never blocking on a FIFO put in its place; on Windows without
// keeping others from deleting it). Throws ImageError(Open) naming the file when it is missing,
// not a regular file or cannot be opened, and ImageError(Bounds) when it is larger than kMaxFileBytes.
// `format` only labels messages.
OpenedImageFile openImageFile(const QString& fileName, const char* format);

// Reads the whole file, with the errors of openImageFile and ImageError(Open) for a read error.
std::vector<std::uint8_t> readFileBytes(const QString& fileName, const char* format);

// Writes the bytes to a temporary file beside the target and renames it over the target only when
// complete, so a failed write never leaves a half-written image under the name.
// Throws ImageError(Create) naming the file when it cannot be created or written.
void writeFileBytes(const QString& fileName, const std::vector<std::uint8_t>& bytes, const char* format);

} // namespace quillora::imaging
