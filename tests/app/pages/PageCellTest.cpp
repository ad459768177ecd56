// What a page shows beside its thumbnail: the framed cell or the placeholder, the patient-tab
// messages naming the file, and the check for images larger than the chart page.
#include "app/pages/CellPicture.h"
#include "app/pages/PageFit.h"
#include "app/pages/PatientPages.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillora::pages;

namespace {

QString writeImage(const QTemporaryDir& dir, const QString& name, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

int distinctColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

} // namespace

TEST(CellPicture, AWhitePageIsFramedAndAMissingPictureIsAPlaceholderOfTheSameSize)
{
    QImage white(64, 64, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QImage cell = CellPicture(white, 64);
    ASSERT_EQ(cell.size(), QSize(CellSide(64), CellSide(64)));
    EXPECT_NE(cell.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_NE(cell.pixel(65, 30), qRgb(255, 255, 255));
    EXPECT_EQ(cell.pixel(32, 32), qRgb(255, 255, 255));

    const QImage placeholder = CellPicture(QImage(), 64);
    EXPECT_EQ(placeholder.size(), cell.size());
    EXPECT_GT(distinctColours(placeholder), 3); // frame, fill, cross and text
}

TEST(PatientPages, MessagesKeepTheFixedTextAndNameTheFile)
{
    QTemporaryDir dir;
    const QString good = writeImage(dir, QStringLiteral("a.png"), 10, 10);
    EXPECT_TRUE(ReadPatientPage(good).ok());
    EXPECT_EQ(ReadPatientPage(good).image.size(), QSize(10, 10));

    QFile broken(dir.filePath(QStringLiteral("b.png")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("garbage");
    broken.close();
    const PatientPage undecodable = ReadPatientPage(broken.fileName());
    EXPECT_TRUE(undecodable.message.startsWith(QString::fromUtf8(kUnsupportedText)));
    EXPECT_TRUE(undecodable.message.contains(QStringLiteral("b.png")));

    const PatientPage missing = ReadPatientPage(dir.filePath(QStringLiteral("gone.png")));
    EXPECT_TRUE(missing.message.startsWith(QString::fromUtf8(kCannotOpenText)));
    EXPECT_TRUE(missing.message.contains(QStringLiteral("gone.png")));
}

TEST(PageFit, FindsTheFirstImageLargerThanThePictureArea)
{
    QTemporaryDir dir;
    const QSize area = PictureArea(700, 1000);
    EXPECT_EQ(area, QSize(634, 934));
    const QString fits = writeImage(dir, QStringLiteral("fits.png"), 634, 934);
    const QString wide = writeImage(dir, QStringLiteral("wide.png"), 635, 10);
    const QString tall = writeImage(dir, QStringLiteral("tall.png"), 10, 935);
    EXPECT_TRUE(FirstLargerThan({fits, dir.filePath(QStringLiteral("gone.png"))}, area).isEmpty());
    EXPECT_EQ(FirstLargerThan({fits, wide, tall}, area), wide);
    EXPECT_EQ(FirstLargerThan({tall}, area), tall);
}
