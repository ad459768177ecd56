// Fit geometry with the 32-bit scale, and the nearest-pixel scaled copy.
#include "imaging/Scaling.h"
#include "TestImages.h"

#include <gtest/gtest.h>

using namespace quillora::imaging;
using namespace quillora::imaging::test;

namespace {

struct ThumbnailCase {
    QSize source;
    int side;
    QRect drawn;
};

class ThumbnailGeometry : public ::testing::TestWithParam<ThumbnailCase> { };

TEST_P(ThumbnailGeometry, FitsCentredWithTheFloatScale)
{
    EXPECT_EQ(thumbnailRect(GetParam().source, GetParam().side, false), GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(WorkedNumbers, ThumbnailGeometry,
                         ::testing::Values(ThumbnailCase{{640, 480}, 64, {0, 8, 64, 48}},
                                           ThumbnailCase{{2480, 3508}, 64, {9, 0, 45, 63}},
                                           ThumbnailCase{{100, 100}, 64, {0, 0, 63, 63}},
                                           ThumbnailCase{{2000, 2000}, 160, {0, 0, 159, 159}},
                                           ThumbnailCase{{1, 10000}, 64, {32, 0, 0, 63}},
                                           ThumbnailCase{{0, 0}, 64, {32, 32, 0, 0}}));

struct PageCase {
    QSize source;
    QSize fitted;
};

class PageGeometry : public ::testing::TestWithParam<PageCase> { };

TEST_P(PageGeometry, FitsTheDefaultImageArea)
{
    EXPECT_EQ(fitInside(GetParam().source, {634, 934}), GetParam().fitted);
}

INSTANTIATE_TEST_SUITE_P(WorkedNumbers, PageGeometry,
                         ::testing::Values(PageCase{{2480, 3508}, {633, 896}},
                                           PageCase{{400, 300}, {634, 475}},
                                           PageCase{{634, 934}, {634, 934}}));

TEST(PageGeometry, CropKeepsTheTopLeftOfTheArea)
{
    EXPECT_EQ(cropSize({2480, 3508}, {634, 934}), QSize(634, 934));
    EXPECT_EQ(cropSize({300, 200}, {634, 934}), QSize(300, 200));
}

TEST(Thumbnail, StretchFillsTheSquare)
{
    EXPECT_EQ(thumbnailRect({640, 480}, 96, true), QRect(0, 0, 96, 96));
    QImage black(640, 480, QImage::Format_RGB32);
    black.fill(Qt::black);
    const QImage thumbnail = makeThumbnail(black, 96, true);
    EXPECT_EQ(thumbnail.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(thumbnail.pixel(95, 95), qRgb(0, 0, 0));
}

TEST(Thumbnail, TheOnePixelShortEdgeStaysWhite)
{
    QImage black(2480, 3508, QImage::Format_Grayscale8);
    black.fill(0);
    const QImage thumbnail = makeThumbnail(black, 64, false);
    ASSERT_EQ(thumbnail.size(), QSize(64, 64));
    EXPECT_EQ(thumbnail.pixel(9, 0), qRgb(0, 0, 0));
    EXPECT_EQ(thumbnail.pixel(53, 62), qRgb(0, 0, 0));
    EXPECT_EQ(thumbnail.pixel(8, 10), qRgb(255, 255, 255));
    EXPECT_EQ(thumbnail.pixel(54, 10), qRgb(255, 255, 255));
    EXPECT_EQ(thumbnail.pixel(30, 63), qRgb(255, 255, 255)) << "bottom row stays white";
}

TEST(Thumbnail, AReducedDecodeUsesTheRealSizeForGeometry)
{
    QImage reduced(310, 439, QImage::Format_RGB32); // a 1/8 decode of 2480 x 3508
    reduced.fill(Qt::black);
    const QImage thumbnail = makeThumbnail(reduced, 64, false, {2480, 3508});
    EXPECT_EQ(thumbnail.pixel(30, 62), qRgb(0, 0, 0));
    EXPECT_EQ(thumbnail.pixel(30, 63), qRgb(255, 255, 255));
}

TEST(NearestScaling, EachPixelTakesTheNearestSourcePixel)
{
    QImage row(4, 1, QImage::Format_Grayscale8);
    for (int x = 0; x < 4; ++x)
        row.scanLine(0)[x] = static_cast<uchar>(10 * (x + 1));
    const QImage shrunk = scaledNearest(row, 2, 1);
    EXPECT_EQ(shrunk.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(shrunk.scanLine(0)[0], 20);
    EXPECT_EQ(shrunk.scanLine(0)[1], 40);
    const QImage grown = scaledNearest(row, 8, 2);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(grown.scanLine(1)[x], 10 * (x / 2 + 1)) << x;
}

TEST(NearestScaling, KeepsTheFormatAndColourTable)
{
    const QImage palette = paletteImage(30, 20);
    const QImage scaled = scaledNearest(palette, 15, 10);
    EXPECT_EQ(scaled.format(), QImage::Format_Indexed8);
    EXPECT_EQ(scaled.colorTable(), palette.colorTable());
    EXPECT_EQ(scaled.pixel(7, 5), palette.pixel(15, 11));
    EXPECT_EQ(scaledNearest(colourImage(9, 9), 4, 4).format(), QImage::Format_RGB888);
}

TEST(NearestScaling, AShrunkBilevelSourceKeepsEveryBlackDot)
{
    for (bool zeroIsWhite : {true, false}) {
        QImage page(100, 100, QImage::Format_Mono);
        const QRgb white = qRgb(255, 255, 255);
        const QRgb black = qRgb(0, 0, 0);
        page.setColorTable(zeroIsWhite ? QList<QRgb>{white, black} : QList<QRgb>{black, white});
        page.fill(zeroIsWhite ? 0 : 1);
        page.setPixel(37, 64, zeroIsWhite ? 1 : 0); // one black dot, far from every sample centre
        const QImage shrunk = scaledNearest(page, 10, 10);
        ASSERT_EQ(shrunk.depth(), 1);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x)
                EXPECT_EQ(shrunk.pixel(x, y), (x == 3 && y == 6) ? black : white) << x << "," << y;
        }
    }
}

TEST(NearestScaling, AnEnlargedBilevelSourceUsesNearestPixels)
{
    const QImage page = bilevelImage(20, 10);
    const QImage grown = scaledNearest(page, 40, 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(grown.pixel(x, y), page.pixel(x / 2, y / 2)) << x << "," << y;
    }
}

TEST(NearestScaling, EmptyInputsGiveNoImage)
{
    EXPECT_TRUE(scaledNearest(QImage(), 5, 5).isNull());
    EXPECT_TRUE(scaledNearest(colourImage(5, 5), 0, 5).isNull());
}

} // namespace
