// The document: object numbering, page tree, catalog, fonts, images, annotations, saving.
#include <gtest/gtest.h>

#include "PdfTestSupport.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfExceptions.h"
#include "pdf/PdfFonts.h"
#include "pdf/PdfImages.h"
#include "pdf/PdfXref.h"

using pdftest::ErrorOf;
using pdftest::ValueOf;

namespace {

std::string Save(TPdfDoc& doc)
{
    TPdfMemoryStream stream;
    doc.SaveToStream(stream);
    return stream.Bytes();
}

TPdfDictionary& DictionaryAt(TPdfDoc& doc, int number)
{
    return dynamic_cast<TPdfDictionary&>(*doc.Xref().ObjectAt(number));
}

class PdfDocNumbering : public ::testing::TestWithParam<bool> { };

TEST_P(PdfDocNumbering, FixedObjectsThenPageContentsAndFont)
{
    const bool outlines = GetParam();
    const int shift = outlines ? 0 : -1;
    TPdfDoc doc(pdftest::FixedClock());
    doc.UseOutlines = outlines;
    doc.NewDocument();
    TPdfDictionary& page = doc.AddPage();
    EXPECT_EQ(TPdfDictionary::TypeOf(DictionaryAt(doc, 1)), "Catalog");
    if (outlines) {
        EXPECT_EQ(TPdfDictionary::TypeOf(DictionaryAt(doc, 2)), "Outlines");
    }
    EXPECT_NE(DictionaryAt(doc, 3 + shift).Lookup("Producer"), nullptr);
    EXPECT_EQ(doc.CurrentPages()->ObjectNumber(), 4 + shift);
    EXPECT_EQ(page.ObjectNumber(), 5 + shift);
    EXPECT_EQ(page.Lookup("Contents")->ObjectNumber(), 6 + shift);
    EXPECT_EQ(doc.GetFont("Arial").Data()->ObjectNumber(), 7 + shift);
    EXPECT_EQ(doc.Xref().Count(), 8 + shift);
    const std::string catalog = ValueOf(*doc.GetRoot().Data());
    EXPECT_EQ(catalog, outlines ? "<<\r\n/Type /Catalog\r\n/Outlines 2 0 R\r\n/Pages 4 0 R\r\n>>"
                                : "<<\r\n/Type /Catalog\r\n/Pages 3 0 R\r\n>>");
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutOutlines, PdfDocNumbering, ::testing::Bool());

TEST(PdfDoc, FreshPageLayoutAndPageTree)
{
    TPdfDoc doc(pdftest::FixedClock());
    doc.NewDocument();
    TPdfDictionary& page = doc.AddPage();
    EXPECT_EQ(ValueOf(page), "<<\r\n/Type /Page\r\n/Parent 3 0 R\r\n/MediaBox [0 0 596 842 ]\r\n"
                             "/Resources <<\r\n/Font <<\r\n/F0 6 0 R\r\n>>\r\n/XObject <<\r\n>>\r\n"
                             "/ProcSet [/PDF /Text /ImageC ]\r\n>>\r\n/Contents 5 0 R\r\n>>");
    doc.AddPage();
    EXPECT_EQ(ValueOf(*doc.CurrentPages()), "<<\r\n/Type /Pages\r\n/Kids [4 0 R 7 0 R ]\r\n/Count 2\r\n>>");
}

TEST(PdfDoc, InformationDictionaryKeepsProducerAndDates)
{
    TPdfDoc doc(pdftest::FixedClock({2006, 11, 17, 14, 25, 6}));
    doc.NewDocument();
    doc.GetInfo().SetTitle("t");
    EXPECT_EQ(
        ValueOf(*doc.GetInfo().Data()),
        "<<\r\n/Producer (ChartPdf version 0.9)\r\n/CreationDate (D:20061117142506)\r\n/Title (t)\r\n>>");
    doc.AddPage();
    doc.SetClock(pdftest::FixedClock());
    const std::string file = Save(doc);
    EXPECT_NE(file.find("/Title (t)\r\n/ModDate (D:20240102030405)\r\n>>"), std::string::npos);
}

TEST(PdfDoc, SavedFileHasMeasuredCrossReferences)
{
    TPdfDoc doc(pdftest::FixedClock());
    doc.UseOutlines = true;
    doc.NewDocument();
    for (int i = 0; i < 3; ++i)
        doc.AddPage();
    const std::string first = Save(doc);
    EXPECT_EQ(pdftest::CheckStructure(first), "");
    EXPECT_NE(first.find("/Size 12\r\n"), std::string::npos);
    // Saving again rewrites the same bytes from the start.
    EXPECT_EQ(Save(doc), first);
}

TEST(PdfDoc, FontsAreCreatedOncePerNameWithResourceNames)
{
    TPdfDoc doc(pdftest::FixedClock());
    doc.NewDocument();
    TPdfFont& arial = doc.GetFont("Arial");
    EXPECT_EQ(&doc.GetFont("Arial"), &arial);
    EXPECT_EQ(doc.FontCount(), 1);
    EXPECT_EQ(ValueOf(*arial.Data()),
              "<<\r\n/Type /Font\r\n/Subtype /Type1\r\n/Encoding /WinAnsiEncoding\r\n"
              "/FirstChar 32\r\n/LastChar 255\r\n/BaseFont /Helvetica\r\n/Name /F0\r\n>>");
    TPdfFont& bold = doc.GetFont("Arial-Bold");
    EXPECT_EQ(bold.Data()->LookupName("Name")->Value(), "F1");
    EXPECT_EQ(bold.Data()->LookupName("BaseFont")->Value(), "Helvetica-Bold");
    EXPECT_EQ(ErrorOf([&] { doc.GetFont("Courier"); }), "Class Courier not found");
    EXPECT_THROW(doc.GetFont("arial"), EClassNotFound);
}

TEST(PdfDoc, CatalogSettersKeepOneKeyEach)
{
    TPdfDoc doc(pdftest::FixedClock());
    doc.NewDocument();
    TPdfCatalog& catalog = doc.GetRoot();
    catalog.SetPageMode(pmUseOutlines);
    catalog.SetPageLayout(plOneColumn);
    catalog.SetPageMode(pmUseThumbs);
    catalog.SetNonFullScreenPageMode(pmUseOutlines);
    catalog.SetViewerPreference({vpCenterWindow, vpHideToolbar, vpHideMenubar, vpHideWindowUI, vpFitWindow});
    EXPECT_EQ(ValueOf(*catalog.Data()),
              "<<\r\n/Type /Catalog\r\n/Pages 3 0 R\r\n/PageMode /UseThumbs\r\n/PageLayout /OneColumn\r\n"
              "/ViewerPreferences <<\r\n/NonFullScreenPageMode /UseOutlines\r\n/HideToolbar true\r\n"
              "/HideMenubar true\r\n/HideWindowUI true\r\n/FitWindow true\r\n/CenterWindow true\r\n>>\r\n>>");
    catalog.SetNonFullScreenPageMode(pmFullScreen);
    catalog.SetViewerPreference({vpFitWindow});
    EXPECT_EQ(ValueOf(*catalog.Data()->LookupDictionary("ViewerPreferences")), "<<\r\n/FitWindow true\r\n>>");
}

TEST(PdfDoc, ImagesRegisterOncePerNameAndObject)
{
    TPdfDoc doc(pdftest::FixedClock());
    doc.NewDocument();
    doc.AddPage();
    TPdfImage& image = doc.AddImage("Img", CreateImageObject(pdftest::FakeJpeg(10), "Pdf-Jpeg"));
    EXPECT_EQ(doc.GetXObject("Img"), &image);
    EXPECT_EQ(doc.GetXObject("img"), nullptr);
    doc.RegisterXObject(&image, "Other"); // already registered: nothing happens
    EXPECT_EQ(doc.GetXObject("Other"), nullptr);
    EXPECT_EQ(ErrorOf([&] { doc.AddImage("Img", CreateImageObject(pdftest::FakeJpeg(10), "Pdf-Jpeg")); }),
              "AddImage --the image named Img is already exists..");
    EXPECT_EQ(ErrorOf([&] { doc.AddImage("X", std::make_unique<TPdfImage>()); }),
              "AddImage --the image is not valid TPdfImage..");
    auto xobject = std::make_unique<TPdfXObject>();
    xobject->Attributes().Put("Type", std::make_unique<TPdfName>("XObject"));
    EXPECT_EQ(ErrorOf([&] { doc.RegisterXObject(std::move(xobject), "Img"); }),
              "RegisterXObject --dupulicate name: Img");
    EXPECT_EQ(ErrorOf([&] { doc.RegisterXObject(std::make_unique<TPdfXObject>(), "Y"); }),
              "RegisterXObject --not XObject");
    EXPECT_EQ(ErrorOf([&] { doc.RegisterXObject(std::unique_ptr<TPdfXObject>(), "Y"); }),
              "RegisterXObject --AObject is null");
    EXPECT_EQ(pdftest::CheckStructure(Save(doc)), "");
}

TEST(PdfDoc, AnnotationsJoinTheCurrentPage)
{
    TPdfDoc doc(pdftest::FixedClock());
    doc.NewDocument();
    TPdfDictionary& page = doc.AddPage();
    TPdfDictionary& first = doc.AddAnotation(asTextNotes, {777, 929, 877, 959});
    doc.AddAnotation(asLink, {0.5f, 1, 2, 3});
    EXPECT_EQ(ValueOf(first), "<<\r\n/Type /Annot\r\n/Subtype /Text\r\n/Rect [777 929 877 959 ]\r\n>>");
    EXPECT_EQ(ValueOf(*page.Lookup("Annots")), "[7 0 R 8 0 R ]");
}

TEST(PdfDoc, EveryOperationOnAClosedDocumentFails)
{
    TPdfDoc doc;
    EXPECT_FALSE(doc.HasDoc());
    EXPECT_EQ(ErrorOf([&] { doc.GetCanvas(); }), "GetCanvas --Document is null");
    EXPECT_EQ(ErrorOf([&] { doc.GetInfo(); }), "GetInfo --this method can not use this state..");
    EXPECT_EQ(ErrorOf([&] { doc.GetRoot(); }), "GetRoot --this method can not use this state..");
    EXPECT_EQ(ErrorOf([&] { doc.GetOutlineRoot(); }), "GetOutlineRoot --document is null..");
    EXPECT_EQ(ErrorOf([&] { doc.GetFont("Arial"); }), "GetFont --document is null.");
    EXPECT_EQ(ErrorOf([&] { doc.AddPage(); }), "AddPage --current pages null.");
    TPdfMemoryStream stream;
    EXPECT_EQ(ErrorOf([&] { doc.SaveToStream(stream); }), "SaveToStream --there is no document to save.");
    EXPECT_EQ(ErrorOf([&] { doc.AddAnotation(asTextNotes, {}); }), "AddAnotation --document is null.");
    EXPECT_THROW(doc.GetCanvas(), EPdfInvalidOperation);

    doc.NewDocument();
    EXPECT_EQ(ErrorOf([&] { doc.GetOutlineRoot(); }), "GetOutlineRoot --not use outline mode..");
    EXPECT_EQ(ErrorOf([&] { doc.SaveToStream(stream); }), "GetPage --the Page is nil");
    doc.FreeDocument();
    EXPECT_EQ(ErrorOf([&] { doc.AddPage(); }), "AddPage --current pages null.");
}

TEST(PdfDoc, ReusedDocumentStartsNumberingAgain)
{
    TPdfDoc doc(pdftest::FixedClock());
    doc.NewDocument();
    doc.AddPage();
    doc.AddPage();
    doc.NewDocument();
    EXPECT_EQ(doc.AddPage().ObjectNumber(), 4);
    EXPECT_EQ(doc.FontCount(), 1);
}

} // namespace
