// Comment list files and writing the page back: format, pixel format, protection, atomicity.
#include "FileSizeLimit.h"

#include "editor/CommentFile.h"
#include "editor/PageImageFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quillora::editor {
namespace {

QByteArray readBytes(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct LineEndCase {
    const char* name;
    std::string bytes;
    QStringList items;
};

class CommentLinesTest : public ::testing::TestWithParam<LineEndCase> { };

TEST_P(CommentLinesTest, OneItemPerLine) { EXPECT_EQ(parseCommentText(GetParam().bytes), GetParam().items); }

INSTANTIATE_TEST_SUITE_P(LineEnds, CommentLinesTest,
                         ::testing::Values(LineEndCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                                           LineEndCase{"LoneLf", "a\nb\nc", {"a", "b", "c"}},
                                           LineEndCase{"LoneCr", "a\rb\r", {"a", "b"}},
                                           LineEndCase{"EmptyLineInside", "a\r\n\r\nb", {"a", "", "b"}},
                                           LineEndCase{"Mixed", "a\r\rb\n", {"a", "", "b"}},
                                           LineEndCase{"Empty", "", {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommentFile, SavesCp932WithCrLfAndLoadsTheSameItems)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("comments.txt"));
    const QStringList items{QStringLiteral("処方変更"), QString(), QStringLiteral("再診")};
    saveCommentFile(fileName, items);
    EXPECT_EQ(readBytes(fileName),
              QByteArray("\x8f\x88\x95\xfb\x95\xcf\x8d\x58\r\n\r\n\x8d\xc4\x90\x66\r\n"));
    EXPECT_EQ(loadCommentFile(fileName), items);
    EXPECT_THROW(loadCommentFile(dir.filePath(QStringLiteral("missing.txt"))), CommentFileError);
}

QImage colourWork(QImage::Format format)
{
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(1, 1, 0xFF000000u);
    return image.convertToFormat(format).convertToFormat(QImage::Format_RGB32);
}

struct FormatCase {
    const char* name;
    QImage::Format file;
    bool drawColour;
    QImage::Format written;
};

class FileFormatTest : public ::testing::TestWithParam<FormatCase> { };

TEST_P(FileFormatTest, KeepsBilevelAndGreyUntilColourIsDrawn)
{
    QImage original = colourWork(QImage::Format_RGB32).convertToFormat(GetParam().file);
    PageImage page{QImage(), original.format(), original.colorTable(), {}};
    QImage work = original.convertToFormat(QImage::Format_RGB32);
    if (GetParam().drawColour)
        work.setPixel(2, 2, 0xFFFF0000u);
    const QImage written = toFileFormat(page, work);
    EXPECT_EQ(written.format(), GetParam().written);
    EXPECT_EQ(written.pixel(1, 1), 0xFF000000u);
    EXPECT_EQ(written.pixel(0, 0), 0xFFFFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FileFormatTest,
    ::testing::Values(FormatCase{"Mono", QImage::Format_Mono, false, QImage::Format_Mono},
                      FormatCase{"MonoColour", QImage::Format_Mono, true, QImage::Format_RGB32},
                      FormatCase{"Grey", QImage::Format_Grayscale8, false, QImage::Format_Grayscale8},
                      FormatCase{"GreyColour", QImage::Format_Grayscale8, true, QImage::Format_RGB32},
                      FormatCase{"Colour", QImage::Format_RGB32, false, QImage::Format_RGB32}),
    [](const auto& info) { return std::string(info.param.name); });

class PageWriteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fileName = dir.filePath(QStringLiteral("page.png"));
        QImage image(300, 200, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x, y, (x * y) & 0xFF));
        ASSERT_TRUE(image.save(fileName));
        original = readBytes(fileName);
        page = readPageImage(fileName);
        ASSERT_FALSE(page.work.isNull());
    }
    QTemporaryDir dir;
    QString fileName;
    QByteArray original;
    PageImage page;
};

TEST_F(PageWriteTest, WriteThatBreaksOffMidwayLeavesTheFileByteForByte)
{
    QImage work = page.work;
    work.invertPixels(); // as large as the original once compressed, well above the limit
    SaveResult result{SaveOutcome::Saved, {}};
    {
        quillora::test::FileSizeLimit limit(512);
        result = writePageImage(fileName, page, work);
    }
    EXPECT_EQ(result.outcome, SaveOutcome::Failed);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(readBytes(fileName), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("page.png")});
}

TEST_F(PageWriteTest, ReadOnlyOrVanishedFileIsWriteProtected)
{
    QFile::setPermissions(fileName, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_EQ(writePageImage(fileName, page, page.work).outcome, SaveOutcome::WriteProtected);
    EXPECT_EQ(readBytes(fileName), original);
    QFile::setPermissions(fileName, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(fileName);
    EXPECT_EQ(writePageImage(fileName, page, page.work).outcome, SaveOutcome::WriteProtected);
    EXPECT_FALSE(QFile::exists(fileName));
}

TEST(PageRead, UnreadablePageGivesNoImageAndAReason)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("page.jpg"));
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a jpeg");
    file.close();
    for (const QString& name : {fileName, dir.filePath(QStringLiteral("gone.png"))}) {
        const PageImage page = readPageImage(name);
        EXPECT_TRUE(page.work.isNull());
        EXPECT_FALSE(page.error.isEmpty());
    }
}

} // namespace
} // namespace quillora::editor
