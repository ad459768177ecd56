#pragma once
// The bare libjpeg work, as the yardstick of the composer and of the thumbnails: decode what a
// chart page needs (the top-left area in crop mode, everything in stretch mode) and encode a
// page of the result's size, or decode a scan at the scale a thumbnail is made from. No
// scaling, no PDF, no window.
#include <string>

namespace quillora::bench {

// Decodes the top-left width x height of a JPEG file, encodes that region at `quality`;
// returns the encoded size in bytes.
std::size_t BareCropPage(const std::string& file, int width, int height, int quality);

// Decodes the whole JPEG file and encodes a width x height part of it at `quality`.
std::size_t BareStretchPage(const std::string& file, int width, int height, int quality);

// Decodes the whole JPEG file at 1/8 scale, as a thumbnail needs it; returns its pixel count.
std::size_t BareEighthDecode(const std::string& file);

} // namespace quillora::bench
