// The rules of the settings schema, shared by the dialogs and the command line.
#include "settings/SettingsSchema.h"

#include "settings/TRegistory.h"
#include "settings/ValueRules.h"
#include "support/TestEnv.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace quillora::settings;

struct RuleCase {
    const char* name;
    std::string value;
    std::string refusal; // part of the message; empty: accepted
};

void PrintTo(const RuleCase& c, std::ostream* out) { *out << c.name << "=" << c.value; }

class SchemaRuleTest : public ::testing::TestWithParam<RuleCase> {
protected:
    void SetUp() override
    {
        root = quillora::test::TestHome() / "schema";
        fs::create_directories(root / "charts" / "inner");
        fs::create_directories(root / "scan");
        fs::create_directories(root / "jos\xC3\xA9");
        current.Target = (root / "charts").string();
        current.ScannerDir = (root / "scan").string();
    }
    fs::path root;
    TRegistory current;
};

TEST_P(SchemaRuleTest, RefusesWithAMessageOrAccepts)
{
    std::string value = GetParam().value;
    // Joined as UTF-8 text: a path built from UTF-8 bytes would read them in the ANSI code page
    // on Windows.
    if (value.starts_with("@"))
        value = root.string() + "/" + value.substr(1);
    const auto* spec = FindSetting(GetParam().name);
    ASSERT_NE(spec, nullptr);
    const std::string refusal = CheckSetting(*spec, value, current);
    if (GetParam().refusal.empty())
        EXPECT_EQ(refusal, "");
    else
        EXPECT_NE(refusal.find(GetParam().refusal), std::string::npos) << refusal;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SchemaRuleTest,
    ::testing::Values(
        // Text that does not survive code page 932 is refused, naming the characters.
        RuleCase{"Target", "@jos\xC3\xA9", "\xC3\xA9"},
        RuleCase{"FileOpenDir", "/x/\xE2\x82\xAC", "\xE2\x82\xAC"},
        RuleCase{"L1Front", "\xC2\xA5", "\xC2\xA5"}, RuleCase{"Tag3", "caf\xC3\xA9", "\xC3\xA9"},
        RuleCase{"Tag3", "検査", ""},
        // Level texts: ten CP932 bytes, separators allowed, no way out of the archive.
        RuleCase{"L1Front", "../../x", "フォルダー１文字エラー"},
        RuleCase{"L2Back", "/..", "フォルダー２文字エラー"},
        RuleCase{"L3Front", "./a", "フォルダー３文字エラー"},
        RuleCase{"L4Back", "C:", "フォルダー４文字エラー"}, RuleCase{"L2Back", "\\sub", ""},
        RuleCase{"L1Front", "a/b..c", ""}, RuleCase{"L3Front", "あいうえおか", "フォルダー３サイズエラー"},
        // Institution code: one message for characters and length.
        RuleCase{"HPCode", std::string(kInstitutionCodeMaxBytes + 1, '1'), kInstitutionCodeError},
        RuleCase{"HPCode", std::string(kInstitutionCodeMaxBytes, '1'), ""},
        RuleCase{"HPCode", "a/b", kInstitutionCodeError},
        // Scanner folder and archive base folder lie apart.
        RuleCase{"ScannerDir", "@charts", kFoldersOverlapError},
        RuleCase{"ScannerDir", "@charts/inner", kFoldersOverlapError},
        RuleCase{"ScannerDir", "@", kFoldersOverlapError}, RuleCase{"Target", "@scan/", kFoldersOverlapError},
        RuleCase{"Target", "@jos", kBaseFolderError}, RuleCase{"ScannerDir", "@scan", ""},
        RuleCase{"Quality", "101", "Quality"}, RuleCase{"Quality", "50", ""}));

TEST(SettingsSchema, FoldersOverlapByWholeComponents)
{
    EXPECT_TRUE(FoldersOverlap("/a/b", "/a/b/"));
    EXPECT_TRUE(FoldersOverlap("/a/b/c", "/a/b"));
    EXPECT_TRUE(FoldersOverlap("/a", "/a/./b/../b/c"));
    EXPECT_FALSE(FoldersOverlap("/a/b", "/a/bc"));
    EXPECT_FALSE(FoldersOverlap("/a/b", ""));
}

TEST(SettingsSchema, DefaultsComeFromTheTable)
{
    TRegistory r;
    r.Quality = 1;
    r.Tag2.clear();
    r.SetDefaults();
    EXPECT_EQ(r.Quality, 80);
    EXPECT_EQ(r.Tag2, "処方");
    EXPECT_EQ(SettingsSchema().back().name, std::string("ThumbStrech"));
}

} // namespace
