#include "imaging/TiffCodec.h"

#include "imaging/ImageError.h"
#include "imaging/ImageLimits.h"
#include "imaging/TiffStream.h"

#include <cstring>

namespace quillora::imaging {
namespace {

constexpr const char* kFormat = "TIFF";
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

[[noreturn]] void fail(ImageError::Kind kind, const QString& fileName, const std::string& detail)
{
    throw ImageError(kind, fileName.toStdString(), kFormat, detail.empty() ? "libtiff failed" : detail);
}

struct Layout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bitsPerSample = 1;
    std::uint16_t samplesPerPixel = 1;
    std::uint16_t photometric = PHOTOMETRIC_MINISWHITE;
    std::uint16_t extraSamples = 0;
};

Layout readLayout(TIFF* tiff)
{
    Layout layout;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &layout.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &layout.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &layout.bitsPerSample);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &layout.samplesPerPixel);
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &layout.photometric))
        layout.photometric = PHOTOMETRIC_MINISWHITE;
    std::uint16_t* kinds = nullptr;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &layout.extraSamples, &kinds);
    return layout;
}

bool isGreyPhotometric(const Layout& layout)
{
    return layout.samplesPerPixel == 1 &&
           (layout.photometric == PHOTOMETRIC_MINISWHITE || layout.photometric == PHOTOMETRIC_MINISBLACK);
}

// Bilevel strips are read row by row into a 1-bit image, keeping the page bilevel.
QImage readBilevel(TIFF* tiff, const Layout& layout, tifflib::MemoryFile& file, const QString& fileName)
{
    QImage image(static_cast<int>(layout.width), static_cast<int>(layout.height), QImage::Format_Mono);
    if (image.isNull())
        fail(ImageError::Kind::Bounds, fileName, "out of memory");
    const bool zeroIsWhite = layout.photometric == PHOTOMETRIC_MINISWHITE;
    image.setColorTable({zeroIsWhite ? kWhite : kBlack, zeroIsWhite ? kBlack : kWhite});
    if (TIFFScanlineSize(tiff) > image.bytesPerLine())
        fail(ImageError::Kind::Decode, fileName, "inconsistent scanline size");
    for (std::uint32_t y = 0; y < layout.height; ++y) {
        if (TIFFReadScanline(tiff, image.scanLine(static_cast<int>(y)), y, 0) < 0)
            fail(ImageError::Kind::Decode, fileName, file.firstError);
    }
    return image;
}

// libtiff's packed pixel A<<24 | B<<16 | G<<8 | R as Qt's 0xAARRGGBB.
constexpr std::uint32_t toArgb(std::uint32_t p)
{
    return (p & 0xff00ff00u) | ((p & 0xffu) << 16) | ((p >> 16) & 0xffu);
}

// Everything else goes through libtiff's RGBA conversion (palette, RGB, YCbCr, CMYK, 16-bit,
// tiles). The raster is the image's own pixel memory, converted in place, so no second full
// copy is made (a grey result takes a quarter more).
QImage readThroughRgba(TIFF* tiff, const Layout& layout, tifflib::MemoryFile& file, const QString& fileName)
{
    char message[1024] = {};
    if (!TIFFRGBAImageOK(tiff, message))
        fail(ImageError::Kind::Decode, fileName, message);
    const QImage::Format format = layout.extraSamples > 0 ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    QImage image(static_cast<int>(layout.width), static_cast<int>(layout.height), format);
    if (image.isNull())
        fail(ImageError::Kind::Bounds, fileName, "out of memory");
    auto* raster = reinterpret_cast<std::uint32_t*>(image.bits());
    if (!TIFFReadRGBAImageOriented(tiff, layout.width, layout.height, raster, ORIENTATION_TOPLEFT, 1))
        fail(ImageError::Kind::Decode, fileName, file.firstError);
    // TIFFGetR/G/B/A read the packed value arithmetically, so this holds on either byte order.
    const std::size_t count = std::size_t{layout.width} * layout.height;
    for (std::size_t i = 0; i < count; ++i)
        raster[i] = toArgb(raster[i]) | (layout.extraSamples > 0 ? 0u : 0xff000000u);
    if (isGreyPhotometric(layout))
        return image.convertToFormat(QImage::Format_Grayscale8);
    return image;
}

void setCommonFields(TIFF* tiff, const QImage& page, std::uint16_t bits, std::uint16_t samples,
                     std::uint16_t photometric, std::uint16_t compression)
{
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(page.width()));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(page.height()));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
}

