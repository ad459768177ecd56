// The lines of a log and its modified mark.
#include "logs/ChartLog.h"

#include <gtest/gtest.h>

using quillora::ChartLog;
using Lines = std::vector<std::string>;

TEST(ChartLog, KeepsLinesInTheOrderAdded)
{
    ChartLog log;
    log.addLine("12345,/charts/00/01/23/45/HP0012_12345_0.pdf");
    log.addLine("7,/charts/00/00/00/07/HP0012_7_1.pdf");
    log.addLine("");
    EXPECT_EQ(log.lines(), (Lines{"12345,/charts/00/01/23/45/HP0012_12345_0.pdf",
                                  "7,/charts/00/00/00/07/HP0012_7_1.pdf", ""}));
    EXPECT_EQ(log.text(),
              "12345,/charts/00/01/23/45/HP0012_12345_0.pdf\n7,/charts/00/00/00/07/HP0012_7_1.pdf\n");
}

TEST(ChartLog, TextWithLineBreaksBecomesSeveralLines)
{
    ChartLog log;
    log.addLine("a\r\nb\nc\rd");
    EXPECT_EQ(log.lines(), (Lines{"a", "b", "c", "d"}));
    log.setText("x\n\ny\n");
    EXPECT_EQ(log.lines(), (Lines{"x", "", "y"}));
    log.setText("");
    EXPECT_TRUE(log.empty());
}

TEST(ChartLog, ModifiedMarkIsSetByTheCallerAndClearedByClear)
{
    ChartLog log;
    EXPECT_FALSE(log.isModified());
    log.addLine("1,/a/HP_1_0.pdf");
    EXPECT_FALSE(log.isModified()); // adding alone does not mark
    log.setModified(true);
    EXPECT_TRUE(log.isModified());
    log.clear();
    EXPECT_FALSE(log.isModified());
    EXPECT_TRUE(log.empty());
}
