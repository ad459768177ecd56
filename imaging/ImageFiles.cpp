#include "imaging/ImageFiles.h"

#include "imaging/BmpCheck.h"
#include "imaging/FileBytes.h"
#include "imaging/ImageError.h"
#include "imaging/ImageFormat.h"
#include "imaging/JpegCodec.h"
#include "imaging/QtCodec.h"
#include "imaging/TiffCodec.h"

namespace quillora::imaging {
namespace {

// JPEG files written by the library use libjpeg's default quality.
constexpr int kDefaultJpegQuality = 75;

QImage decodeBmp(std::span<const std::uint8_t> bytes, const QString& fileName)
{
    if (const std::string problem = bmpLayoutProblem(bytes); !problem.empty())
        throw ImageError(ImageError::Kind::Decode, fileName.toStdString(), "BMP", problem);
    return decodeWithQt(bytes, "bmp", fileName);
}

} // namespace

QImage readImageFile(const QString& fileName)
{
    const ImageFormat format = formatForReading(fileName);
    if (format == ImageFormat::Unknown)
        throw ImageError(ImageError::Kind::Decode, fileName.toStdString(), formatName(format),
                         "unsupported file extension");
    if (format == ImageFormat::Jpeg)
        return readJpegFile(fileName); // read as it decodes, never held whole
    return decodeImageBytes(readFileBytes(fileName, formatName(format)), fileName);
}

QImage decodeImageBytes(std::span<const std::uint8_t> bytes, const QString& fileName)
{
    const ImageFormat format = formatForReading(fileName);
    switch (format) {
    case ImageFormat::Jpeg: return decodeJpeg(bytes, fileName);
    case ImageFormat::Tiff: return decodeTiff(bytes, fileName);
    case ImageFormat::Bmp: return decodeBmp(bytes, fileName);
    case ImageFormat::Png: return decodeWithQt(bytes, "png", fileName);
    case ImageFormat::Unknown: break;
    }
    throw ImageError(ImageError::Kind::Decode, fileName.toStdString(), formatName(format),
                     "unsupported file extension");
}

void writeImageFile(const QImage& image, const QString& fileName)
{
    const ImageFormat format = formatForWriting(fileName);
    std::vector<std::uint8_t> bytes;
    switch (format) {
    case ImageFormat::Jpeg: bytes = encodeJpeg(image, kDefaultJpegQuality, false, fileName); break;
    case ImageFormat::Tiff: bytes = encodeTiff({&image, 1}, TiffCompression::None, fileName); break;
    case ImageFormat::Bmp: bytes = encodeWithQt(image, "bmp", fileName); break;
    case ImageFormat::Png: bytes = encodeWithQt(image, "png", fileName); break;
    case ImageFormat::Unknown:
        throw ImageError(ImageError::Kind::Encode, fileName.toStdString(), formatName(format),
                         "unsupported file extension");
    }
    writeFileBytes(fileName, bytes, formatName(format));
}

} // namespace quillora::imaging
