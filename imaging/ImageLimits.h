#pragma once
// Upper bounds on decoded images, checked from the declared size before any pixel memory is
// allocated, so that a hostile or corrupt header cannot exhaust memory.
#include <cstdint>

namespace quillora::imaging {

inline constexpr std::int64_t kMaxImageSide = 20000;
inline constexpr std::int64_t kMaxDecodedBytes = 1'500'000'000; // 1.5 GB
// Files larger than this are not read at all (no page image comes near it).
inline constexpr std::int64_t kMaxFileBytes = kMaxDecodedBytes;

// True when an image of width x height pixels with the given bytes per pixel may be decoded.
inline bool withinImageBounds(std::int64_t width, std::int64_t height, std::int64_t bytesPerPixel)
{
    if (width <= 0 || height <= 0 || bytesPerPixel <= 0)
        return false;
    if (width > kMaxImageSide || height > kMaxImageSide)
        return false;
    return width * height * bytesPerPixel <= kMaxDecodedBytes;
}

} // namespace quillora::imaging
