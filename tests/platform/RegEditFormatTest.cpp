#include "platform/RegEditFormat.h"

#include <gtest/gtest.h>

namespace quillora::platform {
namespace {

constexpr std::string_view kKey = "HKEY_CURRENT_USER\\Software\\Travex\\QuilloraShare";

std::vector<NamedRegValue> parse(const std::string& body)
{
    return parseRegEdit("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Travex\\QuilloraShare]\r\n" + body,
                        kKey);
}

std::vector<std::string> names(const std::vector<NamedRegValue>& values)
{
    std::vector<std::string> out;
    for (const auto& v : values)
        out.push_back(v.name);
    return out;
}

RegValue sz(std::string bytes)
{
    RegValue v{RegType::Sz, {bytes.begin(), bytes.end()}};
    v.data.push_back(0);
    return v;
}

TEST(RegEditFormat, ReadsEveryValueForm)
{
    const auto values = parse("\"A\"=dword:0000002A\r\n"
                              "\"B\"=\"x\\\\y\\\"z\"\r\n"
                              "\"C\"=hex:01,ff\r\n"
                              "\"D\"=hex(2):25,54,4d,50,25,00\r\n"
                              "\"E\"=hex(b):01,00,00,00,00,00,00,00\r\n"
                              "@=\"default\"\r\n"
                              "\"F\"=hex:01,02,\\\r\n"
                              "  03,04\r\n");
    ASSERT_EQ(names(values), (std::vector<std::string>{"A", "B", "C", "D", "E", "", "F"}));
    EXPECT_EQ(values[0].value, (RegValue{RegType::Dword, {0x2a, 0, 0, 0}}));
    EXPECT_EQ(values[1].value, sz("x\\y\"z"));
    EXPECT_EQ(values[2].value, (RegValue{RegType::Binary, {0x01, 0xff}}));
    EXPECT_EQ(values[3].value, (RegValue{RegType::ExpandSz, {'%', 'T', 'M', 'P', '%', 0}}));
    EXPECT_EQ(values[4].value.type, static_cast<RegType>(11));
    EXPECT_EQ(values[5].value, sz("default"));
    EXPECT_EQ(values[6].value, (RegValue{RegType::Binary, {1, 2, 3, 4}}));
}

// As the registry editor exports long lists, and as people write values by hand.
TEST(RegEditFormat, ReadsWrappedHexListsAndShortDwords)
{
    const auto values = parse("\"AVeryLongValueNameThatLeavesNoRoomForBytesOnItsFirstLine\"=hex:\\\r\n"
                              "  01,02,\\\r\n"
                              "  03\r\n"
                              "@=hex(2):25,00\r\n"
                              "\"One\"=dword:1\n"
                              "\"Upper\"=DWORD:0000FFFF\n"
                              "\"Spaced\" = hex:0a, 0B, \\\n"
                              "\t0c\n"
                              "\"Cut\"=\"C:\\\r\n"
                              "\"After\"=dword:00000002\r\n"
                              "\"Unescaped\"=\"C:\\scan\"\r\n");
    ASSERT_EQ(names(values),
              (std::vector<std::string>{"AVeryLongValueNameThatLeavesNoRoomForBytesOnItsFirstLine", "", "One",
                                        "Upper", "Spaced", "After", "Unescaped"}));
    EXPECT_EQ(values[0].value, (RegValue{RegType::Binary, {1, 2, 3}}));
    EXPECT_EQ(values[1].value, (RegValue{RegType::ExpandSz, {'%', 0}}));
    EXPECT_EQ(values[2].value, makeDwordValue(1));
    EXPECT_EQ(values[3].value, makeDwordValue(0xFFFF));
    EXPECT_EQ(values[4].value, (RegValue{RegType::Binary, {0x0a, 0x0b, 0x0c}}));
    EXPECT_EQ(values[5].value, makeDwordValue(2)); // a cut-off text never swallows the next line
    EXPECT_EQ(values[6].value, sz("C:\\scan"));    // a lone backslash is kept as typed
}

TEST(RegEditFormat, SkipsMalformedLinesAndKeepsTheRest)
{
    const auto values = parse("\"Cut\"=\"no closing quote\r\n"
                              "\"Short\"=dword:\r\n"
                              "\"Sign\"=dword:-1\r\n"
                              "\"Long\"=dword:000000001\r\n"
                              "\"Odd\"=hex:1,02\r\n"
                              "\"Trail\"=hex:01,\r\n"
                              "\"Type\"=sz:abc\r\n"
                              "no name\r\n"
                              "; comment\r\n"
                              "\"Good\"=dword:00000001\r\n"
                              "\"Tail\"=\"x\" junk\r\n");
    EXPECT_EQ(names(values), std::vector<std::string>{"Good"});
}

TEST(RegEditFormat, ALastLineWithoutLineBreakIsReadUnlessItLooksCutOff)
{
    using Names = std::vector<std::string>;
    const std::string a = "\"A\"=dword:00000001\r\n";
    EXPECT_EQ(names(parse(a + "\"B\"=dword:00000002")), (Names{"A", "B"}));
    EXPECT_EQ(names(parse(a + "\"B\"=\"text\"")), (Names{"A", "B"}));
    EXPECT_EQ(names(parse(a + "\"B\"=hex:01,\\\r\n  02")), (Names{"A", "B"}));
    // Cut inside the value: fewer than eight dword digits, an open quote, a trailing comma.
    for (const char* cut : {"\"B\"=dword:0000", "\"B\"=\"tex", "\"B\"=hex:01,", "\"B"}) {
        bool whole = true;
        EXPECT_EQ(names(quillora::platform::parseRegEdit(
                      "REGEDIT4\r\n\r\n[" + std::string(kKey) + "]\r\n" + a + cut, kKey, &whole)),
                  Names{"A"})
            << cut;
        EXPECT_FALSE(whole) << cut;
    }
}

TEST(RegEditFormat, LaterLinesOverrideAndDelete)
{
    const auto values = parse("\"A\"=dword:00000001\r\n\"B\"=\"b\"\r\n\"a\"=dword:00000002\r\n\"B\"=-\r\n");
    ASSERT_EQ(names(values), std::vector<std::string>{"A"});
    EXPECT_EQ(values[0].value.data[0], 2);
}

TEST(RegEditFormat, OnlyTheSectionOfTheKeyCounts)
{
    const auto values = parseRegEdit("REGEDIT4\n"
                                     "\"Stray\"=dword:00000001\n"
                                     "[HKEY_CURRENT_USER\\Software\\Other]\n"
                                     "\"Other\"=dword:00000001\n"
                                     "[hkey_current_user\\software\\travex\\quillorashare]\n"
                                     "\"Mine\"=dword:00000001\n",
                                     kKey);
    EXPECT_EQ(names(values), std::vector<std::string>{"Mine"});
}

TEST(RegEditFormat, WithoutHeaderThereAreNoValues)
{
    EXPECT_TRUE(
        parseRegEdit("[HKEY_CURRENT_USER\\Software\\Travex\\QuilloraShare]\r\n\"A\"=dword:00000001\r\n", kKey)
            .empty());
    EXPECT_TRUE(parseRegEdit("REGEDIT5\r\n", kKey).empty());
}

TEST(RegEditFormat, FormattedFileParsesBackToTheSameValues)
{
    const std::vector<NamedRegValue> values = {
        {"Dword", {RegType::Dword, {1, 2, 3, 4}}},
        {"Text", sz("C:\\x \"q\"")},
        {"Multi", {RegType::MultiSz, {'a', 0, 'b', 0, 0}}},
        {"Expand", {RegType::ExpandSz, {'%', 'H', '%', 0}}},
        {"Empty", {RegType::Binary, {}}},
        {"", sz("default")},
        {"ShortDword", {RegType::Dword, {1}}},
    };
    const std::string text = formatRegEdit(kKey, values);
    const auto parsed = parseRegEdit(text, kKey);
    ASSERT_EQ(parsed.size(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(parsed[i].name, values[i].name);
        EXPECT_EQ(parsed[i].value, values[i].value) << values[i].name;
    }
}

} // namespace
} // namespace quillora::platform
