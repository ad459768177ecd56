// Appending the log to a file: code page 932, CR LF, only to a file that exists, and the
// failures that keep the modified mark.
#include "logs/LogFile.h"
#include "LogFileSupport.h"
#include "logs/ChartLog.h"

#include <gtest/gtest.h>

using quillora::ChartLog;
using quillora::LogFileStatus;
using quillora::test::freshFolder;
using quillora::test::readBytes;
using quillora::test::writeBytes;

namespace {

ChartLog markedLog(std::initializer_list<const char*> lines)
{
    ChartLog log;
    for (const char* line : lines)
        log.addLine(line);
    log.setModified(true);
    return log;
}

} // namespace

TEST(LogFile, AppendsToAnEmptyFileInCodePage932WithCrLf)
{
    const auto file = freshFolder("empty") / "save.log";
    writeBytes(file, "");
    ChartLog log = markedLog({"12345,/charts/00/01/23/45/HP0012_12345_0.pdf", "処方"});

    const auto outcome = log.appendTo(file);

    EXPECT_EQ(outcome.status, LogFileStatus::Appended);
    EXPECT_EQ(readBytes(file), "12345,/charts/00/01/23/45/HP0012_12345_0.pdf\r\n\x8F\x88\x95\xFB\r\n");
    EXPECT_FALSE(log.isModified());
}

TEST(LogFile, WritesAtTheEndOfExistingContentAndTwiceWhenAppendedTwice)
{
    const auto file = freshFolder("existing") / "save.log";
    writeBytes(file, "old line\r\n");
    ChartLog log = markedLog({"1,/a/HP_1_0.pdf"});

    ASSERT_EQ(log.appendTo(file).status, LogFileStatus::Appended);
    ASSERT_EQ(log.appendTo(file).status, LogFileStatus::Appended);

    EXPECT_EQ(readBytes(file), "old line\r\n1,/a/HP_1_0.pdf\r\n1,/a/HP_1_0.pdf\r\n");
    EXPECT_EQ(log.lines().size(), 1u); // the lines stay in the log
}

TEST(LogFile, CharactersWithoutACodePage932FormBecomeQuestionMarks)
{
    const auto file = freshFolder("lossy") / "save.log";
    writeBytes(file, "");
    ChartLog log = markedLog({"a\xE2\x82\xAC"
                              "b"}); // "a€b"
    ASSERT_EQ(log.appendTo(file).status, LogFileStatus::Appended);
    EXPECT_EQ(readBytes(file), "a?b\r\n");
}

TEST(LogFile, AnEmptyLogLeavesTheFileAsItWasAndClearsTheMark)
{
    const auto file = freshFolder("nolines") / "save.log";
    writeBytes(file, "kept");
    ChartLog log;
    log.setModified(true);
    EXPECT_EQ(log.appendTo(file).status, LogFileStatus::Appended);
    EXPECT_EQ(readBytes(file), "kept");
    EXPECT_FALSE(log.isModified());
}

struct UnopenableCase {
    const char* name;
    std::function<std::filesystem::path(const std::filesystem::path& folder)> target;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const UnopenableCase& c, std::ostream* os) { *os << c.name; }

class LogFileCannotOpen : public ::testing::TestWithParam<UnopenableCase> { };

TEST_P(LogFileCannotOpen, WritesNothingAndKeepsTheMark)
{
    const auto folder = freshFolder(GetParam().name);
    const auto target = GetParam().target(folder);
    ChartLog log = markedLog({"1,/a/HP_1_0.pdf"});

    const auto outcome = log.appendTo(target);

    EXPECT_EQ(outcome.status, LogFileStatus::CannotOpen);
    EXPECT_FALSE(outcome.detail.empty());
    EXPECT_TRUE(log.isModified());
    EXPECT_FALSE(std::filesystem::is_regular_file(target));
}

// Each case fails for root too: no case relies on permission bits.
INSTANTIATE_TEST_SUITE_P(Targets, LogFileCannotOpen,
                         ::testing::Values(UnopenableCase{"Missing",
                                                          [](const auto& f) { return f / "missing.log"; }},
                                           UnopenableCase{"BelowAFile",
                                                          [](const auto& f) {
                                                              writeBytes(f / "plain", "x");
                                                              return f / "plain" / "save.log";
                                                          }},
                                           UnopenableCase{"Folder",
                                                          [](const auto& f) {
                                                              std::filesystem::create_directory(f / "dir");
                                                              return f / "dir";
                                                          }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogFile, AFailingWriteIsReportedAndKeepsTheMark)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full on this system";
    ChartLog log = markedLog({"1,/a/HP_1_0.pdf", "2,/b/HP_2_0.pdf"});

    const auto outcome = log.appendTo("/dev/full");

    EXPECT_EQ(outcome.status, LogFileStatus::WriteFailed);
    EXPECT_FALSE(outcome.detail.empty());
    EXPECT_TRUE(log.isModified());
}
