// End-to-end: quillora-cli takes in a generated scanner folder and files the chart.
#include "CliRunner.h"
#include "app/compose/ComposeFixtures.h"

#include <gtest/gtest.h>

using namespace quillora::test;
namespace fs = std::filesystem;

namespace {

using Sizes = std::vector<std::pair<int, int>>;

class CliSave : public ::testing::Test {
protected:
    Workstation ws;
    fs::path chart = ws.charts / "00" / "01" / "23" / "45" / "HP_12345_0.pdf";

    // Page 1 is the patient sheet, left out by default; then colour JPEG, grey PNG, bilevel
    // TIFF and colour BMP pages.
    void SetUp() override
    {
        ws.WriteImage(ColourPage(1000, 1400), "p0.jpg");
        ws.WriteImage(ColourPage(2480, 3508), "p1.jpg");
        ws.WriteImage(GreyPage(400, 300), "P2.png");
        ws.WriteImage(BilevelPage(2480, 3508), "p3.tif");
        ws.WriteImage(ColourPage(634, 934), "p4.bmp");
        WriteText(ws.scan / ".keep", "not a page");
        WriteText(ws.scan / "notes.txt", "not a page either");
        fs::create_directory(ws.scan / "sub");
    }

    static void WriteText(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

    CliRun Save() const
    {
        return ws.Run({"save", "--patient", "12345", "--serial", "0", "--title", "2=検査", "--title",
                       "4=処方", "--note", "2=abc", "--note", "3=line1", "--note", "3=line2", "--note",
                       "4="});
    }
};

TEST_F(CliSave, CropModeChartFromTheScannerFolder)
{
    const auto run = Save();
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "12345," + chart.string() + "\n");
    EXPECT_NE(run.err.find("保存しました。"), std::string::npos);

    const auto facts = Workstation::Inspect(chart);
    EXPECT_TRUE(facts.qpdfCheckPassed);
    EXPECT_EQ(facts.pages, 4);
    EXPECT_EQ(facts.mediaBox, "[0 0 700 1000 ]");
    EXPECT_EQ(facts.imageSizes, (Sizes{{634, 934}, {400, 300}, {634, 934}, {634, 934}}));
    ASSERT_EQ(facts.outlines.size(), 2u);
    EXPECT_TRUE(facts.outlines[0].first.ends_with("検査"));
    EXPECT_EQ(facts.outlines[0].second, 1);
    EXPECT_TRUE(facts.outlines[1].first.ends_with("処方"));
    EXPECT_EQ(facts.outlines[1].second, 3);
    EXPECT_EQ(facts.annotationTexts, (std::vector<std::string>{"abc", R"(line1\rline2)", ""}));
    EXPECT_EQ(facts.openActionPage, 4);

    // The scanner folder keeps its subfolder, its hidden file and the file the intake did not
    // take in, which the save names.
    EXPECT_EQ(Entries(ws.scan), (std::vector<std::string>{".keep", "notes.txt", "sub"}));
    EXPECT_NE(run.err.find("notes.txt"), std::string::npos) << run.err;
    EXPECT_EQ(Entries(chart.parent_path()), (std::vector<std::string>{"HP_12345_0.pdf"}));
}

TEST_F(CliSave, StretchModeWithTheScannerFolderKept)
{
    ws.Set("Stretch", "1");
    ws.Set("FolderClear", "0");
    ws.Set("PdfPageWidth", "700");
    const auto before = Entries(ws.scan);
    const auto run = Save();
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto facts = Workstation::Inspect(chart);
    EXPECT_TRUE(facts.qpdfCheckPassed);
    EXPECT_EQ(facts.imageSizes, (Sizes{{633, 896}, {634, 475}, {633, 896}, {634, 934}}));
    EXPECT_EQ(facts.openActionPage, 4);
    EXPECT_EQ(Entries(ws.scan), before);
}

TEST_F(CliSave, FirstPageOnAndAnotherPageSize)
{
    ws.Set("FirstPage", "1");
    ws.Set("PdfPageWidth", "400");
    ws.Set("PdfPageHeight", "500");
    ws.Set("HPCode", "0012");
    ws.Set("WriteDate", "1");
    const auto run = ws.Run({"save", "--patient", "7", "--serial", "007"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const fs::path folder = ws.charts / "00" / "00" / "00" / "07";
    const auto names = Entries(folder);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0].starts_with("HP0012_7_7_")) << names[0];
    const auto facts = Workstation::Inspect(folder / names[0]);
    EXPECT_EQ(facts.pages, 5);
    EXPECT_EQ(facts.mediaBox, "[0 0 400 500 ]");
    EXPECT_EQ(facts.imageSizes.front(), (std::pair<int, int>{334, 434}));
    EXPECT_TRUE(facts.outlines.empty());
    EXPECT_TRUE(facts.annotationTexts.empty());
}

TEST_F(CliSave, PageNamedInCodePage932IsFiledAndCleared)
{
    const fs::path odd = ws.scan / "p5\x82\xA0.jpg"; // not UTF-8
    fs::rename(ws.WriteImage(ColourPage(300, 200), "p5.jpg"), odd);
    const auto run = Save();
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Workstation::Inspect(chart).pages, 5);
    EXPECT_FALSE(fs::exists(odd));
}

TEST_F(CliSave, GivenFilesInsteadOfTheScannerFolderClearNothing)
{
    ws.Set("FolderClear", "1");
    const auto before = Entries(ws.scan);
    const auto run = ws.Run({"save", "--patient", "12345", "--serial", "0", "--files",
                             QString::fromStdString((ws.scan / "p4.bmp").string()),
                             QString::fromStdString((ws.scan / "P2.png").string())});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Workstation::Inspect(chart).imageSizes, (Sizes{{400, 300}}));
    EXPECT_EQ(Entries(ws.scan), before);
}

} // namespace
