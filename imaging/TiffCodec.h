#pragma once
// TIFF decoding and encoding through libtiff, on memory buffers. Decoding takes the first image of
// the file: bilevel images (any compression, G3/G4 included) become Format_Mono with a white/black
// colour table; greyscale images Format_Grayscale8; palette, RGB and every other photometric
// libtiff can convert become Format_RGB32 (Format_RGBA8888 when the file carries alpha).
// libtiff's warnings are discarded and its errors are collected per file into the thrown message.
// Throws ImageError: Kind::Decode for unreadable data, Kind::Bounds for oversized images,
// Kind::Encode when an image cannot be written.
#include <QImage>
#include <QString>
#include <cstdint>
#include <span>
#include <vector>

namespace quillora::imaging {

enum class TiffCompression { None, CcittG3, CcittG4, Lzw, PackBits };

QImage decodeTiff(std::span<const std::uint8_t> data, const QString& fileName);

// Writes each image as one page (directory), in order. CCITT compressions apply to bilevel pages
// only; other pages are then written uncompressed. `fileName` only names the target in errors.
std::vector<std::uint8_t> encodeTiff(std::span<const QImage> pages, TiffCompression compression,
                                     const QString& fileName = {});

} // namespace quillora::imaging
