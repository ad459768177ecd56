#include "pdf/PdfImages.h"

#include <functional>
#include <string>

#include "pdf/PdfExceptions.h"

bool IsEmptyPicture(const TPdfPicture& picture)
{
    if (const auto* jpeg = std::get_if<TPdfJpegPicture>(&picture))
        return jpeg->Empty();
    if (const auto* bitmap = std::get_if<TPdfBitmap>(&picture))
        return bitmap->Empty();
    return true;
}

namespace {

std::unique_ptr<TPdfImage> NewImageXObject()
{
    auto image = std::make_unique<TPdfImage>();
    image->Attributes().Put("Type", std::make_unique<TPdfName>("XObject"));
    image->Attributes().Put("Subtype", std::make_unique<TPdfName>("Image"));
    return image;
}

void PutSize(TPdfImage& image, int width, int height)
{
    image.Attributes().Put("Width", std::make_unique<TPdfNumber>(width));
    image.Attributes().Put("Height", std::make_unique<TPdfNumber>(height));
    image.Attributes().Put("BitsPerComponent", std::make_unique<TPdfNumber>(8));
}

} // namespace

std::unique_ptr<TPdfImage> TPdfImageCreator::CreateImage(const TPdfPicture&) { return nullptr; }

std::unique_ptr<TPdfImage> TPdfJpegImage::CreateImage(const TPdfPicture& picture)
{
    const auto* jpeg = std::get_if<TPdfJpegPicture>(&picture);
    if (!jpeg)
        throw EPdfInvalidValue("only jpeg image is allowed.");
    auto image = NewImageXObject();
    if (jpeg->Data)
        image->Data().AssignShared(jpeg->Data);
    image->Attributes().Put("ColorSpace", std::make_unique<TPdfName>("DeviceRGB"));
    PutSize(*image, jpeg->Width, jpeg->Height);
    image->Attributes().LookupArray("Filter")->Add(std::make_unique<TPdfName>("DCTDecode"));
    return image;
}

namespace {

// Palette index of pixel x in a 1-, 4- or 8-bit row.
std::uint8_t PaletteIndex(const std::vector<std::uint8_t>& row, TPdfPixelFormat format, int x)
{
    switch (format) {
    case pf1bit: return (row[x / 8] >> (7 - x % 8)) & 0x01;
    case pf4bit: return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F;
    default: return row[x];
    }
}

std::size_t RowBytes(TPdfPixelFormat format, int width)
{
    switch (format) {
    case pf1bit: return (static_cast<std::size_t>(width) + 7) / 8;
    case pf4bit: return (static_cast<std::size_t>(width) + 1) / 2;
    case pf8bit: return width;
    case pf24bit: return 3 * static_cast<std::size_t>(width);
    case pf32bit: return 4 * static_cast<std::size_t>(width);
    }
    return 0;
}

void CheckRows(const TPdfBitmap& bitmap)
{
    if (bitmap.Width < 0 || bitmap.Height < 0 ||
        bitmap.Rows.size() != static_cast<std::size_t>(bitmap.Height))
        throw EPdfInvalidImageFormat("the bitmap rows do not match its size.");
    const std::size_t needed = RowBytes(bitmap.PixelFormat, bitmap.Width);
    for (const auto& row : bitmap.Rows)
        if (row.size() < needed)
            throw EPdfInvalidImageFormat("the bitmap rows do not match its size.");
}

bool IsPaletteFormat(TPdfPixelFormat format)
{
    return format == pf1bit || format == pf4bit || format == pf8bit;
}

// [/Indexed /DeviceRGB 255 <RRGGBB ...>]; entries missing from the palette are black.
std::unique_ptr<TPdfArray> IndexedColorSpace(const TPdfBitmap& bitmap)
{
    if (!IsPaletteFormat(bitmap.PixelFormat))
        throw EPdfInvalidImageFormat("only 8 bit color image is allowed.");
    if (bitmap.Palette.empty() || bitmap.Palette.size() > 256)
        throw EPdfInvalidImageFormat("failed to get Palette..");
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "<";
    for (int i = 0; i < 256; ++i) {
        const TPdfRgb color = i < static_cast<int>(bitmap.Palette.size()) ? bitmap.Palette[i] : TPdfRgb{};
        for (std::uint8_t component : {color.Red, color.Green, color.Blue}) {
            text += digits[component >> 4];
            text += digits[component & 0x0F];
        }
        text += ' ';
    }
    text += '>';
    auto space = std::make_unique<TPdfArray>();
    space->Add(std::make_unique<TPdfName>("Indexed"));
    space->Add(std::make_unique<TPdfName>("DeviceRGB"));
    space->Add(std::make_unique<TPdfNumber>(255));
    space->Add(std::make_unique<TPdfBinary>(std::move(text)));
    return space;
}

void AppendIndexedPixels(TPdfImage& image, const TPdfBitmap& bitmap)
{
    std::string row(static_cast<std::size_t>(bitmap.Width), '\0');
    for (const auto& source : bitmap.Rows) {
        for (int x = 0; x < bitmap.Width; ++x)
            row[x] = static_cast<char>(PaletteIndex(source, bitmap.PixelFormat, x));
        image.Data().Append(row);
    }
}

void AppendRgbPixels(TPdfImage& image, const TPdfBitmap& bitmap)
{
    const int step = bitmap.PixelFormat == pf32bit ? 4 : 3;
    std::string row(3 * static_cast<std::size_t>(bitmap.Width), '\0');
    for (const auto& source : bitmap.Rows) {
        for (int x = 0; x < bitmap.Width; ++x) {
            const std::uint8_t* pixel = &source[static_cast<std::size_t>(x) * step];
            row[3 * x] = static_cast<char>(pixel[2]);
            row[3 * x + 1] = static_cast<char>(pixel[1]);
            row[3 * x + 2] = static_cast<char>(pixel[0]);
        }
        image.Data().Append(row);
    }
}

} // namespace

std::unique_ptr<TPdfImage> TPdfBitmapImage::CreateImage(const TPdfPicture& picture)
{
    const auto* bitmap = std::get_if<TPdfBitmap>(&picture);
    if (!bitmap)
        throw EPdfInvalidValue("only bitmap image is allowed.");
    CheckRows(*bitmap);
    auto image = NewImageXObject();
    if (IsPaletteFormat(bitmap->PixelFormat)) {
        AppendIndexedPixels(*image, *bitmap);
        image->Attributes().Put("ColorSpace", IndexedColorSpace(*bitmap));
    } else {
        AppendRgbPixels(*image, *bitmap);
        image->Attributes().Put("ColorSpace", std::make_unique<TPdfName>("DeviceRGB"));
    }
    PutSize(*image, bitmap->Width, bitmap->Height);
    return image;
}

std::unique_ptr<TPdfImage> CreateImageObject(const TPdfPicture& picture, std::string_view className)
{
    std::unique_ptr<TPdfImageCreator> creator;
    if (className == "Pdf-Jpeg")
        creator = std::make_unique<TPdfJpegImage>();
    else if (className == "Pdf-Bitmap")
        creator = std::make_unique<TPdfBitmapImage>();
    else
        throw EClassNotFound(std::string(className));
    return creator->CreateImage(picture);
}
