#include "cli/SettingsTable.h"

#include "settings/TRegistory.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace quillora::cli;

struct SettingCase {
    const char* name;
    const char* value;
    const char* refusal; // empty: accepted
};

void PrintTo(const SettingCase& c, std::ostream* out) { *out << c.name << "=" << c.value; }

class SetSettingTest : public ::testing::TestWithParam<SettingCase> { };

TEST_P(SetSettingTest, ChecksLikeTheSettingsDialogs)
{
    TRegistory settings;
    const TRegistory before = settings;
    const auto change = SetSetting(settings, GetParam().name, GetParam().value);
    EXPECT_EQ(change.ok, std::string(GetParam().refusal).empty()) << change.message;
    if (!change.ok) {
        EXPECT_NE(change.message.find(GetParam().refusal), std::string::npos) << change.message;
        EXPECT_EQ(FormatSettings(settings), FormatSettings(before));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SetSettingTest,
    ::testing::Values(
        SettingCase{"L3Front", "abcdefghijk", "フォルダー３サイズエラー"},
        SettingCase{"L3Front", "abcdefghij", ""},
        SettingCase{"L1Back", "あいうえおか", "フォルダー１サイズエラー"},
        SettingCase{"L4Back", "あいうえお", ""},
        SettingCase{"PdfPageHeight", "99", "縦か横のサイズが少ないエラー"},
        SettingCase{"PdfPageHeight", "", "縦:数値エラー"}, SettingCase{"PdfPageWidth", "x", "横:数値エラー"},
        SettingCase{"PdfPageWidth", "100", ""}, SettingCase{"VolNo", "1000", "*** 連番 エラー"},
        SettingCase{"VolNo", "007", ""}, SettingCase{"Target", "/no/such/folder", "ベースフォルダーエラー"},
        SettingCase{"HPCode", "a/b", "医療機関コードエラー"}, SettingCase{"HPCode", "0012", ""},
        SettingCase{"Quality", "49", "Quality"}, SettingCase{"Quality", "100", ""},
        SettingCase{"FolderClear", "2", "not a valid value"}, SettingCase{"FolderClear", "false", ""},
        SettingCase{"PrintDensity", "300.5", ""}, SettingCase{"PrintDensity", "dense", "not a valid value"},
        SettingCase{"Nothing", "1", "unknown setting"}));

TEST(FormatSettings, PrintsTheFortyFourValuesInStoreOrder)
{
    TRegistory settings;
    settings.VolNo = "007";
    const auto lines = FormatSettings(settings);
    ASSERT_EQ(lines.size(), 44u);
    EXPECT_EQ(lines.front(), "FolderClear=1");
    EXPECT_EQ(lines.back(), "ThumbStrech=0");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "PanelDensity=76.2"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "VolNo=007"), lines.end());
}
