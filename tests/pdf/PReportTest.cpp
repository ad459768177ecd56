// The report layer: page printing, layout, items, properties and their failures.
#include <gtest/gtest.h>

#include <fstream>

#include "ChartReport.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfExceptions.h"

using pdftest::ChartReport;
using pdftest::ErrorOf;
using pdftest::Occurrences;

namespace {

std::string Finish(TPReport& report)
{
    TPdfMemoryStream stream;
    report.FinishDocument(stream);
    return stream.Bytes();
}

TEST(PReport, PagesTakeThePageComponentSize)
{
    ChartReport chart(std::make_shared<TPdfSequenceRandom>(std::vector<int>{1, 2, 3}));
    chart.report.StartDocument();
    for (int i = 0; i < 3; ++i)
        chart.AddPage(pdftest::FakeJpeg(50, 600, 800));
    EXPECT_EQ(chart.report.PageCount(), 3);
    const std::string file = Finish(chart.report);
    EXPECT_EQ(Occurrences(file, "/MediaBox [0 0 700 1000 ]"), 3u);
    EXPECT_NE(file.find("/Kids [5 0 R 9 0 R 12 0 R ]\r\n/Count 3"), std::string::npos);
    // The last printed page is the open action.
    EXPECT_NE(file.find("/OpenAction [12 0 R /XYZ 0 1000 1 ]"), std::string::npos);
    EXPECT_EQ(pdftest::CheckStructure(file), "");
}

TEST(PReport, UnsharedImagesGetOwnObjectsSharedOnesOne)
{
    ChartReport chart(std::make_shared<TPdfSequenceRandom>(std::vector<int>{7, 7, 8, 9}));
    chart.report.StartDocument();
    for (int i = 0; i < 3; ++i)
        chart.AddPage(pdftest::FakeJpeg(50));
    const std::string unshared = Finish(chart.report);
    EXPECT_EQ(Occurrences(unshared, "/Subtype /Image"), 3u);
    // A taken number is skipped: 7, 7 (taken), 8.
    for (const char* name : {"/PRJpegImage17 Do", "/PRJpegImage18 Do", "/PRJpegImage19 Do"})
        EXPECT_EQ(Occurrences(unshared, name), 1u) << name;

    chart.image.SharedImage = true;
    chart.image.Stretch = true;
    chart.report.StartDocument();
    for (int i = 0; i < 3; ++i)
        chart.AddPage(pdftest::FakeJpeg(50));
    const std::string shared = Finish(chart.report);
    EXPECT_EQ(Occurrences(shared, "/Subtype /Image"), 1u);
    EXPECT_EQ(Occurrences(shared, "/PRJpegImage1 Do"), 3u);
    EXPECT_EQ(Occurrences(shared, "/PRJpegImage1 8 0 R"), 3u);
}

TEST(PReport, ImageNamesRunOutAfterAllAttempts)
{
    ChartReport chart(std::make_shared<TPdfSequenceRandom>(std::vector<int>{5}));
    chart.report.StartDocument();
    chart.AddPage(pdftest::FakeJpeg(50));
    EXPECT_EQ(ErrorOf([&] { chart.AddPage(pdftest::FakeJpeg(50)); }), "image count over max value..");
    EXPECT_TRUE(chart.report.IsOpen());
}

TEST(PReport, ClippedAndStretchedImagePlacement)
{
    ChartReport chart;
    chart.report.StartDocument();
    chart.AddPage(pdftest::FakeJpeg(50, 600, 800));
    TPdfStream* contents = chart.report.Document()->GetCanvas().Contents();
    EXPECT_EQ(contents->Data().View(),
              "/F0 10 Tf\nq\n33 167 600 800 re\nW\nn\n600 0 0 800 33 167 cm\n/PRJpegImage14242 Do\nQ\n");

    chart.image.Stretch = true;
    chart.image.SharedImage = true;
    chart.image.SetPicture(pdftest::FakeJpeg(50, 600, 800));
    chart.image.SetBounds(0, 0, 300, 400);
    chart.report.PrintPage(chart.page);
    contents = chart.report.Document()->GetCanvas().Contents();
    EXPECT_EQ(contents->Data().View(), "/F0 10 Tf\nq\n300 0 0 400 33 567 cm\n/PRJpegImage1 Do\nQ\n");
}

TEST(PReport, ItemRectanglesAreInPagePixelsWhateverTheNesting)
{
    TPRPage page;
    TPRLayoutPanel outer;
    outer.SetParent(&page);
    outer.SetBounds(33, 33, 634, 934);
    TPRPanel inner;
    inner.SetParent(&outer);
    inner.SetBounds(10, 20, 300, 300);
    struct Probe : TPRItem {
        void PrintTo(TPRCanvas&, const TPRRect& rect) override { rects.push_back(rect); }
        std::vector<TPRRect> rects;
    };
    Probe direct, nested, hidden;
    direct.SetParent(&outer);
    direct.SetBounds(744, 8, 100, 30);
    nested.SetParent(&inner);
    nested.SetBounds(1, 2, 10, 10);
    hidden.SetParent(&outer);
    hidden.SetPrintable(false);
    TPRRect before;
    outer.BeforePrint = [&](TPRLayoutPanel& sender, TPRCanvas&, TPRRect& rect) {
        before = rect;
        sender.SetBounds(0, 0, 1, 1); // does not move this print's children
    };
    TPReport report(pdftest::FixedClock());
    report.StartDocument();
    report.PrintPage(page);
    EXPECT_EQ(before, (TPRRect{33, 33, 667, 967}));
    ASSERT_EQ(direct.rects.size(), 1u);
    EXPECT_EQ(direct.rects[0], (TPRRect{777, 41, 877, 71}));
    ASSERT_EQ(nested.rects.size(), 1u);
    EXPECT_EQ(nested.rects[0], (TPRRect{44, 55, 54, 65}));
    EXPECT_TRUE(hidden.rects.empty());
    EXPECT_EQ(nested.GetPage(), &page);
}

TEST(PReport, AnnotationTextIsTrimmedAndUsesSingleCr)
{
    TPRAnnotation annotation;
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"a", "b"}, "a\rb"},
        {{" x ", ""}, "x"},
        {{"", "\tline one", "line two  ", ""}, "line one\rline two"},
        {{}, ""},
        {{"a\r\nb"}, "a\rb"},
        {{"\x8C\x9F\x8D\xB8"}, "\x8C\x9F\x8D\xB8"},
    };
    for (const auto& [lines, text] : cases) {
        annotation.SetLines(lines);
        EXPECT_EQ(annotation.ContentsText(), text);
    }
}

