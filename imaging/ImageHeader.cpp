#include "imaging/ImageHeader.h"

#include "imaging/FileBytes.h"
#include "imaging/ImageFormat.h"
#include "imaging/JpegCodec.h"
#include "imaging/TiffStream.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>

namespace quillora::imaging {
namespace {

// PNG and BMP headers lie at the start of the file: Qt's readers look at its first bytes only,
// which are read as every image file is.
std::optional<QSize> ReadSizeWithQt(const QString& fileName, const char* format)
{
    constexpr qsizetype kHeaderBytes = 64 * 1024;
    OpenedImageFile opened = openImageFile(fileName, format);
    QByteArray header(std::min<qsizetype>(kHeaderBytes, opened.size), Qt::Uninitialized);
    header.resize(static_cast<qsizetype>(opened.file.sgetn(header.data(), header.size())));
    QBuffer buffer(&header);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    return size;
}

std::optional<QSize> ReadJpegSize(const QString& fileName)
{
    const QSize size = readJpegSize(fileName);
    if (size.isEmpty())
        return std::nullopt;
    return size;
}

// A TIFF's directory may follow the pixel data, so the whole file is read.
std::optional<QSize> ReadTiffSize(const QString& fileName)
{
    const std::vector<std::uint8_t> bytes = readFileBytes(fileName, "TIFF");
    tifflib::MemoryFile file;
    file.input = bytes.data();
    file.inputSize = bytes.size();
    const tifflib::TiffHandle tiff = tifflib::openMemory(file, "r");
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!tiff || TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) != 1 ||
        TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) != 1 || width == 0 || height == 0 ||
        width > static_cast<std::uint32_t>(INT32_MAX) || height > static_cast<std::uint32_t>(INT32_MAX))
        return std::nullopt;
    return QSize(static_cast<int>(width), static_cast<int>(height));
}

} // namespace

std::optional<QSize> ReadImageSize(const QString& fileName)
{
    try {
        switch (formatForReading(fileName)) {
        case ImageFormat::Jpeg: return ReadJpegSize(fileName);
        case ImageFormat::Png: return ReadSizeWithQt(fileName, "png");
        case ImageFormat::Bmp: return ReadSizeWithQt(fileName, "bmp");
        case ImageFormat::Tiff: return ReadTiffSize(fileName);
        case ImageFormat::Unknown: break;
        }
    } catch (...) {
        // An unreadable file has no size to plan with; its decode reports the problem.
    }
    return std::nullopt;
}

std::int64_t DecodedBytesEstimate(const QString& fileName)
{
    const std::optional<QSize> size = ReadImageSize(fileName);
    return size ? std::int64_t{size->width()} * size->height() * 4 : 0;
}

} // namespace quillora::imaging
