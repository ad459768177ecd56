#include "app/compose/PageImage.h"
#include "app/compose/ChartComposer.h"

#include "ComposeFixtures.h"
#include "imaging/JpegCodec.h"

#include <fstream>

using namespace quillora;
using namespace quillora::test;

TEST(ClampJpegQuality, BringsValuesIntoFiftyToHundredComparingUnsigned)
{
    const std::pair<int, int> cases[] = {{30, 50},   {49, 50},   {50, 50},  {80, 80},
                                         {100, 100}, {120, 100}, {-5, 100}, {0, 50}};
    for (const auto& [given, used] : cases)
        EXPECT_EQ(ClampJpegQuality(given), used) << given;
}

struct GeometryCase {
    int width, height;
    bool stretch;
    int expectedWidth, expectedHeight;
    const char* extension;
};

void PrintTo(const GeometryCase& c, std::ostream* out)
{
    *out << c.width << "x" << c.height << " " << c.extension << (c.stretch ? " stretch" : " crop");
}

class PageGeometryTest : public ::testing::TestWithParam<GeometryCase> { };

TEST_P(PageGeometryTest, CropsOrFitsToTheDefaultImageArea)
{
    const auto& c = GetParam();
    ImageFolder folder;
    const auto file = folder.Write(ColourPage(c.width, c.height), std::string("page.") + c.extension);
    const auto page = PreparePageImage(file, {634, 934, c.stretch, 80});
    EXPECT_EQ(page.width, c.expectedWidth);
    EXPECT_EQ(page.height, c.expectedHeight);
    const QImage decoded = imaging::decodeJpeg(*page.jpeg, "page");
    EXPECT_EQ(decoded.size(), QSize(c.expectedWidth, c.expectedHeight));
    EXPECT_EQ(JpegComponents(*page.jpeg), 3);
    EXPECT_TRUE(IsBaselineJpeg(*page.jpeg));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PageGeometryTest,
                         ::testing::Values(GeometryCase{2480, 3508, false, 634, 934, "jpg"},
                                           GeometryCase{2480, 3508, true, 633, 896, "jpg"},
                                           GeometryCase{2480, 3508, false, 634, 934, "png"},
                                           GeometryCase{400, 300, true, 634, 475, "png"},
                                           GeometryCase{634, 934, true, 634, 934, "bmp"},
                                           GeometryCase{300, 200, false, 300, 200, "tif"},
                                           GeometryCase{300, 2000, false, 300, 934, "jpg"}));

TEST(PreparePageImage, CropKeepsTheTopLeftPixels)
{
    ImageFolder folder;
    const QImage source = ColourPage(1000, 1200);
    const auto file = folder.Write(source, "page.png");
    const auto page = PreparePageImage(file, {634, 934, false, 100});
    const QImage decoded = imaging::decodeJpeg(*page.jpeg, "page").convertToFormat(QImage::Format_RGB32);
    // JPEG is lossy: compare a few pixels with a tolerance.
    for (const QPoint p : {QPoint(0, 0), QPoint(100, 50), QPoint(633, 933), QPoint(300, 700)}) {
        const QRgb want = source.pixel(p), got = decoded.pixel(p);
        EXPECT_NEAR(qRed(got), qRed(want), 24) << p.x() << "," << p.y();
        EXPECT_NEAR(qGreen(got), qGreen(want), 24);
        EXPECT_NEAR(qBlue(got), qBlue(want), 24);
    }
}

TEST(PreparePageImage, GreyAndBilevelPagesBecomeColourJpegs)
{
    ImageFolder folder;
    for (const auto& file :
         {folder.Write(GreyPage(500, 700), "grey.png"), folder.Write(GreyPage(500, 700), "grey.jpg"),
          folder.Write(BilevelPage(1700, 2200), "mono.tif"),
          folder.Write(BilevelPage(1700, 2200), "mono.png")}) {
        for (const bool stretch : {false, true}) {
            const auto page = PreparePageImage(file, {634, 934, stretch, 80});
            EXPECT_EQ(JpegComponents(*page.jpeg), 3) << file;
        }
    }
}

TEST(PreparePageImage, UndecodableFilesAreNamedInTheError)
{
    ImageFolder folder;
    const auto garbage = (folder.path / "broken.jpg").string();
    std::ofstream(garbage) << "this is not a JPEG file";
    const auto truncated = folder.Write(ColourPage(300, 300), "cut.png");
    std::filesystem::resize_file(truncated, 100);
    const auto unknown = folder.Write(ColourPage(30, 30), "page.png");
    std::filesystem::rename(unknown, folder.path / "page.xyz");
    for (const auto& file : {garbage, truncated, (folder.path / "page.xyz").string()}) {
        try {
            PreparePageImage(file, {634, 934, false, 80});
            ADD_FAILURE() << "no error for " << file;
        } catch (const PageImageError& error) {
            EXPECT_EQ(error.file(), file);
        }
    }
}