TEST(PReport, AnnotationDictionary)
{
    ChartReport chart;
    chart.annotation.Opened = true;
    chart.report.StartDocument();
    chart.AddPage(pdftest::FakeJpeg(50), {"\x8C\x9F\x8D\xB8", "x"});
    const std::string file = Finish(chart.report);
    EXPECT_NE(
        file.find("/Type /Annot\r\n/Subtype /Text\r\n/Rect [777 929 877 959 ]\r\n"
                  "/Contents <FEFF001B656E001B691C67FB000D0078>\r\n/S (PRAnnotation1)\r\n/Open true\r\n>>"),
        std::string::npos);
}

TEST(PReport, PropertiesAreLockedWhileOpen)
{
    TPReport report(pdftest::FixedClock());
    report.StartDocument();
    const std::pair<std::function<void()>, const char*> setters[] = {
        {[&] { report.SetAuthor("a"); }, "SetAuthor --invalid operation."},
        {[&] { report.SetCreationDate({}); }, "SetCreationDate --invalid operation."},
        {[&] { report.SetCreator("a"); }, "SetCreator --invalid operation."},
        {[&] { report.SetKeywords("a"); }, "SetKeyWords --invalid operation."},
        {[&] { report.SetModDate({}); }, "SetModDate --invalid operation."},
        {[&] { report.SetSubject("a"); }, "SetSubject --invalid operation."},
        {[&] { report.SetTitle("a"); }, "SetTitle --invalid operation."},
        {[&] { report.SetPageLayout(plOneColumn); }, "SetPageLayout --invalid operation."},
        {[&] { report.SetPageMode(pmUseThumbs); }, "SetPageMode --invalid operation."},
        {[&] { report.SetNonFullScreenPageMode(pmUseThumbs); },
         "SetNonFullScreenPageMode --invalid operation."},
        {[&] { report.SetUseOutlines(true); }, "SetUseOutlines --invalid operation."},
        {[&] { report.SetViewerPreference({vpFitWindow}); }, "SetViewerPreference --invalid operation."},
        {[&] { report.GetOutlineRoot(); }, "GetOutlineRoot --invalid operation."},
    };
    for (const auto& [call, message] : setters) {
        EXPECT_EQ(ErrorOf(call), message);
        EXPECT_THROW(call(), EPdfInvalidOperation);
    }
    EXPECT_EQ(report.Title(), "");
    report.SetFileName("other.pdf");
    report.SetCompressionMethod(cmNone);
    report.DiscardDocument();
    report.SetTitle("now idle");
    EXPECT_EQ(report.Title(), "now idle");
}

