// TImageIO: formats chosen by extension, round trips, and the two failure channels.
#include "TestImages.h"
#include "imaging/ImageError.h"
#include "imaging/TImageIO.h"
#include "imaging/TiffCodec.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace quillora::imaging;
using namespace quillora::imaging::test;

namespace {

enum class Source { Colour, Grey, Bilevel, Palette };

QImage makeSource(Source kind)
{
    switch (kind) {
    case Source::Colour: return colourImage(53, 41);
    case Source::Grey: return greyImage(53, 41);
    case Source::Bilevel: return bilevelImage(53, 41);
    case Source::Palette: return paletteImage(53, 41);
    }
    return {};
}

const char* sourceName(Source kind)
{
    switch (kind) {
    case Source::Colour: return "Colour";
    case Source::Grey: return "Grey";
    case Source::Bilevel: return "Bilevel";
    case Source::Palette: return "Palette";
    }
    return "";
}

double meanAbsoluteDifference(const QImage& a, const QImage& b)
{
    const QImage x = asRgb32(a);
    const QImage y = asRgb32(b);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * x.width() * x.height());
}

class RoundTrip : public ::testing::TestWithParam<std::tuple<const char*, Source>> {
protected:
    QTemporaryDir dir;
};

TEST_P(RoundTrip, EveryCodecReadsWhatItWrites)
{
    const auto [extension, kind] = GetParam();
    const QString path = dir.filePath(QStringLiteral("page.") + extension);
    const QImage source = makeSource(kind);

    TImageIO writer;
    QImage bitmap = source;
    writer.AttachBitmap(&bitmap);
    writer.WriteImageFile(path);
    ASSERT_FALSE(writer.Failed()) << writer.LastError().toStdString();

    TImageIO reader;
    QImage readBack;
    reader.AttachBitmap(&readBack);
    reader.ReadImageFile(path);
    ASSERT_FALSE(reader.Failed()) << reader.LastError().toStdString();
    ASSERT_EQ(readBack.size(), source.size());

    const bool lossy = QFileInfo(path).suffix().toLower().startsWith("jp");
    if (!lossy) {
        EXPECT_EQ(asRgb32(readBack), asRgb32(source));
        if (kind == Source::Bilevel) {
            EXPECT_EQ(readBack.depth(), 1) << "a bilevel page stays bilevel";
        }
    } else if (kind == Source::Colour || kind == Source::Grey) {
        EXPECT_LT(meanAbsoluteDifference(readBack, source), 12.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, RoundTrip,
    ::testing::Combine(::testing::Values("jpg", "JPG", "jpeg", "png", "PNG", "tif", "TIFF", "bmp", "BMP"),
                       ::testing::Values(Source::Colour, Source::Grey, Source::Bilevel, Source::Palette)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param)) + "_" + sourceName(std::get<1>(info.param));
    });

class ImageIOTest : public ::testing::Test {
protected:
    QString writeImage(const QString& name, const QImage& image)
    {
        TImageIO io;
        QImage copy = image;
        io.AttachBitmap(&copy);
        io.WriteImageFile(dir.filePath(name));
        EXPECT_FALSE(io.Failed());
        return dir.filePath(name);
    }

    QTemporaryDir dir;
    TImageIO io;
    QImage bitmap = colourImage(7, 5);
};

TEST_F(ImageIOTest, TheExtensionAloneChoosesTheDecoder)
{
    const QString png = writeImage("scan.png", greyImage(20, 10));
    const QString jpg = writeImage("real.jpg", greyImage(20, 10));
    QFile::copy(png, dir.filePath("scan.jpg"));
    QFile::copy(jpg, dir.filePath("real.png"));
    io.AttachBitmap(&bitmap);
    const QImage before = bitmap;

    for (const char* name : {"scan.jpg", "real.png"}) {
        io.ReadImageFile(dir.filePath(name));
        EXPECT_TRUE(io.Failed()) << name;
        EXPECT_EQ(bitmap, before) << name;
    }
}

