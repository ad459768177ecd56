#include "imaging/JpegCodec.h"

#include "imaging/FileBytes.h"
#include "imaging/ImageError.h"
#include "imaging/ImageLimits.h"
#include "imaging/JpegLib.h"

#include <algorithm>
#include <cstdlib>

namespace quillora::imaging {
namespace {

constexpr const char* kFormat = "JPEG";

[[noreturn]] void failDecode(const QString& fileName, const std::string& detail)
{
    throw ImageError(ImageError::Kind::Decode, fileName.toStdString(), kFormat, detail);
}

// Adobe CMYK JPEGs store inverted ink values; others store plain ink.
void cmykRowToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const int ink = inverted ? cmyk[c] : 255 - cmyk[c];
            rgb[c] = static_cast<std::uint8_t>(ink * k / 255);
        }
    }
}

// One decode of one buffer or file: header first, then an optional scale and region.
class JpegReader {
public:
    JpegReader(std::span<const std::uint8_t> data, const QString& fileName) : fileName_(fileName)
    {
        if (!jpeglib::openAndReadHeader(d_, data.data(), data.size(),
                                        static_cast<long>(kMaxDecoderBufferBytes)))
            fail();
        checkHeader();
    }

    // Reads from the file as the decode goes; the source must outlive the reader.
    JpegReader(jpeglib::FileSource& source, const QString& fileName) : fileName_(fileName), source_(&source)
    {
        if (!jpeglib::openFileAndReadHeader(d_, source, static_cast<long>(kMaxDecoderBufferBytes)))
            fail();
        checkHeader();
    }

    int width() const { return static_cast<int>(d_.info.image_width); }
    int height() const { return static_cast<int>(d_.info.image_height); }

    // Decodes the top-left maxWidth x maxHeight pixels of the image scaled by scaleNum/8.
    QImage read(unsigned scaleNum, int maxWidth, int maxHeight)
    {
        chooseOutput(scaleNum);
        if (!jpeglib::startDecompress(d_))
            fail();
        const int fullWidth = static_cast<int>(d_.info.output_width);
        const int keepWidth = std::min(maxWidth, fullWidth);
        const int keepHeight = std::min(maxHeight, static_cast<int>(d_.info.output_height));
        if (keepWidth <= 0 || keepHeight <= 0)
            failDecode(fileName_, "empty region");
        if (keepWidth + 4 < fullWidth)
            cropTo(keepWidth);

        QImage image = makeTarget(keepWidth, keepHeight);
        if (image.isNull())
            throw ImageError(ImageError::Kind::Bounds, fileName_.toStdString(), kFormat, "out of memory");
        readRows(image);
        const bool wholeImage =
            keepHeight == static_cast<int>(d_.info.output_height) && keepWidth == fullWidth;
        if (wholeImage && !jpeglib::finishDecompress(d_))
            fail();
        if (d_.error.truncated)
            failDecode(fileName_, "the data ends before the image does");
        return image;
    }

private:
    // A libjpeg error: a file that could not be read is reported as such, anything else as data
    // that does not decode.
    [[noreturn]] void fail() const
    {
        if (source_ && source_->readFailed)
            throw ImageError(ImageError::Kind::Open, fileName_.toStdString(), kFormat, "read error");
        failDecode(fileName_, d_.error.message);
    }

    void checkHeader()
    {
        const bool grey = d_.info.jpeg_color_space == JCS_GRAYSCALE;
        if (!withinImageBounds(d_.info.image_width, d_.info.image_height, grey ? 1 : 4))
            throw ImageError(ImageError::Kind::Bounds, fileName_.toStdString(), kFormat,
                             boundsDetail(d_.info.image_width, d_.info.image_height, grey ? 1 : 4));
        checkCoefficientBuffer();
    }

