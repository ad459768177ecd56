// The checks of both settings dialogs, without any window.
#include "settings/FilingRules.h"
#include "settings/PdfOutSetLogic.h"
#include "settings/ReadSetLogic.h"
#include "settings/TRegistory.h"

#include <functional>
#include <gtest/gtest.h>

using namespace quillora::settings_ui;

namespace {

TEST(ReadSetCheck, AcceptsSerialNumbersFrom0To999Only)
{
    ReadSetValues values;
    for (const char* good : {"0", "999", "007"}) {
        values.VolNo = good;
        EXPECT_EQ(CheckReadSet(values), "") << good;
    }
    for (const char* bad : {"1000", "-1", "abc", ""}) {
        values.VolNo = bad;
        EXPECT_EQ(CheckReadSet(values), kSerialNumberError) << bad;
    }
}

TEST(ReadSetCheck, RefusesAScannerFolderTheStoreCannotKeepOrThatOverlapsTheArchive)
{
    ReadSetValues values;
    values.VolNo = "0";
    values.Target = "/archive";
    values.ScannerDir = "/scan/\xC3\xBC";
    EXPECT_EQ(CheckReadSet(values), "保存できない文字があります：\xC3\xBC");
    values.ScannerDir = "/archive/scan";
    EXPECT_EQ(CheckReadSet(values), quillora::settings::kFoldersOverlapError);
    values.ScannerDir = "/scan";
    EXPECT_EQ(CheckReadSet(values), "");
}

// The main window's serial field takes the default serial number as typed, and the save reads
// that field: what the dialog accepts, the save must accept too.
TEST(ReadSetCheck, AgreesWithTheSaveOnWhatIsASerialNumber)
{
    ReadSetValues values;
    for (const char* text : {"0", "007", "999", " 7", "7 ", "+7", "-0", "1000", "-1", "", "7a", "0x7"}) {
        values.VolNo = text;
        EXPECT_EQ(CheckReadSet(values).empty(), quillora::settings::ParseSerialNumber(text).has_value())
            << '"' << text << '"';
    }
}

TEST(ReadSetApply, ReportsAThumbnailChangeOnlyForSizeOrStretching)
{
    TRegistory settings;
    ReadSetValues values = ReadSetValuesFrom(settings);
    values.JpegType = false;
    values.Sequence = 1;
    values.VolNo = "12";
    EXPECT_FALSE(ApplyReadSet(values, settings).ThumbnailsChanged);
    EXPECT_FALSE(settings.JpegType);
    EXPECT_EQ(settings.Sequence, 1);
    EXPECT_EQ(settings.VolNo, "12");

    values.ImSize = 3;
    EXPECT_TRUE(ApplyReadSet(values, settings).ThumbnailsChanged);
    EXPECT_FALSE(ApplyReadSet(values, settings).ThumbnailsChanged);
    values.ThumbStrech = !values.ThumbStrech;
    EXPECT_TRUE(ApplyReadSet(values, settings).ThumbnailsChanged);
}

TEST(ReadSetValues, BringsStoredIndexesIntoTheirItems)
{
    TRegistory settings;
    settings.ImSize = 9;
    settings.Sequence = -3;
    const ReadSetValues values = ReadSetValuesFrom(settings);
    EXPECT_EQ(values.ImSize, 4);
    EXPECT_EQ(values.Sequence, 0);
}

// A valid starting point; each case spoils it in one or more ways.
PdfOutValues ValidPdfOut()
{
    PdfOutValues values;
    values.Target = "/existing";
    values.PageHeightText = "1000";
    values.PageWidthText = "700";
    values.HPCode = "0012";
    return values;
}

bool OnlyExistingFolder(std::string_view path) { return path == "/existing"; }

struct PdfOutCase {
    const char* name;
    std::function<void(PdfOutValues&)> spoil;
    const char* message;
};

class PdfOutCheckTest : public testing::TestWithParam<PdfOutCase> { };

TEST_P(PdfOutCheckTest, ReportsTheFirstFailingCheck)
{
    PdfOutValues values = ValidPdfOut();
    GetParam().spoil(values);
    PageSize size;
    EXPECT_EQ(CheckPdfOutSet(values, size, OnlyExistingFolder), GetParam().message);
}

const std::string k11(11, 'a');
const std::string k10(10, 'a');
const std::string kSixWide = "あいうえおか"; // 12 bytes in code page 932
const std::string kFiveWide = "あいうえお";  // 10 bytes

INSTANTIATE_TEST_SUITE_P(
    Checks, PdfOutCheckTest,
    testing::Values(
        PdfOutCase{"Valid", [](PdfOutValues&) {}, ""},
        PdfOutCase{"MissingBase", [](PdfOutValues& v) { v.Target = "/missing"; }, "ベースフォルダーエラー"},
        PdfOutCase{"BaseBeforeLevels",
                   [](PdfOutValues& v) {
                       v.Target = "";
                       v.Levels[0].Front = k11;
                   },
                   "ベースフォルダーエラー"},
        PdfOutCase{"Level1Back11", [](PdfOutValues& v) { v.Levels[0].Back = k11; },
                   "フォルダー１サイズエラー"},
        PdfOutCase{"Level1Wide12Bytes", [](PdfOutValues& v) { v.Levels[0].Front = kSixWide; },
                   "フォルダー１サイズエラー"},
        PdfOutCase{"Level1Wide10Bytes", [](PdfOutValues& v) { v.Levels[0].Front = kFiveWide; }, ""},
        PdfOutCase{"Level2Front11", [](PdfOutValues& v) { v.Levels[1].Front = k11; },
                   "フォルダー２サイズエラー"},
        PdfOutCase{"Level3Front11", [](PdfOutValues& v) { v.Levels[2].Front = k11; },
                   "フォルダー３サイズエラー"},
        PdfOutCase{"Level3Front10", [](PdfOutValues& v) { v.Levels[2].Front = k10; }, ""},
        PdfOutCase{"Level4Back11", [](PdfOutValues& v) { v.Levels[3].Back = k11; },
                   "フォルダー４サイズエラー"},
        PdfOutCase{"LowerLevelFirst",
                   [](PdfOutValues& v) {
                       v.Levels[3].Back = k11;
                       v.Levels[1].Front = k11;
                   },
                   "フォルダー２サイズエラー"},
        PdfOutCase{"LevelsBeforeSize",
                   [](PdfOutValues& v) {
                       v.Levels[3].Back = k11;
                       v.PageHeightText = "";
                   },
                   "フォルダー４サイズエラー"},
        PdfOutCase{"HeightEmptyBeforeWidth",
                   [](PdfOutValues& v) {
                       v.PageHeightText = "";
                       v.PageWidthText = "x";
                   },
                   "縦:数値エラー"},
        PdfOutCase{"HeightBeyond32Bits", [](PdfOutValues& v) { v.PageHeightText = "2147483648"; },
                   "縦:数値エラー"},
        PdfOutCase{"WidthText", [](PdfOutValues& v) { v.PageWidthText = "7O0"; }, "横:数値エラー"},
        PdfOutCase{"Height99", [](PdfOutValues& v) { v.PageHeightText = "99"; },
                   "縦か横のサイズが少ないエラー"},
        PdfOutCase{"Width99", [](PdfOutValues& v) { v.PageWidthText = "99"; },
                   "縦か横のサイズが少ないエラー"},
        PdfOutCase{"Both100",
                   [](PdfOutValues& v) {
                       v.PageHeightText = "100";
                       v.PageWidthText = "100";
                   },
                   ""},
        PdfOutCase{"NoUpperLimit", [](PdfOutValues& v) { v.PageHeightText = "100000"; }, ""},
        PdfOutCase{"CodeWithSlash", [](PdfOutValues& v) { v.HPCode = "00/12"; }, kInstitutionCodeError},
        PdfOutCase{"CodeTooLong", [](PdfOutValues& v) { v.HPCode = std::string(300, '1'); },
                   kInstitutionCodeError},
        PdfOutCase{"BaseNotStorable", [](PdfOutValues& v) { v.Target = "/jos\xC3\xA9"; },
                   "保存できない文字があります：\xC3\xA9"},
        PdfOutCase{"BaseHoldsScanner", [](PdfOutValues& v) { v.ScannerDir = "/existing/scan"; },
                   quillora::settings::kFoldersOverlapError},
        PdfOutCase{"LevelLeavesArchive", [](PdfOutValues& v) { v.Levels[0].Front = "../../x"; },
                   "フォルダー１文字エラー：「.」「..」だけのフォルダー名と「:」は使えません"},
        PdfOutCase{"SizeBeforeCode",
                   [](PdfOutValues& v) {
                       v.HPCode = "a\\b";
                       v.PageWidthText = "10";
                   },
                   "縦か横のサイズが少ないエラー"}),
    [](const testing::TestParamInfo<PdfOutCase>& info) { return std::string(info.param.name); });

TEST(PdfOutCheck, KeepsTheNumbersParsedBeforeALaterFailure)
{
    PdfOutValues values = ValidPdfOut();
    values.PageHeightText = "500";
    values.PageWidthText = "50";
    PageSize size{1, 2};
    EXPECT_EQ(CheckPdfOutSet(values, size, OnlyExistingFolder), "縦か横のサイズが少ないエラー");
    EXPECT_EQ(size.Height, 500);
    EXPECT_EQ(size.Width, 50);
}

TEST(PdfOutValues, BringsStoredQualityIntoRange)
{
    TRegistory settings;
    settings.Quality = 20;
    EXPECT_EQ(PdfOutValuesFrom(settings).Quality, 50);
    settings.Quality = 150;
    EXPECT_EQ(PdfOutValuesFrom(settings).Quality, 100);
    settings.Quality = 77;
    EXPECT_EQ(PdfOutValuesFrom(settings).Quality, 77);
}

} // namespace
