#include "imaging/QtCodec.h"

#include "imaging/ImageError.h"
#include "imaging/ImageLimits.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QImageWriter>

namespace quillora::imaging {

QImage decodeWithQt(std::span<const std::uint8_t> data, const char* format, const QString& fileName)
{
    const QString label = QString::fromLatin1(format).toUpper();
    // The bytes are only read; fromRawData avoids a copy of the whole file.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                                     static_cast<qsizetype>(data.size()));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(static_cast<int>(kMaxDecodedBytes / (1024 * 1024)));
    const QSize declared = reader.size();
    if (declared.isValid() && !withinImageBounds(declared.width(), declared.height(), 4))
        throw ImageError(ImageError::Kind::Bounds, fileName.toStdString(), label.toStdString(),
                         boundsDetail(declared.width(), declared.height(), 4));
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw ImageError(ImageError::Kind::Decode, fileName.toStdString(), label.toStdString(),
                         reader.errorString().toStdString());
    return image;
}

std::vector<std::uint8_t> encodeWithQt(const QImage& image, const char* format, const QString& fileName)
{
    const QString label = QString::fromLatin1(format).toUpper();
    if (image.isNull())
        throw ImageError(ImageError::Kind::Encode, fileName.toStdString(), label.toStdString(), "no image");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        throw ImageError(ImageError::Kind::Encode, fileName.toStdString(), label.toStdString(),
                         writer.errorString().toStdString());
    return {bytes.begin(), bytes.end()};
}

} // namespace quillora::imaging
