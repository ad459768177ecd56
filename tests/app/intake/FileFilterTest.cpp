#include "app/intake/FileFilter.h"

#include <gtest/gtest.h>

using namespace quillora::intake;

struct FilterCase {
    FileTypes types;
    const char* filter;
};

void PrintTo(const FilterCase& c, std::ostream* out)
{
    *out << c.types.jpeg << c.types.tiff << c.types.bitmap << c.types.png;
}

class BuildFileFilterTest : public ::testing::TestWithParam<FilterCase> { };

TEST_P(BuildFileFilterTest, ListsTheSetTypesInOrder)
{
    EXPECT_EQ(BuildFileFilter(GetParam().types), GetParam().filter);
}

INSTANTIATE_TEST_SUITE_P(
    Types, BuildFileFilterTest,
    ::testing::Values(FilterCase{{true, true, true, true},
                                 "ファイル形式|*.jpg;*.jpeg;*.tif;*.tiff;*.bmp;*.png;"},
                      FilterCase{{false, false, false, false}, ""},
                      FilterCase{{true, false, false, true}, "ファイル形式|*.jpg;*.jpeg;*.png;"},
                      FilterCase{{false, true, false, false}, "ファイル形式|*.tif;*.tiff;"},
                      FilterCase{{false, false, true, false}, "ファイル形式|*.bmp;"}));

TEST(FilterPatterns, SplitsAfterTheBarAndKeepsTheEmptyLastPattern)
{
    const auto patterns = FilterPatterns("ファイル形式|*.jpg;*.png;");
    ASSERT_EQ(patterns.size(), 3u);
    EXPECT_EQ(patterns[0], "*.jpg");
    EXPECT_EQ(patterns[1], "*.png");
    EXPECT_EQ(patterns[2], "");
    EXPECT_TRUE(FilterPatterns("").empty());
}

TEST(MatchesPattern, IgnoresCaseAndNeedsTheWholeName)
{
    EXPECT_TRUE(MatchesPattern("scan.JPG", "*.jpg"));
    EXPECT_TRUE(MatchesPattern("Page1.Jpeg", "*.jpeg"));
    EXPECT_FALSE(MatchesPattern("scan.jpeg", "*.jpg"));
    EXPECT_FALSE(MatchesPattern("scan.jpg.bak", "*.jpg"));
    EXPECT_TRUE(MatchesPattern("a.b.png", "*.png"));
    EXPECT_TRUE(MatchesPattern("x1.tif", "x?.tif"));
    EXPECT_FALSE(MatchesPattern("scan.jpg", ""));
    EXPECT_FALSE(MatchesAnyPattern("scan.tif", FilterPatterns("ファイル形式|*.jpg;*.jpeg;*.png;")));
}