    // A progressive or multi-scan image keeps every coefficient of the whole image (two bytes
    // each) until its last scan; a tiny file can declare gigabytes of them.
    void checkCoefficientBuffer()
    {
        bool multiple = false;
        if (!jpeglib::hasMultipleScans(d_, multiple))
            fail();
        if (!multiple)
            return;
        int maxH = 1, maxV = 1;
        for (int c = 0; c < d_.info.num_components; ++c) {
            maxH = std::max(maxH, d_.info.comp_info[c].h_samp_factor);
            maxV = std::max(maxV, d_.info.comp_info[c].v_samp_factor);
        }
        std::int64_t bytes = 0;
        for (int c = 0; c < d_.info.num_components; ++c) {
            const auto& comp = d_.info.comp_info[c];
            const std::int64_t mcuCols = (std::int64_t{d_.info.image_width} + 8 * maxH - 1) / (8 * maxH);
            const std::int64_t mcuRows = (std::int64_t{d_.info.image_height} + 8 * maxV - 1) / (8 * maxV);
            bytes += mcuCols * comp.h_samp_factor * mcuRows * comp.v_samp_factor * DCTSIZE2 * 2;
        }
        if (bytes > kMaxDecoderBufferBytes)
            throw ImageError(
                ImageError::Kind::Bounds, fileName_.toStdString(), kFormat,
                std::to_string(d_.info.image_width) + " x " + std::to_string(d_.info.image_height) +
                    " pixels, progressive: its coefficients need " + std::to_string(bytes >> 20) +
                    " MB, more than " + std::to_string(kMaxDecoderBufferBytes >> 20) + " MB");
    }

    bool grey() const { return d_.info.out_color_space == JCS_GRAYSCALE; }
    bool cmyk() const { return d_.info.out_color_space == JCS_CMYK; }

    void chooseOutput(unsigned scaleNum)
    {
        switch (d_.info.jpeg_color_space) {
        case JCS_GRAYSCALE: d_.info.out_color_space = JCS_GRAYSCALE; break;
        case JCS_CMYK:
        case JCS_YCCK: d_.info.out_color_space = JCS_CMYK; break;
        default: d_.info.out_color_space = JCS_RGB; break;
        }
        d_.info.scale_num = scaleNum;
        d_.info.scale_denom = 8;
    }

    // Upsampled chroma at the crop's right edge would be treated as the image edge; decoding a few
    // more columns keeps every kept pixel equal to a full decode's.
    void cropTo(int keepWidth)
    {
        constexpr JDIMENSION kEdgeMargin = 4;
        JDIMENSION xoffset = 0;
        JDIMENSION width = std::min(static_cast<JDIMENSION>(keepWidth) + kEdgeMargin, d_.info.output_width);
        if (!jpeglib::cropColumns(d_, &xoffset, &width))
            fail();
    }

    // The image the rows are decoded into. Its rows have room for a whole decoded row, which a
    // crop widens to whole blocks, so libjpeg writes straight into it; CMYK rows are converted
    // from a row buffer instead.
    QImage makeTarget(int width, int height) const
    {
        const QImage::Format format = grey() ? QImage::Format_Grayscale8 : QImage::Format_RGB888;
        if (cmyk())
            return QImage(width, height, format);
        const auto rowBytes = static_cast<qsizetype>(d_.info.output_width) * d_.info.output_components;
        const qsizetype stride = (rowBytes + 3) / 4 * 4;
        auto* pixels = static_cast<uchar*>(std::malloc(static_cast<std::size_t>(stride) * height));
        if (!pixels)
            return {};
        return QImage(
            pixels, width, height, stride, format, [](void* block) { std::free(block); }, pixels);
    }

    void readRows(QImage& image)
    {
        if (!cmyk()) {
            for (int y = 0; y < image.height(); ++y)
                if (!jpeglib::readRow(d_, image.scanLine(y)))
                    fail();
            return;
        }
        std::vector<std::uint8_t> row(std::size_t{d_.info.output_width} * d_.info.output_components);
        for (int y = 0; y < image.height(); ++y) {
            if (!jpeglib::readRow(d_, row.data()))
                fail();
            cmykRowToRgb(row.data(), image.scanLine(y), image.width(), d_.info.saw_Adobe_marker);
        }
    }

    QString fileName_;
    jpeglib::FileSource* source_ = nullptr;
    jpeglib::Decompressor d_;
};

unsigned scaleNumeratorFor(int width, int height, int minWidth, int minHeight)
{
    for (unsigned n = 1; n < 8; ++n) {
        const long long scaledW = (static_cast<long long>(width) * n + 7) / 8;
        const long long scaledH = (static_cast<long long>(height) * n + 7) / 8;
        if (scaledW >= minWidth && scaledH >= minHeight)
            return n;
    }
    return 8;
}

