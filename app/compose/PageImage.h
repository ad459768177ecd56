#pragma once
// The image work of one chart page: read the page image, crop it to the image area or scale it
// to fit, encode it as JPEG. A function of the file and the settings alone, holding one page
// image at a time, so that pages can be prepared on worker threads while the PDF is assembled
// in page order.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillora {

// The image area of a page: the page less the margins of 32 and the frame of 1 on each side.
inline constexpr int kPageImageInset = 66;

struct PageImageSettings {
    int areaWidth = 634;
    int areaHeight = 934;
    bool stretch = false; // true: fit inside the area (aspect kept); false: keep the top-left part
    int quality = 80;     // already brought into 50..100
};

struct PageImage {
    std::shared_ptr<const std::vector<std::uint8_t>> jpeg; // a baseline three-component JPEG file
    int width = 0;
    int height = 0;
};

// The quality the composer encodes with: below 50 becomes 50; above 100, or negative (compared
// unsigned), becomes 100.
int ClampJpegQuality(std::int32_t quality);

// Throws PageImageError (ChartComposer.h) when the file cannot be read or decoded.
PageImage PreparePageImage(const std::string& file, const PageImageSettings& settings);

} // namespace quillora
