// Image sizes read from file headers, for planning decodes: every readable format, and files
// without a size to read.
#include "imaging/ImageHeader.h"
#include "imaging/ImageFiles.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using quillora::imaging::DecodedBytesEstimate;
using quillora::imaging::ReadImageSize;

namespace {

class ImageHeaderTest : public testing::TestWithParam<const char*> { };

TEST_P(ImageHeaderTest, ReadsTheDeclaredSize)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QString::fromLatin1(GetParam()));
    QImage image(123, 45, QImage::Format_RGB32);
    image.fill(Qt::white);
    quillora::imaging::writeImageFile(image, file);
    EXPECT_EQ(ReadImageSize(file), QSize(123, 45));
    EXPECT_EQ(DecodedBytesEstimate(file), 123 * 45 * 4);
}

INSTANTIATE_TEST_SUITE_P(ImageHeader, ImageHeaderTest,
                         testing::Values("page.jpg", "page.png", "page.bmp", "page.tif"));

TEST(ImageHeader, NoSizeForMissingUnknownOrBrokenFiles)
{
    QTemporaryDir dir;
    QFile broken(dir.filePath(QStringLiteral("broken.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xFF\xD8 not really");
    broken.close();
    for (const char* name : {"missing.jpg", "page.xyz", "broken.jpg"}) {
        const QString file = dir.filePath(QString::fromLatin1(name));
        EXPECT_EQ(ReadImageSize(file), std::nullopt) << name;
        EXPECT_EQ(DecodedBytesEstimate(file), 0) << name;
    }
}

} // namespace
