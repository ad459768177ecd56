#pragma once
// PNG and BMP through Qt's own image handlers (PNG is libpng inside Qt), on memory buffers. Only
// the named handler is tried: the content never selects another format.
// Throws ImageError: Kind::Decode for unreadable data, Kind::Bounds for oversized images,
// Kind::Encode when the handler cannot write the image.
#include <QImage>
#include <QString>
#include <cstdint>
#include <span>
#include <vector>

namespace quillora::imaging {

// `format` is the Qt handler name: "png" or "bmp".
QImage decodeWithQt(std::span<const std::uint8_t> data, const char* format, const QString& fileName);
std::vector<std::uint8_t> encodeWithQt(const QImage& image, const char* format, const QString& fileName);

} // namespace quillora::imaging
