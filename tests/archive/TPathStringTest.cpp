#include "archive/TPathString.h"

#include <gtest/gtest.h>

namespace {

TPathString withNumber(std::uint32_t number, std::string base = "/charts")
{
    TPathString p;
    p.BaseFolder = std::move(base);
    p.L1Front = p.L2Front = p.L3Front = p.L4Front = "";
    p.SetNumber(number);
    return p;
}

TEST(TPathString, ConstructorDefaults)
{
    TPathString p;
    EXPECT_EQ(p.BaseFolder, "/");
    EXPECT_EQ(p.Number, 0u);
    EXPECT_EQ(p.RelativePath(), "/A00/B00/C00/D00");
    EXPECT_EQ(p.L1Back + p.L2Back + p.L3Back + p.L4Back, "");
}

TEST(TPathString, NumberIsKeptBelowOneHundredMillion)
{
    auto p = withNumber(123456789);
    EXPECT_EQ(p.Number, 23456789u);
    p.SetNumber(100000000);
    EXPECT_EQ(p.Number, 0u);
    EXPECT_EQ(p.RelativePath(), "/00/00/00/00");
    p.SetNumber(0xFFFFFFFF);
    EXPECT_EQ(p.Number, 94967295u);
}

struct PathCase {
    std::uint32_t number;
    std::string base;
    std::string l1Front, l1Back, l2Back;
    std::string relative, folder;
};

class FolderPathExamples : public ::testing::TestWithParam<PathCase> { };

TEST_P(FolderPathExamples, FollowTheNumber)
{
    const auto& c = GetParam();
    auto p = withNumber(c.number, c.base);
    p.L1Front = c.l1Front;
    p.L1Back = c.l1Back;
    p.L2Back = c.l2Back;
    EXPECT_EQ(p.RelativePath(), c.relative);
    EXPECT_EQ(p.FolderPath(), c.folder);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FolderPathExamples,
    ::testing::Values(
        PathCase{12345, "/charts", "", "", "", "/00/01/23/45", "/charts/00/01/23/45"},
        PathCase{12345678, "/charts", "", "", "", "/12/34/56/78", "/charts/12/34/56/78"},
        PathCase{12345, "/charts", "K", "x", "", "/K00x/01/23/45", "/charts/K00x/01/23/45"},
        PathCase{1, "/charts", "", "", "", "/00/00/00/01", "/charts/00/00/00/01"},
        PathCase{99999999, "/", "", "", "", "/99/99/99/99", "/99/99/99/99"},
        PathCase{12345, "/charts/", "", "", "", "/00/01/23/45", "/charts/00/01/23/45"},
        PathCase{12345, "/charts//", "", "", "", "/00/01/23/45", "/charts/00/01/23/45"},
        PathCase{12345, "\\srv\\\\charts\\", "", "", "", "/00/01/23/45", "/srv/charts/00/01/23/45"},
        PathCase{12345, "D:\\charts", "", "", "", "/00/01/23/45", "D:/charts/00/01/23/45"},
        // A level text with a separator adds a level; one at its end merges with the next.
        PathCase{12345, "/charts", "", "", "\\sub", "/00/01/sub/23/45", "/charts/00/01/sub/23/45"},
        PathCase{12345, "/charts", "", "", "/", "/00/01//23/45", "/charts/00/01/23/45"},
        // 表 is 0x95 0x5C in code page 932: the character and the separator after it stay.
        PathCase{12345, "/表", "", "表", "", "/00表/01/23/45", "/表/00表/01/23/45"}));

TEST(TPathString, CollapseBackslashes)
{
    struct Case {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"\\", "/"},
        {"a\\\\\\b", "a/b"},
        {"a//\\/b", "a/b"},
        {"a\\", "a/"},
        {"\\\\a", "/a"},
        {"ab", "ab"},
        {"検査\\\\x", "検査/x"},
        {"\xFF\\\\", "\xFF/"},
        {"\xE3\\\\x", "\xE3/x"}, // stray bytes never hide a separator
    };
    for (const auto& c : cases)
        EXPECT_EQ(TPathString::CollapseBackslashes(c.in), c.out) << c.in;
}

} // namespace