TEST(PReport, OperationsNeedAnOpenDocument)
{
    TPReport report(pdftest::FixedClock());
    TPRPage page;
    EXPECT_EQ(ErrorOf([&] { report.GetOutlineRoot(); }), "GetOutlineRoot --invalid operation.");
    EXPECT_EQ(ErrorOf([&] { report.CreateDestination(); }), "CreateDestination --invalid operation.");
    EXPECT_THROW(report.PrintPage(page), EPdfInvalidOperation);
    report.StartDocument();
    report.PrintPage(page);
    TPRDestination& destination = report.CreateDestination();
    report.DiscardDocument();
    EXPECT_EQ(ErrorOf([&] { report.SetOpenAction(destination); }), "SetOpenAction --invalid operation.");
    try {
        report.FinishDocument();
        FAIL();
    } catch (const EInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "document is null..");
    }
}

TEST(PReport, FinishTwiceFailsTheSecondTime)
{
    TPReport report(pdftest::FixedClock());
    TPRPage page;
    report.StartDocument();
    report.PrintPage(page);
    Finish(report);
    EXPECT_EQ(ErrorOf([&] { Finish(report); }), "document is null..");
}

TEST(PReport, DocumentInformationAndCatalogFromProperties)
{
    TPReport report(pdftest::FixedClock());
    report.SetAuthor("au");
    report.SetTitle("ti");
    report.SetNonFullScreenPageMode(pmFullScreen);
    EXPECT_EQ(report.NonFullScreenPageMode(), pmUseNone);
    report.SetNonFullScreenPageMode(pmUseThumbs);
    report.SetViewerPreference({vpHideToolbar});
    report.StartDocument();
    TPRPage page;
    report.PrintPage(page);
    const std::string file = Finish(report);
    EXPECT_NE(
        file.find(
            "<<\r\n/Producer (ChartPdf version 0.9)\r\n/Author (au)\r\n/CreationDate (D:20240102030405)\r\n"
            "/Creator ()\r\n/Keywords ()\r\n/Subject ()\r\n/Title (ti)\r\n/ModDate (D:20240102030405)\r\n>>"),
        std::string::npos);
    EXPECT_NE(
        file.find(
            "/Type /Catalog\r\n/Pages 3 0 R\r\n/PageMode /UseNone\r\n/PageLayout /SinglePage\r\n"
            "/ViewerPreferences <<\r\n/NonFullScreenPageMode /UseThumbs\r\n/HideToolbar true\r\n>>\r\n>>"),
        std::string::npos);
    EXPECT_EQ(file.find("/OpenAction"), std::string::npos);
}

TEST(PReport, FileOutputAndUnwritableFile)
{
    ChartReport chart;
    const std::string path = ::testing::TempDir() + "/report_output.pdf";
    chart.report.SetFileName(path);
    chart.report.StartDocument();
    chart.AddPage(pdftest::FakeJpeg(50));
    chart.report.FinishDocument();
    std::ifstream written(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    EXPECT_EQ(pdftest::CheckStructure(bytes), "");

    // A path below a regular file cannot be created, also for root; the document stays open.
    chart.report.SetFileName(path + "/below.pdf");
    chart.report.StartDocument();
    chart.AddPage(pdftest::FakeJpeg(50));
    EXPECT_THROW(chart.report.FinishDocument(), EPdfError);
    EXPECT_TRUE(chart.report.IsOpen());
}

TEST(PdfFileStream, RewindDropsEverythingWrittenBefore)
{
    const std::string path = ::testing::TempDir() + "/rewind.bin";
    TPdfFileStream stream(path);
    stream.Write("a longer first version");
    stream.Rewind();
    stream.Write("short");
    EXPECT_EQ(stream.Position(), 5);
    stream.Close();
    std::ifstream written(path, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>()),
              "short");
}

TEST(PReport, FailureHalfwayLeavesNoLeakAndTheReportReusable)
{
    ChartReport chart;
    chart.report.StartDocument();
    chart.AddPage(pdftest::FakeJpeg(50));
    chart.image.SetPicture(pdftest::FakeJpeg(50));
    chart.image.SetRandom(std::make_shared<TPdfSequenceRandom>(std::vector<int>{4242}));
    EXPECT_THROW(chart.report.PrintPage(chart.page), EPdfError); // name taken on every attempt
    chart.report.StartDocument();                                // discards the half-built document
    chart.image.SetRandom(std::make_shared<TPdfSequenceRandom>(std::vector<int>{1}));
    chart.AddPage(pdftest::FakeJpeg(50));
    EXPECT_EQ(pdftest::CheckStructure(Finish(chart.report)), "");
}