std::uint16_t libtiffCompression(TiffCompression compression, bool bilevel)
{
    switch (compression) {
    case TiffCompression::CcittG3: return bilevel ? COMPRESSION_CCITTFAX3 : COMPRESSION_NONE;
    case TiffCompression::CcittG4: return bilevel ? COMPRESSION_CCITTFAX4 : COMPRESSION_NONE;
    case TiffCompression::Lzw: return COMPRESSION_LZW;
    case TiffCompression::PackBits: return COMPRESSION_PACKBITS;
    case TiffCompression::None: break;
    }
    return COMPRESSION_NONE;
}

// Converts the page to a layout TIFF stores directly and sets the matching fields.
QImage preparePage(TIFF* tiff, const QImage& source, TiffCompression compression)
{
    if (source.depth() == 1) {
        QImage page = source.convertToFormat(QImage::Format_Mono);
        const bool zeroIsWhite = qGray(page.color(0)) > qGray(page.color(1));
        setCommonFields(tiff, page, 1, 1, zeroIsWhite ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK,
                        libtiffCompression(compression, true));
        return page;
    }
    const std::uint16_t packed = libtiffCompression(compression, false);
    if (source.format() == QImage::Format_Grayscale8) {
        setCommonFields(tiff, source, 8, 1, PHOTOMETRIC_MINISBLACK, packed);
        return source;
    }
    if (source.format() == QImage::Format_Indexed8) {
        setCommonFields(tiff, source, 8, 1, PHOTOMETRIC_PALETTE, packed);
        std::vector<std::uint16_t> red(256), green(256), blue(256);
        const auto table = source.colorTable();
        for (int i = 0; i < table.size() && i < 256; ++i) {
            red[i] = static_cast<std::uint16_t>(qRed(table[i]) * 257);
            green[i] = static_cast<std::uint16_t>(qGreen(table[i]) * 257);
            blue[i] = static_cast<std::uint16_t>(qBlue(table[i]) * 257);
        }
        TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
        return source;
    }
    QImage page = source.convertToFormat(QImage::Format_RGB888);
    setCommonFields(tiff, page, 8, 3, PHOTOMETRIC_RGB, packed);
    return page;
}

void writePage(TIFF* tiff, const QImage& source, int index, int count, TiffCompression compression,
               tifflib::MemoryFile& file, const QString& fileName)
{
    const QImage page = preparePage(tiff, source, compression);
    if (count > 1) {
        TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
        TIFFSetField(tiff, TIFFTAG_PAGENUMBER, static_cast<std::uint16_t>(index),
                     static_cast<std::uint16_t>(count));
    }
    const auto rowBytes = static_cast<std::size_t>(TIFFScanlineSize(tiff));
    std::vector<std::uint8_t> row(rowBytes); // libtiff may encode in place: never hand it our pixels
    for (int y = 0; y < page.height(); ++y) {
        std::memcpy(row.data(), page.constScanLine(y), rowBytes);
        if (TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0) < 0)
            fail(ImageError::Kind::Encode, fileName, file.firstError);
    }
    if (!TIFFWriteDirectory(tiff))
        fail(ImageError::Kind::Encode, fileName, file.firstError);
}

} // namespace

QImage decodeTiff(std::span<const std::uint8_t> data, const QString& fileName)
{
    tifflib::MemoryFile file;
    file.input = data.data();
    file.inputSize = data.size();
    tifflib::TiffHandle tiff = tifflib::openMemory(file, "r");
    if (!tiff)
        fail(ImageError::Kind::Decode, fileName, file.firstError);
    const Layout layout = readLayout(tiff.get());
    if (!withinImageBounds(layout.width, layout.height, 4))
        fail(ImageError::Kind::Bounds, fileName, boundsDetail(layout.width, layout.height, 4));
    const bool bilevel = isGreyPhotometric(layout) && layout.bitsPerSample == 1;
    if (bilevel && !TIFFIsTiled(tiff.get()))
        return readBilevel(tiff.get(), layout, file, fileName);
    return readThroughRgba(tiff.get(), layout, file, fileName);
}

std::vector<std::uint8_t> encodeTiff(std::span<const QImage> pages, TiffCompression compression,
                                     const QString& fileName)
{
    if (pages.empty())
        fail(ImageError::Kind::Encode, fileName, "no image");
    std::vector<std::uint8_t> bytes;
    tifflib::MemoryFile file;
    file.output = &bytes;
    {
        tifflib::TiffHandle tiff = tifflib::openMemory(file, "w");
        if (!tiff)
            fail(ImageError::Kind::Encode, fileName, file.firstError);
        const int count = static_cast<int>(pages.size());
        for (int i = 0; i < count; ++i) {
            if (pages[i].isNull())
                fail(ImageError::Kind::Encode, fileName, "no image");
            writePage(tiff.get(), pages[i], i, count, compression, file, fileName);
        }
    } // closing flushes the last bytes into `bytes`
    if (!file.firstError.empty())
        fail(ImageError::Kind::Encode, fileName, file.firstError);
    return bytes;
}

} // namespace quillora::imaging
