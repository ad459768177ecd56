#include "app/compose/PdfChartComposer.h"

#include "ComposeFixtures.h"
#include "pdf/PdfExceptions.h"

#include <fstream>
#include <regex>

using namespace quillora;
using namespace quillora::test;

namespace {

const TPdfDateTime kSaved{2024, 1, 2, 3, 4, 5};
const LocalDateTime kDesignDate{2006, 11, 17, 14, 25, 6};

// The example chart file of one page, with the JPEG bytes the composer made for the page.
std::string ExpectedOnePageChart(const std::string& jpeg)
{
    std::string file;
    std::vector<std::size_t> offsets;
    const auto line = [&](const std::string& text) { file += text + "\r\n"; };
    const auto object = [&](int number) {
        offsets.push_back(file.size());
        line(std::to_string(number) + " 0 obj");
    };
    line("%PDF-1.2 ");
    object(1);
    for (const char* l : {"<<", "/Type /Catalog", "/Outlines 2 0 R", "/Pages 4 0 R", "/PageMode /UseOutlines",
                          "/PageLayout /SinglePage", "/OpenAction [5 0 R /XYZ 0 1000 1 ]", ">>", "endobj"})
        line(l);
    object(2);
    for (const char* l :
         {"<<", "/Type /Outlines", "/Count 1", "/First 10 0 R", "/Last 10 0 R", ">>", "endobj"})
        line(l);
    object(3);
    for (const char* l : {"<<", "/Producer (ChartPdf version 0.9)", "/Author ()",
                          "/CreationDate (D:20061117142506)", "/Creator ()", "/Keywords ()", "/Subject ()",
                          "/Title ()", "/ModDate (D:20240102030405)", ">>", "endobj"})
        line(l);
    object(4);
    for (const char* l : {"<<", "/Type /Pages", "/Kids [5 0 R ]", "/Count 1", ">>", "endobj"})
        line(l);
    object(5);
    for (const char* l :
         {"<<", "/Type /Page", "/Parent 4 0 R", "/MediaBox [0 0 700 1000 ]", "/Resources <<", "/Font <<",
          "/F0 7 0 R", ">>", "/XObject <<", "/PRJpegImage14242 8 0 R", ">>", "/ProcSet [/PDF /Text /ImageC ]",
          ">>", "/Contents 6 0 R", "/Annots [9 0 R ]", ">>", "endobj"})
        line(l);
    object(6);
    for (const char* l : {"<<", "/Length 79", "/Filter []", ">>", "stream"})
        line(l);
    file += "/F0 10 Tf\nq\n33 167 600 800 re\nW\nn\n600 0 0 800 33 167 cm\n/PRJpegImage14242 Do\nQ\n\n";
    line("endstream");
    line("endobj");
    object(7);
    for (const char* l :
         {"<<", "/Type /Font", "/Subtype /Type1", "/Encoding /WinAnsiEncoding", "/FirstChar 32",
          "/LastChar 255", "/BaseFont /Helvetica", "/Name /F0", ">>", "endobj"})
        line(l);
    object(8);
    line("<<");
    line("/Length " + std::to_string(jpeg.size()));
    for (const char* l :
         {"/Filter [/DCTDecode ]", "/Type /XObject", "/Subtype /Image", "/ColorSpace /DeviceRGB",
          "/Width 600", "/Height 800", "/BitsPerComponent 8", "/Name /PRJpegImage14242", ">>", "stream"})
        line(l);
    file += jpeg + "\n";
    line("endstream");
    line("endobj");
    object(9);
    for (const char* l : {"<<", "/Type /Annot", "/Subtype /Text", "/Rect [777 929 877 959 ]",
                          "/Contents (abc)", "/S (PRAnnotation1)", ">>", "endobj"})
        line(l);
    object(10);
    for (const char* l : {"<<", "/Count 0", "/Title <FEFF001B656E001B691C67FB>",
                          "/Dest [5 0 R /XYZ 0 1000 1 ]", ">>", "endobj"})
        line(l);
    const std::size_t xref = file.size();
    line("xref");
    line("0 11");
    line("0000000000 65535 f");
    for (const auto offset : offsets) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n", offset);
        line(entry);
    }
    for (const char* l : {"trailer", "<<", "/Size 11", "/Root 1 0 R", "/Info 3 0 R", ">>", "startxref"})
        line(l);
    line(std::to_string(xref));
    line("%%EOF");
    return file;
}

class PdfCreateTest : public ::testing::Test {
protected:
    ImageFolder folder;
    PdfChartComposer composer{std::make_shared<TPdfFixedClock>(kSaved)};

    void SetUp() override
    {
        composer.Composer().PRJpegImage1.SetRandom(
            std::make_shared<TPdfSequenceRandom>(std::vector<int>{4242, 17, 99}));
    }
};

TEST_F(PdfCreateTest, OnePageChartIsTheExampleFileByteForByte)
{
    const auto image = folder.Write(ColourPage(600, 800), "page.png");
    composer.Begin({700, 1000, 80, false}, kDesignDate);
    composer.AddPage(image, std::vector<std::string>{"abc"});
    composer.AddOutline("検査");
    const std::string pdf = composer.Finish();

    const auto page = PreparePageImage(image, {634, 934, false, 80});
    const std::string jpeg(page.jpeg->begin(), page.jpeg->end());
    const std::string expected = ExpectedOnePageChart(jpeg);
    ASSERT_EQ(pdf.size(), expected.size());
    const auto mismatch = std::mismatch(pdf.begin(), pdf.end(), expected.begin());
    EXPECT_TRUE(mismatch.first == pdf.end())
        << "first difference at byte " << (mismatch.first - pdf.begin()) << ": "
        << std::string(mismatch.first, std::min(mismatch.first + 40, pdf.end()));
}

