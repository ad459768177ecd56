// The title a page gets from the picker: at most 16 code page 932 bytes, never half a
// double-byte character; and the presets kept in the settings.
#include "dialogs/BookmarkTitlePicker.h"
#include "settings/TRegistory.h"

#include <gtest/gtest.h>

using quillora::bookmarkTitleFrom;

struct CutCase {
    const char* name;
    std::string chosen;
    std::string title;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

class BookmarkTitleCut : public ::testing::TestWithParam<CutCase> { };

TEST_P(BookmarkTitleCut, KeepsAtMostSixteenBytes)
{
    EXPECT_EQ(bookmarkTitleFrom(GetParam().chosen), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, BookmarkTitleCut,
    ::testing::Values(CutCase{"Empty", "", ""}, CutCase{"Short", "処置", "処置"},
                      CutCase{"TwentyAscii", "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOP"},
                      CutCase{"EightFullWidthFitExactly", "あいうえおかきく", "あいうえおかきく"},
                      CutCase{"NinthFullWidthIsLeftOut", "あいうえおかきくけ", "あいうえおかきく"},
                      // "a" and seven full-width characters make 15 bytes; the eighth would end at byte 17.
                      CutCase{"DoubleByteAcrossTheLimitIsLeftOutWhole", "aあいうえおかきくけ",
                              "aあいうえおかき"},
                      CutCase{"HalfWidthKatakanaCountsOneByte", "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁ", "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ"},
                      CutCase{"MixedEndingOnTheLimit", "検査ABCDEFGHIJKLM", "検査ABCDEFGHIJKL"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BookmarkTitlePicker, PresetsComeFromAndGoBackToTheSettings)
{
    TRegistory settings;
    quillora::BookmarkTitlePicker picker(settings);
    const quillora::TagPresets defaults{"検査", "処方", "放射線", "処置", "手術",
                                        "注射", "外来", "入院",   "",     ""};
    EXPECT_EQ(picker.presets(), defaults);

    quillora::TagPresets edited = defaults;
    edited[8] = "新規";
    picker.close(edited);
    EXPECT_EQ(settings.Tag9, "新規");
    EXPECT_EQ(settings.Tag1, "検査");
}

TEST(BookmarkTitlePicker, PageTitleIsTheCutChosenTextWhileThePresetKeepsItAll)
{
    TRegistory settings;
    settings.Tag10 = "ABCDEFGHIJKLMNOPQRST";
    quillora::BookmarkTitlePicker picker(settings);
    picker.choose(picker.presets()[9]);
    EXPECT_EQ(picker.chosenTitle(), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(picker.pageTitle(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(settings.Tag10, "ABCDEFGHIJKLMNOPQRST");
}
