// The conversion between the program's text and native names: UTF-8 and UTF-16 both ways,
// names that are not UTF-8 kept byte for byte.
#include "platform/NativePath.h"

#include <gtest/gtest.h>
#include <string>

using namespace quillora::platform;

TEST(NativePath, Utf8TextRoundTripsThroughAPath)
{
    const std::string utf8 = "患者/検査 \xF0\x9F\x93\x84.pdf";
    EXPECT_EQ(Utf8FromPath(PathFromUtf8(utf8)), utf8);
    EXPECT_EQ(PathFromUtf8(utf8), std::filesystem::path(u"患者/検査 \U0001F4C4.pdf"));
#ifndef _WIN32
    const std::string cp932 = "/scan/\x82\xA0\x82\xA2.jpg"; // POSIX names are any bytes
    EXPECT_EQ(PathFromUtf8(cp932).native(), cp932);
    EXPECT_EQ(Utf8FromPath(PathFromUtf8(cp932)), cp932);
#endif
}

TEST(NativePath, BytesThatAreNotUtf8SurviveUtf16AsEscapes)
{
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"a\xE6\xA4\x9C\xF0\x9F\x93\x84", u"a検\U0001F4C4"},
        {"\x82\xA0", u"\xDC82\xDCA0"},
        {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"}, // an encoded surrogate is no UTF-8
        {"\xC0\xAF\xFF", u"\xDCC0\xDCAF\xDCFF"}, // overlong, invalid
        {"\xE3\x81", u"\xDCE3\xDC81"},           // cut short
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16FromNativeBytes(c.bytes), c.text);
        EXPECT_EQ(NativeBytesFromUtf16(c.text), c.bytes);
    }
    // Lone surrogates that are no escaped byte have no native form.
    EXPECT_EQ(NativeBytesFromUtf16(u"\xD800x\xDC10"), "?x?");
#ifndef _WIN32
    EXPECT_EQ(PathFromUtf16(u"\xDC82\xDCA0.jpg").native(), "\x82\xA0.jpg");
#else
    EXPECT_EQ(PathFromUtf16(u"\xDC82.jpg").native(), L"\xDC82.jpg");
#endif
}

TEST(NativePath, NamesOfOneFolderResolveAlikeAndOnlyWholeComponentsAreBelow)
{
    const auto folder = std::filesystem::temp_directory_path() / "quillora-resolved-folder";
    std::filesystem::create_directories(folder / "scan" / "day");
    const auto scan = ResolvedFolder(folder / "scan");
    EXPECT_EQ(ResolvedFolder(folder / "scan" / ""), scan);
    EXPECT_EQ(ResolvedFolder(folder / "scan" / "day" / ".."), scan);
    EXPECT_TRUE(IsSameOrBelow(scan, scan));
    EXPECT_TRUE(IsSameOrBelow(ResolvedFolder(folder / "scan" / "day" / "not-yet"), scan));
    EXPECT_FALSE(IsSameOrBelow(ResolvedFolder(folder / "scanner"), scan));
    EXPECT_FALSE(IsSameOrBelow(ResolvedFolder(folder), scan));
    std::filesystem::remove_all(folder);
}
