// Thumbnail pictures: size list, fitted geometry through the real decoders, the ordered
// worker pipeline and the failures that leave a page without picture or end an intake.
#include "app/pages/ThumbnailList.h"
#include "app/pages/ThumbnailPipeline.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using quillora::pages::MakeThumbnailPicture;
using quillora::pages::Thumbnail;

namespace {

// The bounding box of the non-white pixels of a picture.
QRect drawnRect(const QImage& picture)
{
    QRect box;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

QString writeBlack(const QTemporaryDir& dir, const QString& name, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

TEST(ThumbnailList, SideFollowsTheSizeSetting)
{
    EXPECT_EQ(quillora::pages::ThumbSide(0), 64);
    EXPECT_EQ(quillora::pages::ThumbSide(4), 192);
    EXPECT_EQ(quillora::pages::ThumbSide(99), 192); // a damaged setting cannot grow the pictures
    quillora::pages::ThumbnailList list;
    list.reset(3);
    EXPECT_EQ(list.side(), 160);
    EXPECT_EQ(list.append(QImage(160, 160, QImage::Format_RGB32)), 0);
    EXPECT_TRUE(list.at(-1).isNull());
    EXPECT_TRUE(list.at(1).isNull());
    list.reset(0);
    EXPECT_EQ(list.count(), 0);
}

struct FitCase {
    const char* name;
    int width, height, side;
    QRect drawn;
};

void PrintTo(const FitCase& c, std::ostream* os)
{
    *os << c.name << ' ' << c.width << 'x' << c.height << " in " << c.side;
}

class FitTest : public ::testing::TestWithParam<FitCase> { };

TEST_P(FitTest, DrawsTheFittedRectangleOnWhite)
{
    const FitCase& c = GetParam();
    QTemporaryDir dir;
    const Thumbnail thumb =
        MakeThumbnailPicture(writeBlack(dir, QString::fromLatin1(c.name), c.width, c.height), c.side, false);
    ASSERT_EQ(thumb.outcome, Thumbnail::Outcome::Made);
    EXPECT_EQ(thumb.picture.size(), QSize(c.side, c.side));
    EXPECT_EQ(drawnRect(thumb.picture), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(Thumbnail, FitTest,
                         ::testing::Values(FitCase{"landscape.png", 640, 480, 64, QRect(0, 8, 64, 48)},
                                           FitCase{"a4.png", 2480, 3508, 64, QRect(9, 0, 45, 63)},
                                           FitCase{"a4.jpg", 2480, 3508, 64,
                                                   QRect(9, 0, 45, 63)}, // reduced JPEG decode, same geometry
                                           FitCase{"square.bmp", 100, 100, 64, QRect(0, 0, 63, 63)},
                                           FitCase{"big.png", 2000, 2000, 160, QRect(0, 0, 159, 159)}));

TEST(Thumbnail, StretchFillsTheSquare)
{
    QTemporaryDir dir;
    const Thumbnail thumb =
        MakeThumbnailPicture(writeBlack(dir, QStringLiteral("wide.png"), 300, 20), 96, true);
    ASSERT_EQ(thumb.outcome, Thumbnail::Outcome::Made);
    EXPECT_EQ(drawnRect(thumb.picture), QRect(0, 0, 96, 96));
}

TEST(Thumbnail, UndecodableFileHasNoPictureAndMissingFileIsAnError)
{
    QTemporaryDir dir;
    QFile broken(dir.filePath(QStringLiteral("broken.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a jpeg");
    broken.close();
    EXPECT_EQ(MakeThumbnailPicture(broken.fileName(), 64, false).outcome, Thumbnail::Outcome::Undecodable);
    EXPECT_EQ(MakeThumbnailPicture(dir.filePath(QStringLiteral("x.xyz")), 64, false).outcome,
              Thumbnail::Outcome::Undecodable);
    const Thumbnail missing = MakeThumbnailPicture(dir.filePath(QStringLiteral("missing.jpg")), 64, false);
    EXPECT_EQ(missing.outcome, Thumbnail::Outcome::Unreadable);
    EXPECT_TRUE(missing.error.contains(QStringLiteral("missing.jpg")));
    EXPECT_TRUE(missing.error.contains(QStringLiteral("開くことができません")));
}

TEST(ThumbnailPipeline, DeliversInFileOrderWhateverOrderTheWorkersFinish)
{
    QStringList files;
    for (int i = 0; i < 40; ++i)
        files << QString::number(i);
    quillora::pages::ThumbnailPipeline pipeline(files, [](const QString& file) {
        Thumbnail thumb;
        // Later files finish first.
        QThread::usleep(static_cast<unsigned long>((40 - file.toInt()) * 200));
        thumb.error = file;
        return thumb;
    });
    for (int i = 0; i < 40; ++i) {
        ASSERT_FALSE(pipeline.atEnd());
        EXPECT_EQ(pipeline.next().error, QString::number(i));
    }
    EXPECT_TRUE(pipeline.atEnd());
}

} // namespace

namespace {

TEST(ThumbnailPipeline, AMakerThatThrowsGivesAFailedThumbnailNamingTheFile)
{
    quillora::pages::ThumbnailPipeline pipeline({QStringLiteral("a.jpg"), QStringLiteral("b.jpg")},
                                                [](const QString& file) -> Thumbnail {
                                                    if (file == QStringLiteral("a.jpg"))
                                                        throw std::bad_alloc();
                                                    return {};
                                                });
    const Thumbnail failed = pipeline.next();
    EXPECT_EQ(failed.outcome, Thumbnail::Outcome::Failed);
    EXPECT_TRUE(failed.failed());
    EXPECT_TRUE(failed.error.contains(QStringLiteral("a.jpg")));
    EXPECT_EQ(pipeline.next().outcome, Thumbnail::Outcome::Undecodable);
}

} // namespace
