// Frame-to-image assembly of scanner data, with synthetic frames.
#include "imaging/sane/SaneFrameAssembler.h"
#include "imaging/ImageError.h"

#include <gtest/gtest.h>
#include <limits>

using namespace quillora::imaging;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Feeds the bytes in chunks of `chunk` bytes, as short sane_read results would.
void feed(SaneFrameAssembler& assembler, const Bytes& bytes, std::size_t chunk)
{
    for (std::size_t at = 0; at < bytes.size(); at += chunk)
        assembler.addData({bytes.data() + at, std::min(chunk, bytes.size() - at)});
}

QImage assemble(const FrameParameters& parameters, const Bytes& bytes, std::size_t chunk = 5)
{
    SaneFrameAssembler assembler;
    assembler.beginFrame(parameters);
    feed(assembler, bytes, chunk);
    return assembler.image();
}

TEST(SaneFrameAssembler, LineartBecomesABilevelImageWithOneAsBlack)
{
    // 10 pixels per line in 2 bytes (+1 padding byte), 2 lines.
    const Bytes bytes = {0b10000000, 0b01000000, 0xEE, 0b00000001, 0b10000000, 0xEE};
    for (std::size_t chunk : {1, 2, 6}) {
        const QImage image = assemble({FrameFormat::Gray, true, 3, 10, 2, 1}, bytes, chunk);
        ASSERT_EQ(image.format(), QImage::Format_Mono);
        ASSERT_EQ(image.size(), QSize(10, 2));
        const QRgb black = qRgb(0, 0, 0);
        const QRgb white = qRgb(255, 255, 255);
        EXPECT_EQ(image.pixel(0, 0), black);
        EXPECT_EQ(image.pixel(1, 0), white);
        EXPECT_EQ(image.pixel(9, 0), black);
        EXPECT_EQ(image.pixel(7, 1), black);
        EXPECT_EQ(image.pixel(8, 1), black);
        EXPECT_EQ(image.pixel(9, 1), white);
    }
}

TEST(SaneFrameAssembler, GreyRowsSkipTheirPadding)
{
    const Bytes bytes = {1, 2, 3, 99, 4, 5, 6, 99};
    const QImage image = assemble({FrameFormat::Gray, true, 4, 3, 2, 8}, bytes, 3);
    ASSERT_EQ(image.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(image.scanLine(1)[0], 4);
    EXPECT_EQ(image.scanLine(1)[2], 6);
}

TEST(SaneFrameAssembler, SixteenBitSamplesKeepTheirHighByte)
{
    const std::uint16_t samples[] = {0x1234, 0xABCD, 0xFF00, 0x00FF, 0x8000, 0x7FFF};
    Bytes bytes(sizeof samples);
    std::memcpy(bytes.data(), samples, sizeof samples); // host byte order, as SANE sends them
    const QImage grey = assemble({FrameFormat::Gray, true, 4, 2, 3, 16}, bytes);
    EXPECT_EQ(grey.scanLine(0)[1], 0xAB);
    EXPECT_EQ(grey.scanLine(2)[0], 0x80);
    const QImage colour = assemble({FrameFormat::Rgb, true, 12, 2, 1, 16}, {bytes.begin(), bytes.end()});
    EXPECT_EQ(colour.pixel(0, 0), qRgb(0x12, 0xAB, 0xFF));
    EXPECT_EQ(colour.pixel(1, 0), qRgb(0x00, 0x80, 0x7F));
}

TEST(SaneFrameAssembler, ThreePassFramesCombineInAnyOrder)
{
    SaneFrameAssembler assembler;
    const std::pair<FrameFormat, std::uint8_t> passes[] = {
        {FrameFormat::Blue, 30}, {FrameFormat::Red, 10}, {FrameFormat::Green, 20}};
    for (const auto& [format, value] : passes) {
        assembler.beginFrame({format, format == FrameFormat::Green, 2, 2, 2, 8});
        feed(assembler, Bytes(4, value), 3);
    }
    const QImage image = assembler.image();
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixel(1, 1), qRgb(10, 20, 30));
}

TEST(SaneFrameAssembler, AMissingPassGivesNoImage)
{
    SaneFrameAssembler assembler;
    assembler.beginFrame({FrameFormat::Red, false, 2, 2, 2, 8});
    feed(assembler, Bytes(4, 1), 4);
    EXPECT_TRUE(assembler.image().isNull());
}

TEST(SaneFrameAssembler, EarlyEndKeepsTheCompleteRows)
{
    const QImage image = assemble({FrameFormat::Rgb, true, 6, 2, 4, 8}, Bytes(6 * 2 + 4, 7));
    EXPECT_EQ(image.size(), QSize(2, 2));
    EXPECT_TRUE(assemble({FrameFormat::Rgb, true, 6, 2, 4, 8}, Bytes(5, 7)).isNull());
}

TEST(SaneFrameAssembler, BytesBeyondTheDeclaredLinesAreDropped)
{
    EXPECT_EQ(assemble({FrameFormat::Gray, true, 2, 2, 2, 8}, Bytes(10, 1)).size(), QSize(2, 2));
}

TEST(SaneFrameAssembler, UnknownHeightGrowsWithTheData)
{
    EXPECT_EQ(assemble({FrameFormat::Gray, true, 3, 3, -1, 8}, Bytes(3 * 7, 1)).size(), QSize(3, 7));
}

TEST(SaneFrameAssembler, RefusesLayoutsItCannotAssemble)
{
    SaneFrameAssembler assembler;
    EXPECT_THROW(assembler.beginFrame({FrameFormat::Gray, true, 3, 3, 3, 4}), ImageError);
    EXPECT_THROW(assembler.beginFrame({FrameFormat::Rgb, true, 5, 2, 3, 8}), ImageError) << "short lines";
    EXPECT_THROW(assembler.beginFrame({FrameFormat::Gray, true, 30000, 30000, 30000, 8}), ImageError);
    EXPECT_THROW(assembler.addData(Bytes(3, 0)), ImageError) << "data before any frame";
}

TEST(SaneFrameAssembler, AHugeLineLengthIsRefusedBeforeAnyBufferIsSized)
{
    // Ten pixels per line in two gigabytes per line, as a broken backend might announce.
    constexpr int kHugeLine = std::numeric_limits<int>::max();
    for (int lines : {1000, -1}) {
        SaneFrameAssembler assembler;
        try {
            assembler.beginFrame({FrameFormat::Gray, true, kHugeLine, 10, lines, 8});
            ADD_FAILURE() << "accepted lines of " << kHugeLine << " bytes, line count " << lines;
        } catch (const ImageError& error) {
            EXPECT_EQ(error.kind(), ImageError::Kind::Bounds);
        }
    }
}

TEST(SaneFrameAssembler, AnEndlessScanOfUnknownHeightIsStopped)
{
    SaneFrameAssembler assembler;
    assembler.beginFrame({FrameFormat::Gray, true, 1, 8, -1, 1});
    EXPECT_THROW(feed(assembler, Bytes(20001, 0), 4096), ImageError);
}

} // namespace
