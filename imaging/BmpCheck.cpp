#include "imaging/BmpCheck.h"

#include "imaging/ImageLimits.h"

#include <cstdlib>

namespace quillora::imaging {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12; // OS/2 BITMAPCOREHEADER
constexpr std::uint32_t kInfoHeaderSize = 40; // BITMAPINFOHEADER and its successors
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;

std::uint32_t little16(std::span<const std::uint8_t> d, std::size_t at) { return d[at] | (d[at + 1] << 8); }

std::uint32_t little32(std::span<const std::uint8_t> d, std::size_t at)
{
    return little16(d, at) | (little16(d, at + 2) << 16);
}

struct Dimensions {
    std::int64_t width;
    std::int64_t height; // negative for top-down bitmaps
    std::uint32_t bitCount;
    std::uint32_t compression;
};

} // namespace

std::string bmpLayoutProblem(std::span<const std::uint8_t> data)
{
    if (data.size() < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M')
        return "not a BMP file";
    const std::uint32_t dataOffset = little32(data, 10);
    const std::uint32_t headerSize = little32(data, 14);
    if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize)
        return "unknown header size";
    if (data.size() < kFileHeaderSize + headerSize)
        return "the header is cut off";

    Dimensions dim{};
    if (headerSize == kCoreHeaderSize) {
        dim = {little16(data, 18), little16(data, 20), little16(data, 24), kUncompressed};
    } else {
        dim = {static_cast<std::int32_t>(little32(data, 18)), static_cast<std::int32_t>(little32(data, 22)),
               little16(data, 28), little32(data, 30)};
    }
    const std::int64_t rows = std::llabs(dim.height);
    if (!withinImageBounds(dim.width, rows, 4))
        return boundsDetail(dim.width, rows, 4);
    if (dataOffset > data.size())
        return "pixel data offset beyond the end of the file";
    const bool packed = dim.compression == kUncompressed || dim.compression == kBitFields ||
                        dim.compression == kAlphaBitFields;
    if (packed) {
        const std::int64_t rowBytes = (dim.width * dim.bitCount + 31) / 32 * 4;
        if (dim.bitCount == 0 || rowBytes * rows > static_cast<std::int64_t>(data.size() - dataOffset))
            return "the pixel data is shorter than the header declares";
    }
    return {};
}

} // namespace quillora::imaging
