#include "app/compose/PageImage.h"

#include "app/compose/ChartComposer.h"
#include "imaging/ImageError.h"
#include "imaging/ImageFiles.h"
#include "imaging/ImageFormat.h"
#include "imaging/JpegCodec.h"
#include "imaging/NativeNames.h"
#include "imaging/Scaling.h"
#include "imaging/TJPEGImage.h"

#include <QString>

namespace quillora {
namespace {

// Only the part of the image that reaches the page: a JPEG is decoded no further than the area
// in crop mode; other formats are decoded whole.
QImage ReadPageBitmap(const QString& file, const PageImageSettings& settings)
{
    using namespace quillora::imaging;
    if (!settings.stretch && formatForReading(file) == ImageFormat::Jpeg)
        return readJpegTopLeft(file, settings.areaWidth, settings.areaHeight);
    return readImageFile(file);
}

QImage FitToArea(const QImage& source, const PageImageSettings& settings)
{
    using namespace quillora::imaging;
    const QSize area(settings.areaWidth, settings.areaHeight);
    if (settings.stretch) {
        const QSize size = fitInside(source.size(), area);
        return scaledNearest(source, size.width(), size.height());
    }
    const QSize size = cropSize(source.size(), area);
    if (size == source.size())
        return source;
    return source.copy(0, 0, size.width(), size.height());
}

} // namespace

int ClampJpegQuality(std::int32_t quality)
{
    if (static_cast<std::uint32_t>(quality) > 100)
        return 100;
    return quality < 50 ? 50 : quality;
}

PageImage PreparePageImage(const std::string& file, const PageImageSettings& settings)
{
    const QString name = imaging::NativeToQString(file);
    QImage pageBitmap;
    try {
        pageBitmap = FitToArea(ReadPageBitmap(name, settings), settings);
    } catch (const imaging::ImageError& error) {
        throw PageImageError(file, error.what());
    }
    if (pageBitmap.isNull())
        throw PageImageError(file, "the image has no pixels that fit the page");

    TJPEGImage encoder;
    encoder.SetQuality(settings.quality);
    encoder.Assign(pageBitmap);
    pageBitmap = QImage(); // only the encoder's copy stays while compressing
    encoder.Compress();
    return {std::make_shared<const std::vector<std::uint8_t>>(encoder.Data()), encoder.Width(),
            encoder.Height()};
}

} // namespace quillora
