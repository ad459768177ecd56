// Malformed and oversized files end a read with Failed, never with a crash, a hang or an
// exhausted memory (these tests run under AddressSanitizer).
#include "TestImages.h"
#include "imaging/JpegCodec.h"
#include "imaging/QtCodec.h"
#include "imaging/TImageIO.h"
#include "imaging/TiffCodec.h"

#include <gtest/gtest.h>

using namespace quillora::imaging;
using namespace quillora::imaging::test;

namespace {

QByteArray toBytes(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QByteArray validJpeg() { return toBytes(encodeJpeg(colourImage(64, 48), 75, true)); }
QByteArray validPng() { return toBytes(encodeWithQt(colourImage(64, 48), "png", {})); }
QByteArray validBmp() { return toBytes(encodeWithQt(colourImage(64, 48), "bmp", {})); }
QByteArray validTiff()
{
    const QImage pages[] = {colourImage(64, 48)};
    return toBytes(encodeTiff(pages, TiffCompression::PackBits));
}

void putBigEndian16(QByteArray& bytes, qsizetype at, int value)
{
    bytes[at] = static_cast<char>(value >> 8);
    bytes[at + 1] = static_cast<char>(value & 0xff);
}

void putLittleEndian32(QByteArray& bytes, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

// The JPEG's frame header claims 20000 x 20000 colour pixels: 1.6 GB decoded.
QByteArray jpegClaimingHugeSize()
{
    QByteArray bytes = validJpeg();
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    putBigEndian16(bytes, sof + 5, 20000);
    putBigEndian16(bytes, sof + 7, 20000);
    return bytes;
}

// The PNG's first IDAT byte changed without fixing the chunk's CRC.
QByteArray pngWithBadCrc()
{
    QByteArray bytes = validPng();
    const qsizetype idat = bytes.indexOf("IDAT");
    bytes[idat + 6] = static_cast<char>(bytes[idat + 6] ^ 0x5a);
    return bytes;
}

// The TIFF header points its first directory far beyond the file.
QByteArray tiffWithGarbageOffset()
{
    QByteArray bytes = validTiff();
    putLittleEndian32(bytes, 4, 0x7ffffff0u);
    return bytes;
}

// Directory found, but every strip offset and count replaced by garbage.
QByteArray tiffWithGarbageStrips()
{
    QByteArray bytes = validTiff();
    for (qsizetype i = bytes.size() - 200; i < bytes.size(); i += 7)
        bytes[i] = static_cast<char>(0xA5);
    return bytes;
}

// The BMP's info header claims far more pixels than the file holds.
QByteArray bmpWhoseHeaderLies()
{
    QByteArray bytes = validBmp();
    putLittleEndian32(bytes, 18, 19000); // biWidth
    putLittleEndian32(bytes, 22, 19000); // biHeight
    return bytes;
}

QByteArray bmpWithDataOffsetBeyondTheFile()
{
    QByteArray bytes = validBmp();
    putLittleEndian32(bytes, 10, 0x7fffffffu); // bfOffBits
    return bytes;
}

struct Malformed {
    const char* name;
    const char* fileName;
    QByteArray (*make)();
};

const Malformed kCases[] = {
    {"EmptyJpeg", "a.jpg", [] { return QByteArray(); }},
    {"EmptyTiff", "a.tif", [] { return QByteArray(); }},
    {"EmptyPng", "a.png", [] { return QByteArray(); }},
    {"EmptyBmp", "a.bmp", [] { return QByteArray(); }},
    {"TruncatedJpeg", "a.jpg", [] { return validJpeg().left(validJpeg().size() / 2); }},
    {"JpegHeaderOnly", "a.jpg", [] { return validJpeg().left(4); }},
    {"JpegGarbage", "a.jpg", [] { return QByteArray("\xFF\xD8\xFF\xC0garbage-and-more-garbage", 28); }},
    {"JpegClaimingHugeSize", "a.jpg", jpegClaimingHugeSize},
    {"JpegTooWide", "a.jpg", [] { return toBytes(encodeJpeg(greyImage(20001, 8), 75, true)); }},
    {"PngBadCrc", "a.png", pngWithBadCrc},
    {"TruncatedPng", "a.png", [] { return validPng().left(validPng().size() - 40); }},
    {"PngTooWide", "a.png", [] { return toBytes(encodeWithQt(bilevelImage(25000, 1), "png", {})); }},
    {"TiffGarbageDirectoryOffset", "a.tif", tiffWithGarbageOffset},
    {"TiffGarbageStrips", "a.tif", tiffWithGarbageStrips},
    {"TiffHeaderOnly", "a.tif", [] { return validTiff().left(8); }},
    {"TiffTooWide", "a.tif",
     [] {
         const QImage pages[] = {bilevelImage(25000, 1)};
         return toBytes(encodeTiff(pages, TiffCompression::CcittG4));
     }},
    {"BmpHeaderLies", "a.bmp", bmpWhoseHeaderLies},
    {"BmpDataOffsetBeyondFile", "a.bmp", bmpWithDataOffsetBeyondTheFile},
    {"TruncatedBmp", "a.bmp", [] { return validBmp().left(60); }},
};

class MalformedFile : public ::testing::TestWithParam<Malformed> { };

TEST_P(MalformedFile, SetsFailedAndKeepsTheBitmap)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(GetParam().fileName);
    writeBytes(path, GetParam().make());
    QImage bitmap = colourImage(5, 4);
    const QImage before = bitmap;
    TImageIO io;
    io.AttachBitmap(&bitmap);
    io.ReadImageFile(path);
    EXPECT_TRUE(io.Failed());
    EXPECT_FALSE(io.LastError().isEmpty());
    EXPECT_EQ(bitmap, before);
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedFile, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The corrupted files above are only meaningful if the originals read.
TEST(MalformedFileBaseline, TheUncorruptedFilesRead)
{
    QTemporaryDir dir;
    const std::pair<const char*, QByteArray> files[] = {
        {"a.jpg", validJpeg()}, {"a.png", validPng()}, {"a.tif", validTiff()}, {"a.bmp", validBmp()}};
    for (const auto& [name, bytes] : files) {
        writeBytes(dir.filePath(name), bytes);
        TImageIO io;
        io.ReadImageFile(dir.filePath(name));
        EXPECT_FALSE(io.Failed()) << name << ": " << io.LastError().toStdString();
        EXPECT_EQ(io.CurrentImage().size(), QSize(64, 48)) << name;
    }
}

} // namespace
