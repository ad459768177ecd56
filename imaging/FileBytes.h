#pragma once
// File reads and atomic whole-file writes for the codecs.
#include <QString>
#include <cstdint>
#include <fstream>
#include <vector>

namespace quillora::imaging {

struct OpenedImageFile {
    std::filebuf file;
    std::int64_t size = 0; // when opened
};

// Opens the file for reading. Throws ImageError(Open) naming the file when it is missing, not a
// regular file or cannot be opened, and ImageError(Bounds) when it is larger than kMaxFileBytes.
// `format` only labels messages.
OpenedImageFile openImageFile(const QString& fileName, const char* format);

// Reads the whole file, with the errors of openImageFile and ImageError(Open) for a read error.
std::vector<std::uint8_t> readFileBytes(const QString& fileName, const char* format);

// Writes the bytes to a temporary file beside the target and renames it over the target only when
// complete, so a failed write never leaves a half-written image under the name.
// Throws ImageError(Create) naming the file when it cannot be created or written.
void writeFileBytes(const QString& fileName, const std::vector<std::uint8_t>& bytes, const char* format);

} // namespace quillora::imaging
