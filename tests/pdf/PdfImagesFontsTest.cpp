// Image XObjects and the standard font width tables.
#include <gtest/gtest.h>

#include "PdfTestSupport.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfExceptions.h"
#include "pdf/PdfFonts.h"
#include "pdf/PdfImages.h"
#include "pdf/PdfXref.h"

using pdftest::ValueOf;

namespace {

TEST(PdfImages, JpegImageCarriesTheBytesUnchanged)
{
    const TPdfJpegPicture jpeg = pdftest::FakeJpeg(12345);
    auto image = CreateImageObject(jpeg, "Pdf-Jpeg");
    const std::string written = ValueOf(*image);
    EXPECT_EQ(written.substr(0, written.find("stream")),
              "<<\r\n/Length 12345\r\n/Filter [/DCTDecode ]\r\n/Type /XObject\r\n/Subtype /Image\r\n"
              "/ColorSpace /DeviceRGB\r\n/Width 600\r\n/Height 800\r\n/BitsPerComponent 8\r\n>>\r\n");
    const auto data = written.find("stream\r\n") + 8;
    EXPECT_EQ(written.compare(data, 12345, reinterpret_cast<const char*>(jpeg.Data->data()), 12345), 0);
    EXPECT_EQ(written.substr(data + 12345), "\nendstream");
    // No copy of the image data is made.
    EXPECT_EQ(image->Data().View().data(), reinterpret_cast<const char*>(jpeg.Data->data()));
}

TEST(PdfImages, CreatorsRefuseOtherPictures)
{
    try {
        CreateImageObject(TPdfBitmap{}, "Pdf-Jpeg");
        FAIL();
    } catch (const EPdfInvalidValue& error) {
        EXPECT_STREQ(error.what(), "only jpeg image is allowed.");
    }
    EXPECT_THROW(CreateImageObject(pdftest::FakeJpeg(1), "Pdf-Bitmap"), EPdfInvalidValue);
    EXPECT_THROW(CreateImageObject(pdftest::FakeJpeg(1), "Pdf-Png"), EClassNotFound);
    TPdfImageCreator base;
    EXPECT_EQ(base.CreateImage(pdftest::FakeJpeg(1)), nullptr);
}

TEST(PdfImages, OneBitBitmapBecomesIndexedImage)
{
    TPdfBitmap bitmap;
    bitmap.Width = 10;
    bitmap.Height = 2;
    bitmap.PixelFormat = pf1bit;
    bitmap.Rows = {{0b10100000, 0b01000000}, {0xFF, 0xC0}};
    bitmap.Palette = {{0, 0, 0}, {255, 255, 255}};
    auto image = CreateImageObject(bitmap, "Pdf-Bitmap");
    EXPECT_EQ(image->Data().View(), std::string("\1\0\1\0\0\0\0\0\0\1\1\1\1\1\1\1\1\1\1\1", 20));
    const std::string space = ValueOf(*image->Attributes().Lookup("ColorSpace"));
    EXPECT_EQ(space.substr(0, 45), "[/Indexed /DeviceRGB 255 <000000 FFFFFF 00000");
    EXPECT_EQ(space.size(), 25 + 1 + 256 * 7 + 1 + 2);
    EXPECT_EQ(space.substr(space.size() - 10), "000000 > ]");
    EXPECT_EQ(image->Attributes().LookupArray("Filter")->Count(), 0);
}

TEST(PdfImages, ThirtyTwoBitBitmapBecomesRgb)
{
    TPdfBitmap bitmap;
    bitmap.Width = 2;
    bitmap.Height = 1;
    bitmap.PixelFormat = pf32bit;
    bitmap.Rows = {{1, 2, 3, 0, 4, 5, 6, 0}};
    auto image = CreateImageObject(bitmap, "Pdf-Bitmap");
    EXPECT_EQ(image->Data().View(), std::string("\3\2\1\6\5\4", 6));
    EXPECT_EQ(image->Attributes().LookupName("ColorSpace")->Value(), "DeviceRGB");
    EXPECT_EQ(image->Attributes().LookupNumber("Width")->Value(), 2);
}

TEST(PdfImages, BadBitmapsAreRefused)
{
    TPdfBitmap noPalette;
    noPalette.Width = 1;
    noPalette.Height = 1;
    noPalette.PixelFormat = pf8bit;
    noPalette.Rows = {{0}};
    try {
        CreateImageObject(noPalette, "Pdf-Bitmap");
        FAIL();
    } catch (const EPdfInvalidImageFormat& error) {
        EXPECT_STREQ(error.what(), "failed to get Palette..");
    }
    TPdfBitmap shortRows = noPalette;
    shortRows.PixelFormat = pf24bit;
    EXPECT_THROW(CreateImageObject(shortRows, "Pdf-Bitmap"), EPdfInvalidImageFormat);
}

TEST(PdfFonts, WidthTablesMatchTheStandardMetrics)
{
    struct Check {
        const char* font;
        unsigned char code;
        int width;
    };
    const Check checks[] = {
        {"Arial", ' ', 278},
        {"Arial", 'A', 667},
        {"Arial", 'W', 944},
        {"Arial", 0x80, 556},
        {"Arial-Bold", '!', 333},
        {"Times-Roman", ' ', 250},
        {"Times-Roman", 'A', 722},
        {"Times-Italic", 'A', 611},
        {"Times-BoldItalic", '!', 389},
        {"FixedWidth", 'i', 600},
        {"FixedWidth-BoldItalic", 0x81, 600},
        {"Arial", 0x1F, 0},
    };
    TPdfXref xref;
    for (const auto& check : checks) {
        auto font = CreateRegisteredFont(check.font, xref);
        const std::string text(1, static_cast<char>(check.code));
        EXPECT_EQ(font->GetCharWidth(text, 1), check.width) << check.font << " " << int(check.code);
    }
    for (const char* name : {"Arial", "Arial-BoldItalic", "Times-Roman", "Times-Bold"}) {
        auto font = CreateRegisteredFont(name, xref);
        for (unsigned char code : {0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D, 0xA0, 0xAD})
            EXPECT_EQ(font->GetCharWidth(std::string(1, static_cast<char>(code)), 1), 0)
                << name << " " << int(code);
    }
    EXPECT_EQ(RegisteredFontNames().size(), 12u);
}

TEST(PdfFonts, WidthsStayInternal)
{
    TPdfXref xref;
    auto font = CreateRegisteredFont("Times-Roman", xref);
    EXPECT_EQ(font->Data()->LookupArray("Widths")->Count(), 224);
    EXPECT_EQ(ValueOf(*font->Data()).find("Widths"), std::string::npos);
    EXPECT_EQ(font->GetCharWidth("A", 2), 0);
}

} // namespace
