#include "settings/TRegistory.h"

#include "platform/Cp932.h"
#include "platform/ScopedConfigHome.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using quillora::platform::fromCp932;
using quillora::platform::toCp932;

const std::string kHeader = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Travex\\QuilloraShare]\r\n";

// A complete stored record whose every value differs from its default.
const std::vector<std::string> kStoredLines = {
    "\"FolderClear\"=dword:00000000",
    "\"L1Front\"=\"K\"",
    "\"L1Back\"=\"x\"",
    "\"L2Front\"=\"\"",
    "\"L2Back\"=\"\\\\sub\"",
    "\"L3Front\"=\"c\"",
    "\"L3Back\"=\"\"",
    "\"L4Front\"=\"\"",
    "\"L4Back\"=\"d\"",
    "\"HPCode\"=\"0012\"",
    "\"WriteInhibit\"=dword:00000000",
    "\"WriteDate\"=dword:00000000",
    "\"JpegType\"=dword:00000000",
    "\"TiffType\"=dword:00000000",
    "\"BitmapType\"=dword:00000000",
    "\"PngType\"=dword:00000000",
    "\"ScannerDir\"=\"/scan\"",
    "\"Target\"=\"/charts\"",
    "\"FileOpenDir\"=\"/open\"",
    "\"PdfPageWidth\"=dword:000002bc",
    "\"PdfPageHeight\"=dword:00000064",
    "\"Stretch\"=dword:00000001",
    "\"FirstPage\"=dword:00000001",
    "\"Sequence\"=dword:00000001",
    "\"ImSize\"=dword:00000004",
    "\"PrintDensity\"=hex:00,00,00,00,00,00,f0,3f",
    "\"PanelDensity\"=hex:00,00,00,00,00,00,00,c0",
    "\"PageWidth\"=dword:ffffffff",
    "\"PageHeight\"=dword:00000001",
    "\"Quality\"=dword:00000064",
    "\"LogOutFolder\"=\"/logs\"",
    "\"VolNo\"=\"7\"",
    "\"Tag1\"=\"" + toCp932("表紙") + "\"",
    "\"Tag2\"=\"t2\"",
    "\"Tag3\"=\"t3\"",
    "\"Tag4\"=\"t4\"",
    "\"Tag5\"=\"t5\"",
    "\"Tag6\"=\"t6\"",
    "\"Tag7\"=\"t7\"",
    "\"Tag8\"=\"t8\"",
    "\"Tag9\"=\"t9\"",
    "\"Tag10\"=\"t10\"",
    "\"ShowImage\"=dword:00000002",
    "\"ThumbStrech\"=dword:00000001",
};

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text = kHeader;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text + "\r\n";
}

std::vector<std::string> replaced(std::string_view name, const std::string& line)
{
    auto lines = kStoredLines;
    for (auto& l : lines)
        if (l.starts_with("\"" + std::string(name) + "\"="))
            l = line;
    return lines;
}

std::vector<std::string> without(std::string_view name)
{
    auto lines = kStoredLines;
    std::erase_if(lines,
                  [&](const std::string& l) { return l.starts_with("\"" + std::string(name) + "\"="); });
    return lines;
}

std::string readFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each field of the record as text, to compare whole records and print the difference.
std::string describe(TRegistory& r)
{
    std::ostringstream out;
    out.precision(17);
    out << r.FolderClear << '|' << r.L1Front << '|' << r.L1Back << '|' << r.L2Front << '|' << r.L2Back << '|'
        << r.L3Front << '|' << r.L3Back << '|' << r.L4Front << '|' << r.L4Back << '|' << r.HPCode << '|'
        << r.WriteInhibit << r.WriteDate << r.JpegType << r.TiffType << r.BitmapType << r.PngType << '|'
        << r.ScannerDir << '|' << r.Target << '|' << r.FileOpenDir << '|' << r.PdfPageWidth << '|'
        << r.PdfPageHeight << '|' << r.Stretch << r.FirstPage << '|' << r.Quality << '|' << r.Sequence << '|'
        << r.ImSize << '|' << r.PrintDensity << '|' << r.PanelDensity << '|' << r.PageWidth << '|'
        << r.PageHeight << '|' << r.VolNo << '|';
    for (int i = 1; i <= 10; ++i)
        out << r.Tag(i) << '|';
    out << r.LogOutFolder << '|' << r.ShowImage << '|' << r.ThumbStrech;
    return out.str();
}

