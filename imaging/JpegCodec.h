#pragma once
// JPEG decoding and encoding through libjpeg, on memory buffers and files, plus the two fast reads the chart
// composer and the thumbnails use. All functions throw ImageError (never return a broken image):
//   Kind::Open    the file cannot be opened (file-based functions only)
//   Kind::Decode  the data is not a complete JPEG image (corrupt, truncated, empty)
//   Kind::Bounds  the declared size exceeds the limits of ImageLimits.h
//   Kind::Encode  the image to encode is empty or libjpeg refused it
// Decoded images are Format_Grayscale8 for greyscale JPEGs and Format_RGB888 for all others.
// No shared state: every function may run on any thread, concurrently.
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace quillora::imaging {

// Decodes the whole image. `fileName` only names the source in errors.
QImage decodeJpeg(std::span<const std::uint8_t> data, const QString& fileName);

// Decodes only the top-left min(width, W) x min(height, H) pixels: rows below are never decoded and
// columns right of the region are skipped where libjpeg can (jpeg_crop_scanline). The pixels equal
// those of decodeJpeg cropped to the same rectangle.
QImage decodeJpegTopLeft(std::span<const std::uint8_t> data, const QString& fileName, int width, int height);

// A DCT-scaled decode: the smallest scale n/8 (n = 1..8) whose result is still at least the size
// that minimumSize returns for the image's full size (full size when even 8/8 is not). For
// thumbnails, which are never stored; fullSize is the image's real size, which the fit geometry
// must use.
struct ScaledJpeg {
    QImage image;
    QSize fullSize;
};
using MinimumSize = std::function<QSize(QSize fullSize)>;
ScaledJpeg decodeJpegScaled(std::span<const std::uint8_t> data, const QString& fileName,
                            const MinimumSize& minimumSize);
// The same with a fixed minimum size.
ScaledJpeg decodeJpegScaled(std::span<const std::uint8_t> data, const QString& fileName, int minWidth,
                            int minHeight);

// The same three reads from a file, which is read in blocks as the decode goes: a region read
// stops reading where the region ends. A file that cannot be read is Kind::Open.
QImage readJpegFile(const QString& fileName);
QImage readJpegTopLeft(const QString& fileName, int width, int height);
ScaledJpeg readJpegScaled(const QString& fileName, const MinimumSize& minimumSize);
ScaledJpeg readJpegScaled(const QString& fileName, int minWidth, int minHeight);
// The size the file's header declares; reads no further than the header.
QSize readJpegSize(const QString& fileName);

// Encodes with jpeg_set_defaults and jpeg_set_quality(quality, forceBaseline), rows top to bottom.
// A Format_Grayscale8 image gives a one-component JPEG, every other image is converted to 24-bit
// RGB and gives three components. `fileName` only names the target in errors.
std::vector<std::uint8_t> encodeJpeg(const QImage& image, int quality, bool forceBaseline,
                                     const QString& fileName = {});

} // namespace quillora::imaging
