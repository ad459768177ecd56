// Thumbnails kept for unchanged files, and the ones made ahead of an intake.
#include "app/pages/ThumbnailCache.h"
#include "app/pages/ThumbnailPrewarm.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

using namespace quillora::pages;

namespace {

QString writeImage(const QTemporaryDir& dir, const QString& name, int width, Qt::GlobalColor colour)
{
    QImage image(width, 40, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

QImage filled(Qt::GlobalColor colour, int side = 64)
{
    QImage picture(side, side, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

TEST(ThumbnailCache, GivesAPictureBackOnlyForTheSameFileStateSideAndStretch)
{
    QTemporaryDir dir;
    const QString file = writeImage(dir, QStringLiteral("a.png"), 30, Qt::black);
    ThumbnailCache cache;
    cache.Store(file, 64, false, *StampOf(file), filled(Qt::red));
    EXPECT_EQ(cache.Find(file, 64, false), filled(Qt::red));
    EXPECT_TRUE(cache.Find(file, 96, false).isNull());
    EXPECT_TRUE(cache.Find(file, 64, true).isNull());

    writeImage(dir, QStringLiteral("a.png"), 50, Qt::black); // the scanner wrote it again
    EXPECT_TRUE(cache.Find(file, 64, false).isNull());
    QFile::remove(file);
    EXPECT_TRUE(cache.Find(file, 64, false).isNull());
}

TEST(ThumbnailCache, ForgetsWhatWasStoredLongestAgoBeyondItsBytes)
{
    QTemporaryDir dir;
    const QString a = writeImage(dir, QStringLiteral("a.png"), 10, Qt::black);
    const QString b = writeImage(dir, QStringLiteral("b.png"), 10, Qt::black);
    const QString c = writeImage(dir, QStringLiteral("c.png"), 10, Qt::black);
    ThumbnailCache cache(2 * filled(Qt::red).sizeInBytes());
    cache.Store(a, 64, false, *StampOf(a), filled(Qt::red));
    cache.Store(b, 64, false, *StampOf(b), filled(Qt::green));
    cache.Store(a, 64, false, *StampOf(a), filled(Qt::blue)); // stored again: now the newest
    cache.Store(c, 64, false, *StampOf(c), filled(Qt::yellow));
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_TRUE(cache.Find(b, 64, false).isNull());
    EXPECT_EQ(cache.Find(a, 64, false), filled(Qt::blue));
    EXPECT_EQ(cache.Find(c, 64, false), filled(Qt::yellow));
}

TEST(ThumbnailCache, ACachedFileIsNotDecodedAndANewPictureIsKept)
{
    QTemporaryDir dir;
    const QString cached = writeImage(dir, QStringLiteral("cached.png"), 30, Qt::black);
    const QString fresh = writeImage(dir, QStringLiteral("fresh.png"), 30, Qt::black);
    QFile broken(dir.filePath(QStringLiteral("broken.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a jpeg");
    broken.close();
    ThumbnailCache cache;
    cache.Store(cached, 64, false, *StampOf(cached), filled(Qt::red));

    EXPECT_EQ(CachedThumbnailPicture(cached, 64, false, cache).picture, filled(Qt::red));
    const Thumbnail made = CachedThumbnailPicture(fresh, 64, false, cache);
    ASSERT_EQ(made.outcome, Thumbnail::Outcome::Made);
    EXPECT_EQ(cache.Find(fresh, 64, false), made.picture);
    EXPECT_EQ(CachedThumbnailPicture(broken.fileName(), 64, false, cache).outcome,
              Thumbnail::Outcome::Undecodable);
    EXPECT_EQ(cache.Count(), 2); // no picture is kept for the broken file
}

TEST(ThumbnailPrewarm, ListsAndMakesThePicturesOfTheFilesTheCacheLacksInTheBackground)
{
    QTemporaryDir dir;
    QStringList files;
    for (const char* name : {"1.png", "2.png", "3.png"})
        files << writeImage(dir, QString::fromLatin1(name), 30, Qt::black);
    files << dir.filePath(QStringLiteral("missing.png"));
    ThumbnailCache cache;
    ThumbnailPrewarm prewarm(cache);
    std::thread::id listedOn;
    prewarm.Prepare(
        [&] {
            listedOn = std::this_thread::get_id();
            return files;
        },
        64, true);
    const QDeadlineTimer deadline(20000);
    while (prewarm.Busy() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_FALSE(prewarm.Busy());
    EXPECT_NE(listedOn, std::this_thread::get_id()); // a slow folder never holds the window
    EXPECT_EQ(cache.Count(), 3);
    EXPECT_EQ(cache.Find(files[0], 64, true), MakeThumbnailPicture(files[0], 64, true).picture);
}

// More files than the cache holds would push out the first ones, which an intake needs first.
TEST(ThumbnailPrewarm, PreparesNoMoreFilesThanTheCacheHolds)
{
    QTemporaryDir dir;
    QStringList files;
    for (const char* name : {"1.png", "2.png", "3.png"})
        files << writeImage(dir, QString::fromLatin1(name), 30, Qt::black);
    ThumbnailCache cache(2 * filled(Qt::black).sizeInBytes());
    ThumbnailPrewarm prewarm(cache);
    prewarm.Prepare(files, 64, false);
    const QDeadlineTimer deadline(20000);
    while (prewarm.Busy() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(cache.Find(files[0], 64, false).isNull());
    EXPECT_FALSE(cache.Find(files[1], 64, false).isNull());
    EXPECT_TRUE(cache.Find(files[2], 64, false).isNull());
}

} // namespace