class TRegistoryTest : public ::testing::Test {
protected:
    quillora::test::ScopedConfigHome config;
    fs::path file() const { return config.path() / "Travex" / "QuilloraShare.reg"; }
    void store(const std::string& content)
    {
        fs::create_directories(file().parent_path());
        std::ofstream(file(), std::ios::binary) << content;
    }
    TRegistory loaded(const std::string& content)
    {
        store(content);
        TRegistory r;
        r.Load();
        return r;
    }
    std::string defaults()
    {
        TRegistory r;
        return describe(r);
    }
};

TEST_F(TRegistoryTest, DefaultsFollowTheTableWithHomeFolders)
{
    TRegistory r;
    const auto home = quillora::test::TestHome();
    EXPECT_EQ(r.ScannerDir, (home / "Quillora" / "Scanner").string());
    EXPECT_EQ(r.Target, (home / "Quillora" / "Charts").string());
    EXPECT_EQ(r.FileOpenDir, home.string());
    EXPECT_EQ(r.LogOutFolder, home.string());
    const std::string folders = r.ScannerDir + '|' + r.Target + '|' + home.string();
    EXPECT_EQ(describe(r), "1||||||||||111111|" + folders +
                               "|700|1000|00|80|0|0|600|76.200000000000003|610|891|0|"
                               "検査|処方|放射線|処置|手術|注射|外来|入院|||" +
                               home.string() + "|5|0");
}

TEST_F(TRegistoryTest, FirstRunLoadsDefaultsAndCreatesTheDefaultFolders)
{
    TRegistory r;
    r.FolderClear = false;
    r.Load();
    EXPECT_EQ(describe(r), defaults());
    EXPECT_TRUE(fs::is_directory(r.ScannerDir));
    EXPECT_TRUE(fs::is_directory(r.Target));
    EXPECT_FALSE(fs::exists(file())); // only Save writes
}

TEST_F(TRegistoryTest, SaveWritesAll44ValuesInOrderWithTheirTypes)
{
    TRegistory stored = loaded(joinLines(kStoredLines));
    fs::remove(file());
    stored.Save();
    EXPECT_EQ(readFile(file()), joinLines(kStoredLines));
}

TEST_F(TRegistoryTest, RoundTripKeepsEveryValue)
{
    TRegistory original = loaded(joinLines(kStoredLines));
    original.PrintDensity = 0.1;
    original.HPCode = "表\\\"";
    original.Quality = -5;
    fs::remove(file());
    original.Save();
    TRegistory copy;
    copy.Load();
    EXPECT_EQ(describe(copy), describe(original));
    EXPECT_EQ(copy.PrintDensity, 0.1);
    EXPECT_EQ(copy.PanelDensity, -2.0);
}

TEST_F(TRegistoryTest, SaveAfterFirstRunCreatesTheKeyWithDefaults)
{
    TRegistory r;
    r.Load();
    r.Save();
    TRegistory again;
    again.FolderClear = false;
    again.Load();
    EXPECT_EQ(describe(again), defaults());
    EXPECT_NE(readFile(file()).find("\"Tag1\"=\"" + toCp932("検査") + "\"\r\n"), std::string::npos);
}

struct FallbackCase {
    const char* what;
    std::vector<std::string> lines;
};

class LoadFallsBackToDefaults : public TRegistoryTest, public ::testing::WithParamInterface<FallbackCase> { };

TEST_P(LoadFallsBackToDefaults, DiscardingStoredStringsToo)
{
    TRegistory r = loaded(joinLines(GetParam().lines));
    EXPECT_EQ(describe(r), defaults());
}

