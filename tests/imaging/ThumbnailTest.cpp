// Thumbnails from files: the reduced JPEG decode is placed exactly like a full decode.
#include "TestImages.h"
#include "imaging/ImageError.h"
#include "imaging/ImageFiles.h"
#include "imaging/Thumbnails.h"

#include <gtest/gtest.h>

using namespace quillora::imaging;
using namespace quillora::imaging::test;

namespace {

bool isDark(QRgb pixel) { return qGray(pixel) < 40; }

class ThumbnailFromFile : public ::testing::TestWithParam<const char*> {
protected:
    QTemporaryDir dir;
};

TEST_P(ThumbnailFromFile, PlacesTheFittedImageLikeAFullDecode)
{
    QImage black(640, 480, QImage::Format_RGB888);
    black.fill(Qt::black);
    const QString path = dir.filePath(QStringLiteral("page.") + GetParam());
    writeImageFile(black, path);
    const QImage thumbnail = thumbnailFromFile(path, 64, false);
    ASSERT_EQ(thumbnail.size(), QSize(64, 64));
    EXPECT_EQ(thumbnail.pixel(0, 7), qRgb(255, 255, 255));
    EXPECT_TRUE(isDark(thumbnail.pixel(0, 8)));
    EXPECT_TRUE(isDark(thumbnail.pixel(63, 55)));
    EXPECT_EQ(thumbnail.pixel(0, 56), qRgb(255, 255, 255));
}

INSTANTIATE_TEST_SUITE_P(Formats, ThumbnailFromFile, ::testing::Values("jpg", "png", "tif"));

TEST(ThumbnailFromFileFailures, MissingFileThrowsUndecodableGivesNoThumbnail)
{
    QTemporaryDir dir;
    EXPECT_THROW(thumbnailFromFile(dir.filePath("missing.jpg"), 64, false), ImageError);
    writeBytes(dir.filePath("broken.jpg"), "not a jpeg");
    EXPECT_TRUE(thumbnailFromFile(dir.filePath("broken.jpg"), 64, false).isNull());
    writeBytes(dir.filePath("page.xyz"), "whatever");
    EXPECT_TRUE(thumbnailFromFile(dir.filePath("page.xyz"), 64, false).isNull());
}

} // namespace
