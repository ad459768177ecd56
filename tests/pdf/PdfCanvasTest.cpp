// The content-stream canvas: default font, text state across pages, images, virtual canvas.
#include <gtest/gtest.h>

#include "PdfTestSupport.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfExceptions.h"
#include "pdf/PdfFonts.h"
#include "pdf/PdfImages.h"

using pdftest::ValueOf;

namespace {

class PdfCanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.NewDocument();
        page = &doc.AddPage();
    }
    std::string Contents() { return std::string(doc.GetCanvas().Contents()->Data().View()); }
    std::string Resources(const char* kind)
    {
        return ValueOf(*page->LookupDictionary("Resources")->LookupDictionary(kind));
    }

    TPdfDoc doc{pdftest::FixedClock()};
    TPdfDictionary* page = nullptr;
};

TEST_F(PdfCanvasTest, EveryPageStartsWithTheDefaultFont)
{
    EXPECT_EQ(Contents(), "/F0 10 Tf\n");
    TPdfCanvas& canvas = doc.GetCanvas();
    canvas.SetFont("Arial", 10);
    EXPECT_EQ(Contents(), "/F0 10 Tf\n");
    canvas.SetFont("Arial", 12);
    EXPECT_EQ(Contents(), "/F0 10 Tf\n/F0 12 Tf\n");
    EXPECT_EQ(Resources("Font"), "<<\r\n/F0 6 0 R\r\n>>");

    TPdfDictionary& second = doc.AddPage();
    EXPECT_EQ(Contents(), "/F0 10 Tf\n");
    EXPECT_EQ(ValueOf(*second.LookupDictionary("Resources")->LookupDictionary("Font")),
              "<<\r\n/F0 6 0 R\r\n>>");
    EXPECT_EQ(canvas.Attribute().FontSize(), 10);
}

TEST_F(PdfCanvasTest, TextStateIsSavedWithThePageAndRestored)
{
    TPdfCanvas& canvas = doc.GetCanvas();
    canvas.SetFont("Times-Bold", 14.5f);
    canvas.Attribute().SetCharSpace(-30);
    canvas.Attribute().SetWordSpace(2.5f);
    canvas.Attribute().SetHorizontalScaling(300);
    canvas.Attribute().SetLeading(12);
    TPdfDictionary* first = page;
    TPdfDictionary& second = doc.AddPage();
    EXPECT_EQ(canvas.Attribute().Font()->Name(), "Arial");
    EXPECT_EQ(canvas.Attribute().HorizontalScaling(), 100);

    canvas.SelectPage(first);
    EXPECT_EQ(canvas.Attribute().Font()->Name(), "Times-Bold");
    EXPECT_FLOAT_EQ(canvas.Attribute().FontSize(), 14.5f);
    EXPECT_FLOAT_EQ(canvas.Attribute().CharSpace(), -30);
    EXPECT_FLOAT_EQ(canvas.Attribute().WordSpace(), 2.5f);
    EXPECT_EQ(canvas.Attribute().HorizontalScaling(), 300);
    EXPECT_FLOAT_EQ(canvas.Attribute().Leading(), 12);
    // Restoring writes nothing, and the saved state never reaches the file.
    EXPECT_EQ(Contents(), "/F0 10 Tf\n/F1 14.5 Tf\n");
    EXPECT_EQ(ValueOf(*first).find("_Font"), std::string::npos);

    canvas.SelectPage(&second);
    EXPECT_EQ(canvas.Attribute().Font()->Name(), "Arial");
    EXPECT_EQ(canvas.Attribute().HorizontalScaling(), 100);
}