INSTANTIATE_TEST_SUITE_P(
    UnreadableValue, LoadFallsBackToDefaults,
    ::testing::Values(
        FallbackCase{"ThumbStrechMissing", without("ThumbStrech")},
        FallbackCase{"QualityMissing", without("Quality")},
        FallbackCase{"PrintDensityMissing", without("PrintDensity")},
        FallbackCase{"PrintDensityAsString", replaced("PrintDensity", "\"PrintDensity\"=\"600\"")},
        FallbackCase{"PrintDensitySevenBytes",
                     replaced("PrintDensity", "\"PrintDensity\"=hex:00,00,00,00,00,c0,82")},
        FallbackCase{"PrintDensityAsDword", replaced("PrintDensity", "\"PrintDensity\"=dword:00000258")},
        FallbackCase{"QualityAsString", replaced("Quality", "\"Quality\"=\"80\"")},
        FallbackCase{"QualityAsBinary", replaced("Quality", "\"Quality\"=hex:50,00,00,00")},
        FallbackCase{"QualityEightBytes", replaced("Quality", "\"Quality\"=hex(4):50,00,00,00,00,00,00,00")},
        FallbackCase{"FolderClearAsString", replaced("FolderClear", "\"FolderClear\"=\"1\"")},
        FallbackCase{"ScannerDirAsDword", replaced("ScannerDir", "\"ScannerDir\"=dword:00000001")},
        FallbackCase{"TargetAsBinary", replaced("Target", "\"Target\"=hex:2f,00")}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(TRegistoryTest, GarbageFileLoadsDefaults)
{
    const std::string garbage("\x00\x81\xFF\x5C\r\n[\"\"=dword:\x13\x9A", 16);
    TRegistory r = loaded(garbage);
    EXPECT_EQ(describe(r), defaults());
    r.Save(); // replaces the garbage with a readable key
    TRegistory again;
    again.ShowImage = 0;
    again.Load();
    EXPECT_EQ(again.ShowImage, 5);
    EXPECT_TRUE(readFile(file()).starts_with(kHeader));
}

TEST_F(TRegistoryTest, TruncatedFileLoadsDefaults)
{
    const std::string full = joinLines(kStoredLines);
    // Every cut before the last value's line break loses ThumbStrech (stored as 1), including
    // the cuts inside its digits, which must not read as a smaller number.
    const std::string lastLine = "\"ThumbStrech\"=dword:00000001";
    const std::size_t complete = full.find(lastLine) + lastLine.size();
    for (std::size_t length = 0; length < complete; length += (length + 40 < complete ? 5 : 1)) {
        TRegistory r = loaded(full.substr(0, length));
        ASSERT_EQ(describe(r), defaults()) << "cut at " << length;
    }
    EXPECT_TRUE(loaded(full.substr(0, complete)).ThumbStrech);
}

TEST_F(TRegistoryTest, LastLineWithoutLineBreakKeepsItsValue)
{
    std::string text = joinLines(kStoredLines);
    text.erase(text.size() - 4); // the final CR LF and the empty line
    const TRegistory expected = loaded(joinLines(kStoredLines));
    TRegistory r = loaded(text);
    EXPECT_TRUE(r.ThumbStrech);
    EXPECT_EQ(describe(r), describe(const_cast<TRegistory&>(expected)));
}

// A file that cannot be read as a whole is moved aside before anything can write over it,
// and the load says so once.
TEST_F(TRegistoryTest, FileNotReadAsAWholeIsKeptAsideUnderADatedName)
{
    for (const auto& lines : {
             replaced("Quality", "\"Quality\"=\"80\""), // gives all defaults
             replaced("Target", "\"Target\"=\"/charts"),
         }) { // malformed text
        const std::string content = joinLines(lines);
        store(content);
        TRegistory r;
        const StoreOutcome outcome = r.Load();
        EXPECT_FALSE(outcome.ok);
        EXPECT_FALSE(fs::exists(file()));
        std::vector<fs::path> kept;
        for (const auto& entry : fs::directory_iterator(file().parent_path()))
            kept.push_back(entry.path());
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_TRUE(kept[0].filename().string().starts_with("QuilloraShare.20"));
        EXPECT_NE(outcome.message.find(kept[0].string()), std::string::npos) << outcome.message;
        EXPECT_EQ(readFile(kept[0]), content);
        EXPECT_TRUE(r.Save().ok);
        EXPECT_TRUE(TRegistory().Load().ok); // said once: the next load reads the new file
        fs::remove(kept[0]);
    }
    // The malformed text alone is lost; the other values were read.
    store(joinLines(replaced("Target", "\"Target\"=\"/charts")));
    TRegistory r;
    r.Load();
    EXPECT_EQ(r.Target, "");
    EXPECT_EQ(r.HPCode, "0012");
}

TEST_F(TRegistoryTest, FailedSaveComesBackWithItsReason)
{
    config.blockWithRegularFile();
    TRegistory r;
    const StoreOutcome outcome = r.Save();
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.message.find("QuilloraShare.reg"), std::string::npos) << outcome.message;
}

TEST_F(TRegistoryTest, MissingStringReadsEmptyAndTheRestAsStored)
{
    TRegistory expected = loaded(joinLines(kStoredLines));
    expected.ScannerDir = "";
    TRegistory r = loaded(joinLines(without("ScannerDir")));
    EXPECT_EQ(describe(r), describe(expected));
    EXPECT_EQ(r.Target, "/charts");
}

TEST_F(TRegistoryTest, StringsReadUpToTheFirstZeroByteAndExpandableStringsCount)
{
    auto lines = replaced("ScannerDir", "\"ScannerDir\"=hex(1):2f,73,00,2f,78,00");
    lines = [&] {
        for (auto& l : lines)
            if (l.starts_with("\"Target\"="))
                l = "\"Target\"=hex(2):25,48,4f,4d,45,25,00";
        return lines;
    }();
    TRegistory r = loaded(joinLines(lines));
    EXPECT_EQ(r.ScannerDir, "/s");
    EXPECT_EQ(r.Target, "%HOME%");
    EXPECT_EQ(r.Tag1, "表紙");
}

// A key exported by the Windows registry editor, or typed by hand in the same form.
TEST_F(TRegistoryTest, LoadsAKeyExportedOnWindows)
{
    auto lines = kStoredLines;
    const auto put = [&](std::string_view name, const std::string& line) {
        for (auto& l : lines)
            if (l.starts_with("\"" + std::string(name) + "\"="))
                l = line;
    };
    put("PrintDensity", "\"PrintDensity\"=hex:00,00,00,00,00,c0,82,\\\r\n  40"); // wrapped list
    put("Target", "\"Target\"=hex(2):25,55,53,45,52,50,52,4f,46,49,4c,45,25,5c,43,00");
    put("HPCode", "\"HPCode\"=\"C:\\\\x \\\"q\\\"\"");
    put("ImSize", "\"ImSize\"=dword:3");
    const std::string exported = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Travex]\r\n\r\n" +
                                 joinLines(lines).substr(std::string("REGEDIT4\r\n\r\n").size());
    TRegistory r = loaded(exported);
    EXPECT_EQ(r.PrintDensity, 600.0);
    EXPECT_EQ(r.Target, "%USERPROFILE%\\C");
    EXPECT_EQ(r.HPCode, "C:\\x \"q\"");
    EXPECT_EQ(r.ImSize, 3);
    EXPECT_EQ(r.Tag1, "表紙");
    EXPECT_TRUE(r.ThumbStrech); // read to the end: nothing fell back to the defaults
}

TEST_F(TRegistoryTest, BooleanTwoReadsTrueAndIsWrittenBackAsOne)
{
    TRegistory r = loaded(joinLines(replaced("Stretch", "\"Stretch\"=dword:00000002")));
    EXPECT_TRUE(r.Stretch);
    EXPECT_EQ(r.HPCode, "0012");
    r.Save();
    EXPECT_NE(readFile(file()).find("\"Stretch\"=dword:00000001\r\n"), std::string::npos);
}

TEST_F(TRegistoryTest, SaveIntoAnUnwritableConfigurationFolderWritesNothing)
{
    const auto blocked = config.blockWithRegularFile();
    TRegistory r;
    EXPECT_NO_THROW(r.Save());
    EXPECT_FALSE(fs::exists(blocked));
    EXPECT_NO_THROW(r.Load());
    EXPECT_EQ(describe(r), defaults());
}

TEST_F(TRegistoryTest, TagByIndex)
{
    TRegistory r;
    EXPECT_EQ(&r.Tag(1), &r.Tag1);
    EXPECT_EQ(&r.Tag(10), &r.Tag10);
    EXPECT_THROW(r.Tag(0), std::out_of_range);
    EXPECT_THROW(r.Tag(11), std::out_of_range);
}

} // namespace