TEST_F(ImageIOTest, UnknownExtensionSetsFailedAndTouchesNothing)
{
    const QString png = writeImage("page.png", greyImage(20, 10));
    QFile::copy(png, dir.filePath("page.xyz"));
    io.AttachBitmap(&bitmap);
    const QImage before = bitmap;

    io.ReadImageFile(dir.filePath("page.xyz"));
    EXPECT_TRUE(io.Failed());
    EXPECT_EQ(bitmap, before);

    io.WriteImageFile(dir.filePath("out.xyz"));
    EXPECT_TRUE(io.Failed());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("out.xyz")));

    io.ReadImageFile(dir.filePath("page.png"));
    EXPECT_FALSE(io.Failed()) << "a later good read clears the flag";
}

TEST_F(ImageIOTest, MultiPageTiffYieldsItsFirstPage)
{
    const QImage pages[] = {colourImage(40, 30), greyImage(20, 10)};
    const auto bytes = encodeTiff(pages, TiffCompression::Lzw);
    writeBytes(dir.filePath("two.tif"),
               QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    io.AttachBitmap(&bitmap);
    io.ReadImageFile(dir.filePath("two.tif"));
    ASSERT_FALSE(io.Failed());
    EXPECT_EQ(asRgb32(bitmap), asRgb32(pages[0]));
}

TEST_F(ImageIOTest, FaxCompressedBilevelTiffReadsAsBilevel)
{
    const QImage page = bilevelImage(203, 97);
    for (auto compression : {TiffCompression::CcittG3, TiffCompression::CcittG4}) {
        const QImage pages[] = {page};
        const auto bytes = encodeTiff(pages, compression);
        writeBytes(dir.filePath("fax.TIF"),
                   QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        io.ReadImageFile(dir.filePath("fax.TIF"));
        ASSERT_FALSE(io.Failed()) << io.LastError().toStdString();
        EXPECT_EQ(io.CurrentImage().depth(), 1);
        EXPECT_EQ(asRgb32(io.CurrentImage()), asRgb32(page));
    }
}

TEST_F(ImageIOTest, MissingFileRaisesAnErrorNamingIt)
{
    io.AttachBitmap(&bitmap);
    const QImage before = bitmap;
    const QString missing = dir.filePath("missing.jpg");
    try {
        io.ReadImageFile(missing);
        FAIL() << "no error raised";
    } catch (const ImageError& error) {
        EXPECT_EQ(error.kind(), ImageError::Kind::Open);
        EXPECT_NE(std::string(error.what()).find(missing.toStdString()), std::string::npos) << error.what();
    }
    EXPECT_TRUE(io.Failed());
    EXPECT_EQ(bitmap, before);
}

TEST_F(ImageIOTest, UncreatableFileRaisesAnErrorNamingIt)
{
    writeBytes(dir.filePath("plain"), "x");
    const QString target = dir.filePath("plain/page.png"); // below a regular file: fails for root too
    io.AttachBitmap(&bitmap);
    try {
        io.WriteImageFile(target);
        FAIL() << "no error raised";
    } catch (const ImageError& error) {
        EXPECT_EQ(error.kind(), ImageError::Kind::Create);
        EXPECT_NE(std::string(error.what()).find(target.toStdString()), std::string::npos) << error.what();
    }
    EXPECT_TRUE(io.Failed());
}

TEST_F(ImageIOTest, WritingNoImageFailsAndCreatesNothing)
{
    QImage empty;
    io.AttachBitmap(&empty);
    for (const char* name : {"a.jpg", "a.png", "a.tif", "a.bmp"}) {
        io.WriteImageFile(dir.filePath(name));
        EXPECT_TRUE(io.Failed()) << name;
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(name))) << name;
    }
}

TEST_F(ImageIOTest, WritesStoreTheAttachedBitmapAsDrawnAndReplaceTheFile)
{
    const QString path = writeImage("page.png", greyImage(9, 9));
    io.AttachBitmap(&bitmap);
    bitmap.setPixel(3, 2, qRgb(10, 200, 30));
    io.WriteImageFile(path);
    ASSERT_FALSE(io.Failed());

    TImageIO reader;
    reader.ReadImageFile(path);
    ASSERT_FALSE(reader.Failed());
    EXPECT_EQ(asRgb32(reader.CurrentImage()), asRgb32(bitmap));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).size() == 1) << "no temporary file left behind";
}

} // namespace
