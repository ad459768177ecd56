#include "imaging/Thumbnails.h"

#include "imaging/ImageError.h"
#include "imaging/ImageFiles.h"
#include "imaging/ImageFormat.h"
#include "imaging/JpegCodec.h"
#include "imaging/Scaling.h"

namespace quillora::imaging {
namespace {

ScaledJpeg readSource(const QString& fileName, int side, bool stretch)
{
    if (formatForReading(fileName) != ImageFormat::Jpeg) {
        QImage image = readImageFile(fileName);
        const QSize size = image.size();
        return {std::move(image), size};
    }
    return readJpegScaled(fileName, [side, stretch](QSize full) {
        return stretch ? QSize(side, side) : fitInside(full, {side, side});
    });
}

} // namespace

QImage thumbnailFromFile(const QString& fileName, int side, bool stretch)
{
    try {
        const ScaledJpeg source = readSource(fileName, side, stretch);
        return makeThumbnail(source.image, side, stretch, source.fullSize);
    } catch (const ImageError& error) {
        if (error.kind() == ImageError::Kind::Open)
            throw;
        return {};
    }
}

} // namespace quillora::imaging
