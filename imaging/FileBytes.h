#pragma once
// Whole-file reads and atomic whole-file writes for the codecs, which work on memory buffers.
#include <QString>
#include <cstdint>
#include <vector>

namespace quillora::imaging {

// Reads the whole file. Throws ImageError(Open) naming the file when it cannot be opened or read,
// and ImageError(Bounds) when it is larger than kMaxFileBytes. `format` only labels messages.
std::vector<std::uint8_t> readFileBytes(const QString& fileName, const char* format);

// Writes the bytes to a temporary file beside the target and renames it over the target only when
// complete, so a failed write never leaves a half-written image under the name.
// Throws ImageError(Create) naming the file when it cannot be created or written.
void writeFileBytes(const QString& fileName, const std::vector<std::uint8_t>& bytes, const char* format);

} // namespace quillora::imaging