TEST(PRComponents, ParentRules)
{
    TPRPage page;
    TPRPanel panel;
    TPRLayoutPanel layout, other;
    TPRAnnotation item, second;
    TPRJpegImage image;
    layout.SetParent(&page);
    other.SetParent(&panel);
    layout.SetParent(nullptr);
    EXPECT_EQ(ErrorOf([&] { layout.SetParent(&item); }), "TPRPage can not set on TPRAnnotation");
    item.SetParent(&panel);
    item.SetParent(&other);
    item.SetParent(nullptr);
    EXPECT_EQ(ErrorOf([&] { item.SetParent(&page); }), "this component must set on TPRPanel");
    EXPECT_EQ(ErrorOf([&] { second.SetParent(&image); }), "this component must set on TPRPanel");
    EXPECT_EQ(item.Parent(), nullptr);
    EXPECT_TRUE(page.Children().empty());

    // No cycles: they would make GetPage and printing endless.
    const std::string cycle = "SetParent --a component cannot be placed on itself or its own children.";
    EXPECT_EQ(ErrorOf([&] { panel.SetParent(&panel); }), cycle);
    EXPECT_EQ(ErrorOf([&] { panel.SetParent(&other); }), cycle) << "other sits on panel";
    EXPECT_EQ(panel.Parent(), nullptr);
    EXPECT_EQ(other.Parent(), &panel);
}

TEST(PRComponents, DestroyedComponentsLeaveTheTree)
{
    TPRPage page;
    auto panel = std::make_unique<TPRPanel>();
    TPRAnnotation item;
    panel->SetParent(&page);
    item.SetParent(panel.get());
    panel.reset();
    EXPECT_TRUE(page.Children().empty());
    EXPECT_EQ(item.Parent(), nullptr);
}

TEST(PRComponents, MarginsAndAlignment)
{
    TPRPage page;
    page.SetBounds(0, 0, 700, 1000);
    TPRPanel client;
    client.SetAlign(alClient);
    client.SetParent(&page);
    EXPECT_EQ(client.BoundsRect(), (TPRRect{32, 32, 668, 968}));
    page.SetMarginLeft(350);
    EXPECT_EQ(page.MarginLeft(), 32);
    page.SetMarginLeft(-1);
    EXPECT_EQ(page.MarginLeft(), 32);
    page.SetMarginLeft(349);
    page.SetMarginBottom(100);
    EXPECT_EQ(page.MarginLeft(), 349);
    EXPECT_EQ(client.BoundsRect(), (TPRRect{349, 32, 668, 900}));
    TPRPanel top;
    top.SetHeight(50);
    top.SetAlign(alTop);
    top.SetParent(&page);
    EXPECT_EQ(top.BoundsRect(), (TPRRect{349, 32, 668, 82}));
    EXPECT_EQ(client.BoundsRect(), (TPRRect{349, 82, 668, 900}));
}

TEST(PRComponents, PictureKindsAreChecked)
{
    TPRJpegImage jpeg;
    TPRImage bitmap;
    EXPECT_EQ(ErrorOf([&] {
                  jpeg.SetPicture(TPdfBitmap{1, 1, pf24bit, {{0, 0, 0}}, {}});
              }),
              "only jpeg image is allowed.");
    EXPECT_EQ(ErrorOf([&] { bitmap.SetPicture(pdftest::FakeJpeg(5)); }), "only bitmap image is allowed.");
    jpeg.SetPicture(TPdfPicture{});
    bitmap.SetPicture(TPdfJpegPicture{});
    EXPECT_TRUE(IsEmptyPicture(bitmap.Picture()));
}

TEST(PRComponents, BitmapItemOnAPage)
{
    TPRPage page;
    TPRPanel panel;
    panel.SetParent(&page);
    TPRImage image("PRImage1");
    image.SetParent(&panel);
    image.SharedImage = false;
    image.SetRandom(std::make_shared<TPdfSequenceRandom>(std::vector<int>{65533}));
    image.SetPicture(TPdfBitmap{1, 1, pf24bit, {{1, 2, 3}}, {}});
    TPReport report(pdftest::FixedClock());
    report.StartDocument();
    for (int i = 0; i < 3; ++i)
        report.PrintPage(page);
    const std::string file = Finish(report);
    // A taken number is followed by the next one, and 65534 by 0.
    EXPECT_EQ(Occurrences(file, "/PRImage165533 Do"), 1u);
    EXPECT_EQ(Occurrences(file, "/PRImage165534 Do"), 1u);
    EXPECT_EQ(Occurrences(file, "/PRImage10 Do"), 1u);
    EXPECT_EQ(pdftest::CheckStructure(file), "");
}

} // namespace
