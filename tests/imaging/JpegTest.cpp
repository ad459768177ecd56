// The page JPEG encoder against cjpeg, and the region and DCT-scaled reads against a full decode.
#include "TestImages.h"
#include "imaging/ImageError.h"
#include "imaging/JpegCodec.h"
#include "imaging/TJPEGImage.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace quillora::imaging;
using namespace quillora::imaging::test;

namespace {

QByteArray toBytes(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QByteArray asPpm(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QByteArray ppm =
        "P6\n" + QByteArray::number(rgb.width()) + " " + QByteArray::number(rgb.height()) + "\n255\n";
    for (int y = 0; y < rgb.height(); ++y)
        ppm.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3);
    return ppm;
}

QByteArray runCjpeg(const QImage& image, int quality)
{
    const QString cjpeg = QStandardPaths::findExecutable("cjpeg");
    if (cjpeg.isEmpty())
        throw std::runtime_error("cjpeg (libjpeg-turbo-progs) is not installed");
    QTemporaryDir dir;
    writeBytes(dir.filePath("in.ppm"), asPpm(image));
    QProcess process;
    process.start(cjpeg, {"-quality", QString::number(quality), dir.filePath("in.ppm")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        throw std::runtime_error("cjpeg failed");
    return process.readAllStandardOutput();
}

// Number of components and whether the frame is baseline (SOF0).
std::pair<int, bool> frameOf(const QByteArray& jpeg)
{
    const qsizetype sof0 = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof0 >= 0)
        return {static_cast<unsigned char>(jpeg[sof0 + 9]), true};
    const qsizetype sof2 = jpeg.indexOf(QByteArray("\xFF\xC2", 2));
    return {sof2 >= 0 ? static_cast<unsigned char>(jpeg[sof2 + 9]) : 0, false};
}

QByteArray encodePage(const QImage& bitmap, int quality)
{
    TJPEGImage jpeg;
    jpeg.SetQuality(quality);
    jpeg.Assign(bitmap);
    jpeg.Compress();
    EXPECT_EQ(jpeg.Width(), bitmap.width());
    EXPECT_EQ(jpeg.Height(), bitmap.height());
    return toBytes(jpeg.Data());
}

class PageEncoder : public ::testing::TestWithParam<std::tuple<int, bool>> { };

TEST_P(PageEncoder, MatchesCjpegByteForByte)
{
    const auto [quality, grey] = GetParam();
    const QImage bitmap = grey ? greyImage(123, 77) : colourImage(123, 77);
    const QByteArray ours = encodePage(bitmap, quality);
    EXPECT_EQ(ours, runCjpeg(bitmap, quality));
    EXPECT_EQ(frameOf(ours), std::make_pair(3, true)) << "baseline, three components";
}

INSTANTIATE_TEST_SUITE_P(Qualities, PageEncoder,
                         ::testing::Combine(::testing::Values(50, 80, 100), ::testing::Bool()),
                         [](const auto& info) {
                             return (std::get<1>(info.param) ? "Grey" : "Colour") +
                                    std::to_string(std::get<0>(info.param));
                         });

TEST(PageEncoderEdges, BilevelSourceBecomesThreeComponentJpeg)
{
    EXPECT_EQ(frameOf(encodePage(bilevelImage(40, 30), 80)), std::make_pair(3, true));
}

TEST(PageEncoderEdges, QualityIsClampedAndBaselineIsForcedAtLowQuality)
{
    TJPEGImage jpeg;
    jpeg.SetQuality(0);
    EXPECT_EQ(jpeg.Quality(), 1);
    jpeg.SetQuality(130);
    EXPECT_EQ(jpeg.Quality(), 100);
    // At quality 1 the tables exceed 255 unless baseline is forced: still SOF0.
    EXPECT_EQ(frameOf(encodePage(colourImage(16, 16), 1)), std::make_pair(3, true));
}

TEST(PageEncoderEdges, CompressingNothingThrows)
{
    TJPEGImage jpeg;
    EXPECT_THROW(jpeg.Compress(), ImageError);
}

class RegionRead : public ::testing::TestWithParam<std::tuple<bool, QSize>> { };

TEST_P(RegionRead, EqualsTheFullDecodeCropped)
{
    const auto [grey, region] = GetParam();
    const QImage source = grey ? greyImage(701, 503) : colourImage(701, 503);
    const auto bytes = encodeJpeg(source, 80, true);
    const QImage full = decodeJpeg(bytes, "full");
    const QImage part = decodeJpegTopLeft(bytes, "part", region.width(), region.height());
    const QSize expected(std::min(region.width(), 701), std::min(region.height(), 503));
    ASSERT_EQ(part.size(), expected);
    EXPECT_EQ(part, full.copy(0, 0, expected.width(), expected.height()));
}

INSTANTIATE_TEST_SUITE_P(
    Regions, RegionRead,
    ::testing::Combine(::testing::Bool(), ::testing::Values(QSize(634, 434), QSize(33, 17), QSize(1, 1),
                                                            QSize(700, 1), QSize(800, 600), QSize(16, 503))));

TEST(ScaledRead, PicksTheSmallestScaleThatStillCoversTheTarget)
{
    const auto bytes = encodeJpeg(colourImage(640, 480), 80, true);
    const ScaledJpeg small = decodeJpegScaled(bytes, "t", 64, 48);
    EXPECT_EQ(small.fullSize, QSize(640, 480));
    EXPECT_EQ(small.image.size(), QSize(80, 60));
    const ScaledJpeg larger =
        decodeJpegScaled(bytes, "t", [](QSize full) { return QSize(full.width() * 3 / 4, 10); });
    EXPECT_EQ(larger.image.size(), QSize(480, 360));
    const ScaledJpeg whole = decodeJpegScaled(bytes, "t", 1000, 1000);
    EXPECT_EQ(whole.image.size(), QSize(640, 480));
}

// Application markers the decoder skips, together longer than the file source's 64 KiB block,
// put right after the start-of-image marker.
QByteArray withLongMarkers(const QByteArray& jpeg)
{
    QByteArray marker("\xFF\xE9\xFF\xFF", 4); // APP9, the longest segment there is
    marker.append(QByteArray(65533, 'x'));
    return jpeg.left(2) + marker + marker + jpeg.mid(2);
}

TEST(JpegFiles, AreReadInBlocksAndDecodeAsTheSameBytesInMemory)
{
    QTemporaryDir dir;
    const QByteArray bytes = withLongMarkers(toBytes(encodeJpeg(colourImage(701, 503), 90, true)));
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                             static_cast<std::size_t>(bytes.size()));
    const QString file = dir.filePath("long.jpg");
    writeBytes(file, bytes);
    EXPECT_EQ(readJpegFile(file), decodeJpeg(data, "m"));
    EXPECT_EQ(readJpegTopLeft(file, 634, 434), decodeJpegTopLeft(data, "m", 634, 434));
    EXPECT_EQ(readJpegScaled(file, 90, 60).image, decodeJpegScaled(data, "m", 90, 60).image);

    writeBytes(file, bytes.left(bytes.size() - 5000));
    try {
        readJpegFile(file);
        ADD_FAILURE() << "a truncated file decoded";
    } catch (const ImageError& error) {
        EXPECT_EQ(error.kind(), ImageError::Kind::Decode);
    }
    // Only the region's rows are needed, and they lie before the cut.
    EXPECT_EQ(readJpegTopLeft(file, 100, 16), decodeJpegTopLeft(data, "m", 100, 16));
}

TEST(JpegFiles, AGreyJpegDecodesToGreyscale)
{
    const auto bytes = encodeJpeg(greyImage(30, 20), 90, false);
    EXPECT_EQ(decodeJpeg(bytes, "g").format(), QImage::Format_Grayscale8);
}

} // namespace
