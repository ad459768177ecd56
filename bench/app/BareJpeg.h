#pragma once
// The bare libjpeg work of one chart page, as the yardstick of the composer: decode what the
// page needs (the top-left area in crop mode, everything in stretch mode) and encode a page of
// the result's size. No scaling, no PDF.
#include <string>

namespace quillora::bench {

// Decodes the top-left width x height of a JPEG file, encodes that region at `quality`;
// returns the encoded size in bytes.
std::size_t BareCropPage(const std::string& file, int width, int height, int quality);

// Decodes the whole JPEG file and encodes a width x height part of it at `quality`.
std::size_t BareStretchPage(const std::string& file, int width, int height, int quality);

} // namespace quillora::bench
