#pragma once
// Upper bounds on what one image may take, checked from the declared size before any pixel
// memory is allocated, so that a hostile or corrupt header cannot exhaust memory. Together they
// keep a save under 1 GB whatever its pages hold: the file's bytes, the decoder's own buffers
// (libjpeg's coefficient arrays, libtiff's strip or tile buffer, Qt's allocations) and the
// decoded pixels are each bounded, and no decoder keeps a second full copy of the pixels.
#include <algorithm>
#include <cstdint>
#include <string>

namespace quillora::imaging {

inline constexpr std::int64_t kMaxImageSide = 20000;
inline constexpr std::int64_t kMaxDecodedBytes = 384LL << 20;       // the pixels of one image
inline constexpr std::int64_t kMaxDecoderBufferBytes = 192LL << 20; // a decoder's own buffers
// The decoded pixels (declared, at four bytes a pixel) that the workers of one task may hold at
// once: room for a few A4 scans side by side, while an image near kMaxDecodedBytes is decoded
// alone, so that running decodes side by side never lifts a save over the bound above.
inline constexpr std::int64_t kWorkerDecodeBudget = 128LL << 20;
// Files larger than this are not read at all (no page image comes near it).
inline constexpr std::int64_t kMaxFileBytes = 256LL << 20;

// True when an image of width x height pixels with the given bytes per pixel may be decoded.
inline bool withinImageBounds(std::int64_t width, std::int64_t height, std::int64_t bytesPerPixel)
{
    if (width <= 0 || height <= 0 || bytesPerPixel <= 0)
        return false;
    if (width > kMaxImageSide || height > kMaxImageSide)
        return false;
    return width * height * bytesPerPixel <= kMaxDecodedBytes;
}

// The detail of a refusal: the declared size and what it would take (any declared size, so
// the product is formed in floating point).
inline std::string boundsDetail(std::int64_t width, std::int64_t height, std::int64_t bytesPerPixel)
{
    const double megabytes = static_cast<double>(width) * static_cast<double>(height) *
                             static_cast<double>(bytesPerPixel) / (1 << 20);
    return std::to_string(width) + " x " + std::to_string(height) + " pixels (" +
           std::to_string(static_cast<long long>(std::min(megabytes, 9.0e15))) +
           " MB), more than an image may take (" + std::to_string(kMaxDecodedBytes >> 20) + " MB, at most " +
           std::to_string(kMaxImageSide) + " pixels a side)";
}

} // namespace quillora::imaging
