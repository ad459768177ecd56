#pragma once
// The pixel size an image file declares, read from its header without decoding the pixels, so
// that the memory a decode will take can be planned before it starts.
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>

namespace quillora::imaging {

// The declared width and height of the file's (first) image, the format chosen by extension as
// for reading. Empty when the format is unknown or the header cannot be read; never throws.
std::optional<QSize> ReadImageSize(const QString& fileName);

// The bytes the decoded image will take at four bytes a pixel; 0 when the size cannot be read
// (such a file fails early when it is decoded).
std::int64_t DecodedBytesEstimate(const QString& fileName);

} // namespace quillora::imaging
