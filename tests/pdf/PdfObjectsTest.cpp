// Serialization of PDF values, arrays, dictionaries and streams.
#include <gtest/gtest.h>

#include "PdfTestSupport.h"
#include "pdf/PdfExceptions.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfXref.h"

using pdftest::Written;

namespace {

struct TextCase {
    std::string value;
    std::string written;
};

class TextWriting : public ::testing::TestWithParam<TextCase> { };

TEST_P(TextWriting, WritesLiteralOrHexForm)
{
    TPdfText text(GetParam().value);
    EXPECT_EQ(Written(text), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextWriting,
    ::testing::Values(TextCase{"a(b)\\c\r\n", "(a\\(b\\)\\\\c\\r\\n)"}, TextCase{"", "()"},
                      TextCase{"\t\b\f", "(\\t\\b\\f)"},
                      // Other control bytes and single-byte characters stay unchanged.
                      TextCase{"\x01\x7f", "(\x01\x7f)"},
                      // Half-width katakana is a single-byte character: literal form.
                      TextCase{"\xB1", "(\xB1)"}, TextCase{"\x82\xA0", "<FEFF001B656E001B3042>"},
                      // 検査: the outline title of a chart.
                      TextCase{"\x8C\x9F\x8D\xB8", "<FEFF001B656E001B691C67FB>"},
                      // Mixed: ASCII, half-width katakana and kanji all go into the hex form.
                      TextCase{"A\xB1\x8C\x9F", "<FEFF001B656E001B0041FF71691C>"},
                      // A backslash stays a backslash in the hex form, not a yen sign.
                      TextCase{"\x8C\x9F\\", "<FEFF001B656E001B691C005C>"}));

struct NameCase {
    std::string value;
    std::string written;
};

class NameWriting : public ::testing::TestWithParam<NameCase> { };

TEST_P(NameWriting, EscapesDelimitersAndOutsideBytes)
{
    TPdfName name(GetParam().value);
    EXPECT_EQ(Written(name), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Names, NameWriting,
                         ::testing::Values(NameCase{"A B#", "/A#20B#23"}, NameCase{"Catalog", "/Catalog"},
                                           NameCase{"%()/<>[]{}", "/#25#28#29#2F#3C#3E#5B#5D#7B#7D"},
                                           NameCase{"\x7f\xff!~", "/#7F#FF!~"}, NameCase{"", "/"}));

struct CoordCase {
    float value;
    std::string written;
};

class CoordFormatting : public ::testing::TestWithParam<CoordCase> { };

TEST_P(CoordFormatting, RoundsToTwoDecimals) { EXPECT_EQ(FormatCoord(GetParam().value), GetParam().written); }

INSTANTIATE_TEST_SUITE_P(Coords, CoordFormatting,
                         ::testing::Values(CoordCase{33, "33"}, CoordCase{12.375f, "12.38"},
                                           CoordCase{0.004f, "0"}, CoordCase{-1.125f, "-1.12"},
                                           CoordCase{-0.004f, "0"}, CoordCase{596, "596"},
                                           CoordCase{-300, "-300"}, CoordCase{0.5f, "0.5"},
                                           CoordCase{-2.5f, "-2.5"}, CoordCase{167, "167"},
                                           CoordCase{-1.13f, "-1.13"}, CoordCase{-1.126f, "-1.13"}));

TEST(PdfValues, NumbersRealsBooleansNull)
{
    TPdfNumber zero(0), positive(596), negative(-300);
    EXPECT_EQ(Written(zero), "0");
    EXPECT_EQ(Written(positive), "596");
    EXPECT_EQ(Written(negative), "-300");
    TPdfReal one(1), many(777), half(0.5), third(1.0 / 3);
    EXPECT_EQ(Written(one), "1");
    EXPECT_EQ(Written(many), "777");
    EXPECT_EQ(Written(half), "0.5");
    EXPECT_EQ(Written(third), "0.333333333333333");
    TPdfBoolean yes(true), no(false);
    EXPECT_EQ(Written(yes), "true");
    EXPECT_EQ(Written(no), "false");
    TPdfNull null;
    EXPECT_EQ(Written(null), "null");
}

// PDF numbers have no exponent: very small and very large reals are written out in full.
TEST(PdfValues, RealsNeverUseAnExponent)
{
    const std::pair<double, const char*> cases[] = {
        {1e-05, "0.00001"},          {-1.25e-07, "-0.000000125"},
        {1e+15, "1000000000000000"}, {-1.5e+16, "-15000000000000000"},
        {123456.5, "123456.5"},      {1.0 / 3e6, "0.000000333333333333333"}};
    for (const auto& [value, written] : cases)
        EXPECT_EQ(FormatReal(value), written) << value;
}

TEST(PdfValues, DatesHaveNoTimeZone)
{
    EXPECT_EQ(PdfDateString({2006, 11, 17, 14, 25, 6}), "D:20061117142506");
    EXPECT_EQ(PdfDateString(TPdfDateTime::Zero()), "D:18991230000000");
}

TEST(PdfArray, WritesItemsEachFollowedBySpace)
{
    TPdfArray empty;
    EXPECT_EQ(Written(empty), "[]");
    const int values[] = {0, 0, 700, 1000};
    auto numbers = TPdfArray::CreateNumbers(nullptr, values);
    EXPECT_EQ(Written(*numbers), "[0 0 700 1000 ]");
}

TEST(PdfArray, IndirectObjectsBecomeReferencesDirectObjectsAreOwned)
{
    TPdfXref xref;
    auto& page = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    TPdfArray array(&xref);
    array.Add(page);
    array.Add(page);
    auto name = std::make_unique<TPdfName>("XYZ");
    TPdfName* direct = name.get();
    array.Add(std::move(name));
    array.Add(*direct); // already an item: nothing happens
    EXPECT_EQ(array.Count(), 3);
    EXPECT_EQ(Written(array), "[1 0 R 1 0 R /XYZ ]");
    EXPECT_EQ(array.Items(0), &page);
    EXPECT_EQ(array.RawItem(0)->Kind(), okVirtual);

    TPdfArray unresolved; // no object manager: references resolve to nothing
    unresolved.Add(page);
    EXPECT_EQ(unresolved.Items(0), nullptr);

    TPdfNumber stranger(1);
    EXPECT_THROW(array.Add(stranger), EPdfInvalidOperation);
}

TEST(PdfArray, FindAndRemoveNames)
{
    TPdfArray array;
    array.Add(std::make_unique<TPdfName>("FlateDecode"));
    array.Add(std::make_unique<TPdfName>("DCTDecode"));
    EXPECT_EQ(array.FindName("flatedecode"), nullptr);
    EXPECT_TRUE(array.RemoveName("FlateDecode"));
    EXPECT_FALSE(array.RemoveName("FlateDecode"));
    EXPECT_EQ(Written(array), "[/DCTDecode ]");
}

TEST(PdfDictionary, RepeatedPutMovesKeyToTheEnd)
{
    TPdfDictionary dictionary;
    dictionary.Put("Type", std::make_unique<TPdfName>("Catalog"));
    dictionary.Put("Pages", std::make_unique<TPdfNumber>(1));
    dictionary.Put("PageMode", std::make_unique<TPdfName>("UseNone"));
    dictionary.Put("Pages", std::make_unique<TPdfNumber>(2));
    EXPECT_EQ(Written(dictionary), "<<\r\n/Type /Catalog\r\n/PageMode /UseNone\r\n/Pages 2\r\n>>");
    EXPECT_EQ(dictionary.Count(), 3);
}

TEST(PdfDictionary, InternalElementsAreFoundButNotWritten)
{
    TPdfDictionary dictionary;
    dictionary.PutInternal("_Font", std::make_unique<TPdfName>("Arial"));
    ASSERT_NE(dictionary.LookupName("_Font"), nullptr);
    EXPECT_EQ(dictionary.LookupName("_Font")->Value(), "Arial");
    EXPECT_EQ(dictionary.LookupNumber("_Font"), nullptr);
    EXPECT_EQ(dictionary.Lookup("_font"), nullptr);
    EXPECT_EQ(Written(dictionary), "<<\r\n>>");
}

TEST(PdfDictionary, IndirectValuesAreReferencesResolvedThroughTheManager)
{
    TPdfXref xref;
    auto& pages = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    pages.Put("Type", std::make_unique<TPdfName>("Pages"));
    TPdfDictionary catalog(&xref);
    catalog.Put("Pages", pages);
    EXPECT_EQ(catalog.LookupDictionary("Pages"), &pages);
    EXPECT_EQ(TPdfDictionary::TypeOf(*catalog.LookupDictionary("Pages")), "Pages");
    EXPECT_EQ(TPdfDictionary::TypeOf(catalog), "");
    EXPECT_EQ(Written(catalog), "<<\r\n/Pages 1 0 R\r\n>>");
    TPdfDictionary detached;
    detached.Put("Pages", pages);
    EXPECT_EQ(detached.Lookup("Pages"), nullptr);
}

TEST(PdfDictionary, ElementWithoutValueIsRefused)
{
    try {
        TPdfDictionary dictionary;
        dictionary.Put("Key", std::unique_ptr<TPdfObject>());
        FAIL();
    } catch (const EPdfInvalidValue& error) {
        EXPECT_STREQ(error.what(), "internal error. wrong object.");
    }
}

TEST(PdfStream, WritesUnfilteredDataWithLength)
{
    TPdfStream stream;
    stream.Attributes().LookupArray("Filter")->Add(std::make_unique<TPdfName>("FlateDecode"));
    stream.Data().Append("0123456789");
    EXPECT_EQ(Written(stream), "<<\r\n/Length 10\r\n/Filter []\r\n>>\r\nstream\r\n0123456789\nendstream");
}

TEST(PdfStream, SharedDataIsNotCopiedUntilAppended)
{
    auto bytes = std::make_shared<const std::vector<std::uint8_t>>(std::vector<std::uint8_t>{'a', 'b'});
    TPdfStream stream;
    stream.Data().AssignShared(bytes);
    EXPECT_TRUE(stream.Data().IsShared());
    EXPECT_EQ(stream.Data().View().data(), reinterpret_cast<const char*>(bytes->data()));
    stream.Data().Append("c");
    EXPECT_FALSE(stream.Data().IsShared());
    EXPECT_EQ(stream.Data().View(), "abc");
    EXPECT_EQ(bytes->size(), 2u);
}

TEST(PdfObject, IndirectDefinitionAndErrors)
{
    TPdfXref xref;
    auto& number = xref.Add(std::make_unique<TPdfNumber>(42));
    TPdfMemoryStream stream;
    number.WriteIndirect(stream);
    EXPECT_EQ(stream.Bytes(), "1 0 obj\r\n42\r\nendobj\r\n");
    EXPECT_EQ(Written(number), "1 0 R");

    TPdfNumber direct(1);
    try {
        direct.WriteIndirect(stream);
        FAIL();
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "internal error wrong object type");
    }
    TPdfVirtualObject reference(7);
    EXPECT_EQ(Written(reference), "7 0 R");
}

TEST(PdfXref, NumbersInOrderAndRefusesObjectsAlreadyAdded)
{
    TPdfXref xref;
    EXPECT_EQ(xref.Count(), 1);
    EXPECT_EQ(xref.EntryAt(0).EntryType, 'f');
    auto& first = xref.Add(std::make_unique<TPdfNull>());
    auto& second = xref.Add(std::make_unique<TPdfNull>());
    EXPECT_EQ(first.ObjectNumber(), 1);
    EXPECT_EQ(second.ObjectNumber(), 2);
    EXPECT_EQ(xref.ObjectAt(2), &second);
    EXPECT_EQ(xref.ObjectAt(3), nullptr);

    TPdfXref other;
    try {
        other.AddObject(std::unique_ptr<TPdfObject>(&first)); // already numbered by `xref`
        FAIL();
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "AddObject --wrong object type.");
    }
    EXPECT_EQ(other.Count(), 1);
    EXPECT_EQ(xref.ObjectAt(1), &first);

    TPdfMemoryStream stream;
    xref.WriteTo(stream);
    EXPECT_EQ(stream.Bytes(),
              "xref\r\n0 3\r\n0000000000 65535 f\r\n0000000000 00000 n\r\n0000000000 00000 n\r\n");
}

TEST(PdfFile, TenObjectsGiveSizeElevenAndMeasuredOffsets)
{
    TPdfXref xref;
    TPdfHeader header;
    TPdfTrailer trailer(&xref);
    for (int i = 0; i < 10; ++i)
        xref.Add(std::make_unique<TPdfNumber>(i * 1000));
    trailer.Attributes().Put("Root", *xref.ObjectAt(1));
    trailer.Attributes().Put("Info", *xref.ObjectAt(3));
    TPdfMemoryStream stream;
    stream.Write("stale bytes from an earlier save");
    WriteFile(header, xref, trailer, stream);
    const std::string& file = stream.Bytes();
    EXPECT_EQ(file.substr(0, 11), "%PDF-1.2 \r\n");
    EXPECT_NE(file.find("xref\r\n0 11\r\n0000000000 65535 f\r\n0000000011 00000 n\r\n"), std::string::npos);
    EXPECT_NE(file.find("trailer\r\n<<\r\n/Size 11\r\n/Root 1 0 R\r\n/Info 3 0 R\r\n>>\r\nstartxref\r\n"),
              std::string::npos);
    EXPECT_EQ(file.substr(file.size() - 7), "%%EOF\r\n");
    EXPECT_EQ(pdftest::CheckStructure(file), "");
    EXPECT_EQ(xref.EntryAt(1).ByteOffset, 11);
}

} // namespace
