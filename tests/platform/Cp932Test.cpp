#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace quillora::platform {
namespace {

const std::string kKensa = "\xE6\xA4\x9C\xE6\x9F\xBB"; // 検査 in UTF-8
const std::string kKensaCp932 = "\x8C\x9F\x8D\xB8";
const std::string kHyo = "\xE8\xA1\xA8"; // 表: its CP932 second byte is 0x5C
const std::string kHyoCp932 = "\x95\x5C";
const std::string kReplacement = "\xEF\xBF\xBD";

TEST(Cp932, DecodesBackslashAndKanji)
{
    EXPECT_EQ(fromCp932("\x5C"), "\\");
    EXPECT_EQ(fromCp932("~"), "~");
    EXPECT_EQ(fromCp932(kKensaCp932), kKensa);
    EXPECT_EQ(fromCp932("C:" + kHyoCp932 + "\\"), "C:" + kHyo + "\\");
}

TEST(Cp932, EncodesAndRoundTrips)
{
    bool lossy = true;
    EXPECT_EQ(toCp932(kKensa, &lossy), kKensaCp932);
    EXPECT_FALSE(lossy);
    EXPECT_EQ(toCp932(kHyo), kHyoCp932);
    const std::string mixed = "HP0012_" + kKensa + "\\x " + kHyo;
    EXPECT_EQ(fromCp932(toCp932(mixed)), mixed);
}

TEST(Cp932, EncodeReplacesWhatCp932CannotHoldWithOneQuestionMarkEach)
{
    struct Case {
        std::string utf8, cp932;
    } cases[] = {
        {"a\xE2\x82\xAC"
         "b",
         "a?b"},                                          // euro sign
        {"\xF0\x9F\x98\x80" + kKensa, "?" + kKensaCp932}, // emoji before kanji
        {"x\xFFy", "x?y"},                                // not UTF-8
        {"x\xE6\xA4", "x?"},                              // UTF-8 cut off at the end
        {"\xE6\xA4x\xA4\xA4", "?x?"},                     // broken sequences count once
    };
    for (const auto& c : cases) {
        bool lossy = false;
        EXPECT_EQ(toCp932(c.utf8, &lossy), c.cp932) << c.utf8;
        EXPECT_TRUE(lossy) << c.utf8;
    }
}

TEST(Cp932, DecodeNeverTurnsATrailByteIntoABackslash)
{
    bool lossy = false;
    // 0x85 0x5C is a well-formed pair without a character: it goes as a whole.
    EXPECT_EQ(fromCp932("a\x85\x5C"
                        "b",
                        &lossy),
              "a" + kReplacement + "b");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(fromCp932("\x80"), kReplacement);
    EXPECT_EQ(fromCp932("a\x8C"), "a" + kReplacement);     // lead byte at the end
    EXPECT_EQ(fromCp932("\x81\x0A"), kReplacement + "\n"); // lead byte without a trail byte
}

TEST(Cp932, DecodesToUtf16UnitsWithTheSameReplacementRule)
{
    EXPECT_EQ(cp932ToUtf16(kKensaCp932 + "\\"), u"\u691C\u67FB\\");
    EXPECT_EQ(cp932ToUtf16("\xB1"), u"\uFF71"); // half-width katakana
    EXPECT_EQ(cp932ToUtf16("a\x85\x5C"
                           "b"),
              u"a\uFFFDb");
    EXPECT_EQ(cp932ToUtf16(""), u"");
}

TEST(Cp932, LeadBytes)
{
    for (int b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(isCp932LeadByte(static_cast<unsigned char>(b)), expected) << b;
    }
}

TEST(Cp932, LengthCountsCp932Bytes)
{
    EXPECT_EQ(cp932Length(""), 0u);
    EXPECT_EQ(cp932Length("abc"), 3u);
    EXPECT_EQ(cp932Length(kKensa + "1"), 5u);
    EXPECT_EQ(cp932Length("\xEF\xBD\xB1"), 1u); // half-width katakana is one byte
}

TEST(Cp932, CutsNeverSplitADoubleByteCharacter)
{
    const std::string text = "a" + kKensa + "b"; // CP932: a 8C9F 8DB8 b = 6 bytes
    const std::string bytes = toCp932(text);
    struct Case {
        std::size_t max;
        std::string utf8;
    } cases[] = {
        {0, ""},           {1, "a"},  {2, "a"},   {3, "a\xE6\xA4\x9C"}, {4, "a\xE6\xA4\x9C"},
        {5, "a" + kKensa}, {6, text}, {99, text},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cutToCp932Length(text, c.max), c.utf8) << c.max;
        EXPECT_EQ(cutCp932Bytes(bytes, c.max), toCp932(c.utf8)) << c.max;
    }
    // A second byte of 0x5C is still part of its character.
    EXPECT_EQ(cutCp932Bytes("x" + kHyoCp932, 2), "x");
}

TEST(Cp932, NamesTheCharactersThatDoNotSurviveTheRoundTrip)
{
    struct Case {
        std::string text, lost;
    } cases[] = {
        {"/home/jos\xC3\xA9", "\xC3\xA9"}, // é: CP932 lacks it
        {"\xC2\xA5"
         "100\xC2\xA5",
         "\xC2\xA5"}, // ¥ is stored as 0x5C, reads back as '\'
        {"a\xE2\x82\xAC"
         "b\xC3\xBC\xE2\x82\xAC",
         "\xE2\x82\xAC\xC3\xBC"}, // each once, in order
        {kKensa + "\\sub " + kHyo, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp932LostCharacters(c.text), c.lost) << c.text;
        EXPECT_EQ(survivesCp932(c.text), c.lost.empty()) << c.text;
    }
    EXPECT_EQ(cp932ByteCount(kKensa + "ab"), 6u);
    EXPECT_EQ(cp932ByteCount("jos\xC3\xA9"), std::nullopt); // not one byte, not any count
}

} // namespace
} // namespace quillora::platform
