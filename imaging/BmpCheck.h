#pragma once
// Checks a BMP's headers against the file before Qt decodes it: Qt's handler accepts files whose
// pixel data is missing or whose data offset lies beyond the end and returns a partly empty image.
#include <cstdint>
#include <span>
#include <string>

namespace quillora::imaging {

// Empty when the headers are consistent with the file; otherwise what is wrong. Also applies the
// size limits of ImageLimits.h to the declared dimensions.
std::string bmpLayoutProblem(std::span<const std::uint8_t> data);

} // namespace quillora::imaging
