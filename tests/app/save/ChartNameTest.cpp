#include "app/save/ChartName.h"

#include <gtest/gtest.h>

using namespace quillora::save;

TEST(ParsePatientNumber, AcceptsOneTo99999999Only)
{
    for (const char* bad : {"0", "100000000", "-1", "12a", "", " ", "1.5", "99999999999", "+"})
        EXPECT_FALSE(ParsePatientNumber(bad)) << bad;
    EXPECT_EQ(ParsePatientNumber("1"), 1u);
    EXPECT_EQ(ParsePatientNumber("99999999"), 99999999u);
    EXPECT_EQ(ParsePatientNumber("00012345"), 12345u);
}

TEST(ParseSerialNumber, AcceptsZeroTo999)
{
    for (const char* bad : {"1000", "-1", "x", "", "7 "})
        EXPECT_FALSE(ParseSerialNumber(bad)) << bad;
    EXPECT_EQ(ParseSerialNumber("0"), 0);
    EXPECT_EQ(ParseSerialNumber("999"), 999);
    EXPECT_EQ(ParseSerialNumber("007"), 7);
    EXPECT_EQ(ParseSerialNumber("-0"), 0);
}

TEST(ChartFileName, JoinsCodeNumbersAndUnpaddedDate)
{
    const quillora::LocalDateTime march7{2024, 3, 7, 10, 0, 0};
    EXPECT_EQ(ChartFileName("0012", 12345, 0, march7), "HP0012_12345_0_2024_3_7.pdf");
    EXPECT_EQ(ChartFileName("0012", 12345, 0, std::nullopt), "HP0012_12345_0.pdf");
    EXPECT_EQ(ChartFileName("", 1, 7, std::nullopt), "HP_1_7.pdf");
}

TEST(LogLines, UseTheNativeSeparator)
{
    EXPECT_EQ(SaveLogLine(12345, "/charts/00/01/23/45", "HP_12345_0.pdf"),
              "12345,/charts/00/01/23/45/HP_12345_0.pdf");
    EXPECT_EQ(ErrorLogLine("/charts/00/01/23/45", "HP_12345_0.pdf"),
              "/charts/00/01/23/45/HP_12345_0.pdf OverWrite Error");
}