QImage ReadWhole(JpegReader& reader) { return reader.read(8, reader.width(), reader.height()); }

ScaledJpeg ReadScaled(JpegReader& reader, const MinimumSize& minimumSize)
{
    const QSize full(reader.width(), reader.height());
    const QSize minimum = minimumSize(full);
    const unsigned n = scaleNumeratorFor(full.width(), full.height(), minimum.width(), minimum.height());
    return {reader.read(n, full.width(), full.height()), full};
}

MinimumSize FixedMinimum(int minWidth, int minHeight)
{
    return [=](QSize) { return QSize(minWidth, minHeight); };
}

// The file is read as the decode asks for it, not first as a whole.
template <typename Decode> auto ReadFromFile(const QString& fileName, Decode decode)
{
    OpenedImageFile opened = openImageFile(fileName, kFormat);
    jpeglib::FileSource source(opened.file);
    JpegReader reader(source, fileName);
    return decode(reader);
}

} // namespace

QImage decodeJpeg(std::span<const std::uint8_t> data, const QString& fileName)
{
    JpegReader reader(data, fileName);
    return ReadWhole(reader);
}

QImage decodeJpegTopLeft(std::span<const std::uint8_t> data, const QString& fileName, int width, int height)
{
    JpegReader reader(data, fileName);
    return reader.read(8, width, height);
}

ScaledJpeg decodeJpegScaled(std::span<const std::uint8_t> data, const QString& fileName,
                            const MinimumSize& minimumSize)
{
    JpegReader reader(data, fileName);
    return ReadScaled(reader, minimumSize);
}

ScaledJpeg decodeJpegScaled(std::span<const std::uint8_t> data, const QString& fileName, int minWidth,
                            int minHeight)
{
    return decodeJpegScaled(data, fileName, FixedMinimum(minWidth, minHeight));
}

QImage readJpegFile(const QString& fileName) { return ReadFromFile(fileName, ReadWhole); }

QSize readJpegSize(const QString& fileName)
{
    OpenedImageFile opened = openImageFile(fileName, kFormat);
    jpeglib::FileSource source(opened.file);
    jpeglib::Decompressor decompressor;
    if (!jpeglib::openFileAndReadHeader(decompressor, source, static_cast<long>(kMaxDecoderBufferBytes)))
        failDecode(fileName, decompressor.error.message);
    return {static_cast<int>(decompressor.info.image_width),
            static_cast<int>(decompressor.info.image_height)};
}

QImage readJpegTopLeft(const QString& fileName, int width, int height)
{
    return ReadFromFile(fileName, [=](JpegReader& reader) { return reader.read(8, width, height); });
}

ScaledJpeg readJpegScaled(const QString& fileName, const MinimumSize& minimumSize)
{
    return ReadFromFile(fileName, [&](JpegReader& reader) { return ReadScaled(reader, minimumSize); });
}

ScaledJpeg readJpegScaled(const QString& fileName, int minWidth, int minHeight)
{
    return readJpegScaled(fileName, FixedMinimum(minWidth, minHeight));
}

std::vector<std::uint8_t> encodeJpeg(const QImage& image, int quality, bool forceBaseline,
                                     const QString& fileName)
{
    if (image.isNull())
        throw ImageError(ImageError::Kind::Encode, fileName.toStdString(), kFormat, "no image");
    const QImage pixels =
        image.format() == QImage::Format_Grayscale8 ? image : image.convertToFormat(QImage::Format_RGB888);
    jpeglib::Compressor compressor;
    const jpeglib::EncodeSource source{pixels.constBits(),
                                       static_cast<std::size_t>(pixels.bytesPerLine()),
                                       static_cast<JDIMENSION>(pixels.width()),
                                       static_cast<JDIMENSION>(pixels.height()),
                                       pixels.format() == QImage::Format_Grayscale8 ? 1 : 3,
                                       std::clamp(quality, 1, 100),
                                       forceBaseline};
    if (!jpeglib::compressToMemory(compressor, source))
        throw ImageError(ImageError::Kind::Encode, fileName.toStdString(), kFormat, compressor.error.message);
    return {compressor.buffer, compressor.buffer + compressor.size};
}

} // namespace quillora::imaging