TEST_F(PdfCanvasTest, AttributeRangesIncludeTheirBounds)
{
    TPdfCanvasAttribute& attribute = doc.GetCanvas().Attribute();
    attribute.SetHorizontalScaling(10);
    attribute.SetHorizontalScaling(300);
    attribute.SetCharSpace(-30);
    attribute.SetFontSize(300);
    attribute.SetFontSize(0);
    struct Refusal {
        std::function<void()> call;
        const char* message;
    };
    const Refusal refusals[] = {
        {[&] { attribute.SetHorizontalScaling(9); }, "SetHorizontalScaling --invalid font size"},
        {[&] { attribute.SetHorizontalScaling(301); }, "SetHorizontalScaling --invalid font size"},
        {[&] { attribute.SetCharSpace(-30.5f); }, "SetCharSpace --invalid char space"},
        {[&] { attribute.SetCharSpace(300.5f); }, "SetCharSpace --invalid char space"},
        {[&] { attribute.SetWordSpace(-0.1f); }, "SetWordSpace --invalid word space"},
        {[&] { attribute.SetFontSize(301); }, "SetCharSpace --invalid font size"},
        {[&] { attribute.SetLeading(-1); }, "SetLeading --invalid font size"},
    };
    for (const auto& refusal : refusals) {
        try {
            refusal.call();
            ADD_FAILURE() << refusal.message;
        } catch (const EPdfInvalidValue& error) {
            EXPECT_STREQ(error.what(), refusal.message);
        }
    }
    EXPECT_EQ(attribute.HorizontalScaling(), 300);
    EXPECT_FLOAT_EQ(attribute.CharSpace(), -30);
}

TEST_F(PdfCanvasTest, DrawingAnImageAddsOneResourceAndOneGroupPerDraw)
{
    doc.AddImage("Img", CreateImageObject(pdftest::FakeJpeg(100), "Pdf-Jpeg"));
    TPdfCanvas& canvas = doc.GetCanvas();
    canvas.DrawXObject(33, 167, 600, 800, "Img");
    canvas.DrawXObjectEx(33, 167, 600, 800, 33, 167, 600, 800, "Img");
    EXPECT_EQ(Contents(), "/F0 10 Tf\nq\n600 0 0 800 33 167 cm\n/Img Do\nQ\n"
                          "q\n33 167 600 800 re\nW\nn\n600 0 0 800 33 167 cm\n/Img Do\nQ\n");
    EXPECT_EQ(Resources("XObject"), "<<\r\n/Img 7 0 R\r\n>>");

    for (auto draw : {+[](TPdfCanvas& c) { c.DrawXObject(0, 0, 1, 1, "Nope"); },
                      +[](TPdfCanvas& c) { c.DrawXObjectEx(0, 0, 1, 1, 0, 0, 1, 1, "Nope"); }}) {
        const std::string before = Contents();
        try {
            draw(canvas);
            ADD_FAILURE();
        } catch (const EPdfInvalidValue& error) {
            EXPECT_NE(std::string(error.what()).find("--XObject not found: Nope"), std::string::npos);
        }
        EXPECT_EQ(Contents(), before);
    }
}

TEST_F(PdfCanvasTest, PageSizeChangesTheMediaBox)
{
    TPdfCanvas& canvas = doc.GetCanvas();
    canvas.SetPageHeight(1000);
    canvas.SetPageWidth(700);
    EXPECT_EQ(ValueOf(*page->Lookup("MediaBox")), "[0 0 700 1000 ]");
    page->Remove("MediaBox");
    try {
        canvas.SetPageWidth(1);
        FAIL();
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "Can not chenge width of this page..");
    }
}

TEST(PdfCanvas, VirtualCanvasWritesNothing)
{
    TPdfDoc doc(pdftest::FixedClock());
    TPdfCanvas& canvas = doc.OpenVirtualCanvas();
    doc.AddPage(); // a page added while virtual does not even get its font selection
    doc.AddImage("Img", CreateImageObject(pdftest::FakeJpeg(10), "Pdf-Jpeg"));
    canvas.SetFont("Arial", 20);
    canvas.DrawXObject(1, 2, 3, 4, "Img");
    EXPECT_EQ(canvas.Contents()->Data().Size(), 0u);
    TPdfMemoryStream stream;
    doc.SaveToStream(stream);
    EXPECT_NE(stream.Bytes().find("/Length 0\r\n"), std::string::npos);
}

TEST(PdfCanvas, WithoutPageOrDocument)
{
    TPdfCanvas canvas(nullptr);
    try {
        canvas.GetPage();
        FAIL();
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "GetPage --the Page is nil");
    }
    try {
        canvas.GetDoc();
        FAIL();
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "ERROR: GetDoc documant is nil.");
    }
    canvas.WriteString("ignored"); // no contents: nothing happens
}

} // namespace