TEST_F(PdfCreateTest, EveryPageGetsItsOwnImageAndTheLastPageOpens)
{
    const auto a = folder.Write(ColourPage(2480, 3508), "a.jpg");
    const auto b = folder.Write(GreyPage(400, 300), "b.png");
    const auto c = folder.Write(BilevelPage(300, 200), "c.tif");
    composer.Begin({700, 1000, 30, true}, kDesignDate);
    composer.AddPage(a, std::nullopt);
    composer.AddPage(b, std::vector<std::string>{});
    composer.AddOutline("処方");
    composer.AddPage(c, std::vector<std::string>{" x ", ""});
    EXPECT_EQ(composer.PageCount(), 3);
    EXPECT_EQ(composer.Composer().JpegQuality, 50);
    const std::string pdf = composer.Finish();

    const std::regex image(R"(/Name /PRJpegImage1(\d+)\r\n)");
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), image); it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);
    EXPECT_EQ(names, (std::set<std::string>{"4242", "17", "99"}));
    for (const char* size : {"/Width 633\r\n/Height 896", "/Width 634\r\n/Height 475"})
        EXPECT_NE(pdf.find(size), std::string::npos) << size;
    // An empty note is a printable, empty annotation; no note, none.
    EXPECT_NE(pdf.find("/Contents ()"), std::string::npos);
    EXPECT_NE(pdf.find("/Contents (x)"), std::string::npos);
    std::smatch kids;
    ASSERT_TRUE(std::regex_search(pdf, kids, std::regex(R"(/Kids \[(\d+) 0 R (\d+) 0 R (\d+) 0 R \])")));
    EXPECT_NE(pdf.find("/OpenAction [" + kids[3].str() + " 0 R /XYZ 0 1000 1 ]"), std::string::npos);
    EXPECT_NE(pdf.find("/Dest [" + kids[2].str() + " 0 R /XYZ 0 1000 1 ]"), std::string::npos);
}

TEST_F(PdfCreateTest, AnOutlineBeforeAnyPageIsAnError)
{
    composer.Begin({700, 1000, 80, false}, kDesignDate);
    try {
        composer.AddOutline("title");
        FAIL() << "no error";
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "AddOutline --the page is nil.");
    }
    composer.Discard();
}

TEST_F(PdfCreateTest, FinishingWithoutPagesFailsAndBeginStartsAfresh)
{
    composer.Begin({700, 1000, 80, false}, kDesignDate);
    EXPECT_ANY_THROW(composer.Finish());
    composer.Discard();
    const auto image = folder.Write(ColourPage(50, 50), "p.bmp");
    composer.Begin({300, 400, 80, false}, kDesignDate);
    composer.AddPage(image, std::nullopt);
    const std::string pdf = composer.Finish();
    EXPECT_NE(pdf.find("/MediaBox [0 0 300 400 ]"), std::string::npos);
    EXPECT_EQ(composer.Composer().AreaWidth, 234);
    EXPECT_EQ(composer.Composer().CropWidth, 50);
}

} // namespace

namespace {

std::string ComposeThreePages(const std::vector<std::string>& files, bool expect)
{
    PdfChartComposer composer{std::make_shared<TPdfFixedClock>(kSaved)};
    composer.Composer().PRJpegImage1.SetRandom(
        std::make_shared<TPdfSequenceRandom>(std::vector<int>{1, 2, 3}));
    composer.Begin({700, 1000, 80, true}, kDesignDate);
    if (expect)
        composer.Expect(files);
    for (const auto& file : files)
        composer.AddPage(file, std::nullopt);
    return composer.Finish();
}

TEST(PdfChartComposer, PagesPreparedAheadGiveTheSameFile)
{
    ImageFolder folder;
    const std::vector<std::string> files = {folder.Write(ColourPage(1200, 1600), "a.jpg"),
                                            folder.Write(GreyPage(500, 400), "b.png"),
                                            folder.Write(BilevelPage(900, 1300), "c.tif")};
    EXPECT_EQ(ComposeThreePages(files, true), ComposeThreePages(files, false));
}

TEST(PdfChartComposer, AnUndecodableExpectedPageFailsWhenItsTurnComes)
{
    ImageFolder folder;
    const auto good = folder.Write(ColourPage(300, 300), "a.jpg");
    const auto bad = (folder.path / "b.jpg").string();
    std::ofstream(bad) << "not a JPEG";
    PdfChartComposer composer;
    composer.Begin({700, 1000, 80, false}, kDesignDate);
    composer.Expect({good, bad, good});
    composer.AddPage(good, std::nullopt);
    EXPECT_THROW(composer.AddPage(bad, std::nullopt), PageImageError);
    composer.Discard();
    // An expectation that does not hold is dropped; the page is prepared on the spot.
    composer.Begin({700, 1000, 80, false}, kDesignDate);
    composer.Expect({bad});
    composer.AddPage(good, std::nullopt);
    EXPECT_EQ(composer.PageCount(), 1);
}

} // namespace
