// Destinations and outline trees.
#include <gtest/gtest.h>

#include "PdfTestSupport.h"
#include "pdf/PROutlines.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfExceptions.h"
#include "pdf/PdfOutlines.h"

using pdftest::ValueOf;

namespace {

class OutlineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.UseOutlines = true;
        doc.NewDocument();
        doc.AddPage();
        doc.GetCanvas().SetPageHeight(1000);
    }
    std::string Save()
    {
        TPdfMemoryStream stream;
        doc.SaveToStream(stream);
        return stream.Bytes();
    }
    TPdfDoc doc{pdftest::FixedClock()};
};

TEST_F(OutlineTest, DestinationArrays)
{
    TPdfDestination& destination = doc.CreateDestination();
    TPRDestination wrapper(destination);
    wrapper.SetTop(0);
    EXPECT_EQ(ValueOf(*destination.BuildArray()), "[5 0 R /XYZ 0 1000 1 ]");
    destination.SetValue(dvLeft, -5);
    EXPECT_EQ(destination.Value(dvLeft), -1);
    wrapper.SetBottom(900);
    wrapper.SetRight(50);
    const std::pair<TPdfDestinationType, const char*> kinds[] = {{dtFit, "[5 0 R /Fit ]"},
                                                                 {dtFitB, "[5 0 R /FitB ]"},
                                                                 {dtFitH, "[5 0 R /FitH 1000 ]"},
                                                                 {dtFitBH, "[5 0 R /FitBH 1000 ]"},
                                                                 {dtFitV, "[5 0 R /FitV -1 ]"},
                                                                 {dtFitBV, "[5 0 R /FitBV -1 ]"},
                                                                 {dtFitR, "[5 0 R /FitR -1 100 50 1000 ]"},
                                                                 {dtXYZ, "[5 0 R /XYZ -1 1000 1 ]"}};
    for (const auto& [kind, written] : kinds) {
        wrapper.SetKind(kind);
        EXPECT_EQ(ValueOf(*destination.BuildArray()), written);
    }
}

TEST_F(OutlineTest, ZoomLimits)
{
    TPdfDestination& destination = doc.CreateDestination();
    destination.SetZoom(10);
    destination.SetZoom(0);
    EXPECT_EQ(destination.Zoom(), 0);
    try {
        destination.SetZoom(10.5f);
        FAIL();
    } catch (const EPdfInvalidValue& error) {
        EXPECT_STREQ(error.what(), "Zoom property cannot set to over 10.");
    }
    try {
        destination.SetZoom(-0.5f);
        FAIL();
    } catch (const EPdfInvalidValue& error) {
        EXPECT_STREQ(error.what(), "Zoom property cannot set to under 0.");
    }
    EXPECT_EQ(destination.Zoom(), 0);
}

TEST_F(OutlineTest, ThreeTopLevelEntriesAreLinkedAsSiblings)
{
    TPdfOutlineRoot& root = doc.GetOutlineRoot();
    TPdfOutlineEntry& a = root.AppendChild();
    TPdfOutlineEntry& b = root.AppendChild();
    TPdfOutlineEntry& c = root.AppendChild();
    EXPECT_EQ(a.Data()->ObjectNumber(), 8);
    Save();
    EXPECT_EQ(ValueOf(*root.Data()),
              "<<\r\n/Type /Outlines\r\n/Count 3\r\n/First 8 0 R\r\n/Last 10 0 R\r\n>>");
    EXPECT_EQ(ValueOf(*a.Data()), "<<\r\n/Count 0\r\n/Title ()\r\n/Next 9 0 R\r\n>>");
    EXPECT_EQ(ValueOf(*b.Data()), "<<\r\n/Count 0\r\n/Title ()\r\n/Prev 8 0 R\r\n/Next 10 0 R\r\n>>");
    EXPECT_EQ(ValueOf(*c.Data()), "<<\r\n/Count 0\r\n/Title ()\r\n/Prev 9 0 R\r\n>>");
}

TEST_F(OutlineTest, CountsCoverAllDescendantsAndClosedEntriesAreNegative)
{
    TPdfOutlineRoot& root = doc.GetOutlineRoot();
    TPdfOutlineEntry& parent = root.AppendChild();
    TPdfOutlineEntry& child1 = parent.AppendChild();
    parent.AppendChild();
    child1.AppendChild();
    parent.Title = "\x8C\x9F\x8D\xB8";
    Save();
    EXPECT_EQ(root.Count(), 4);
    EXPECT_EQ(parent.Data()->LookupNumber("Count")->Value(), -3);
    parent.Opened = true;
    const std::string file = Save();
    EXPECT_EQ(parent.Data()->LookupNumber("Count")->Value(), 3);
    EXPECT_EQ(ValueOf(*parent.Data()), "<<\r\n/Count 3\r\n/Title <FEFF001B656E001B691C67FB>\r\n"
                                       "/First 9 0 R\r\n/Last 10 0 R\r\n>>");
    EXPECT_EQ(pdftest::CheckStructure(file), "");
}

TEST_F(OutlineTest, EmptyRootAndEntryWithoutDestination)
{
    Save();
    EXPECT_EQ(ValueOf(*doc.GetOutlineRoot().Data()), "<<\r\n/Type /Outlines\r\n/Count 0\r\n>>");
    TPdfOutlineEntry& entry = doc.GetOutlineRoot().AppendChild();
    Save();
    EXPECT_EQ(entry.Data()->Lookup("Dest"), nullptr);
}

TEST_F(OutlineTest, ReportHandlesSetTitleOpenedAndDestination)
{
    TPROutlineRoot& root = TPROutlineRoot::CreateForDocument(doc);
    TPRDestination destination(doc.CreateDestination());
    destination.SetTop(0);
    TPROutlineEntry& entry = root.AppendChild();
    entry.SetTitle("abc");
    entry.SetOpened(true);
    entry.SetDest(destination);
    Save();
    EXPECT_EQ(ValueOf(*entry.Target().Data()),
              "<<\r\n/Count 0\r\n/Title (abc)\r\n/Dest [5 0 R /XYZ 0 1000 1 ]\r\n>>");

    TPdfDoc other(pdftest::FixedClock());
    other.NewDocument();
    other.AddPage();
    TPRDestination foreign(other.CreateDestination());
    try {
        entry.SetDest(foreign);
        FAIL();
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "SetDest --internal docs are not equal.");
    }
}

TEST(Outline, Failures)
{
    try {
        TPdfOutlineEntry::CreateEntry(nullptr);
        FAIL();
    } catch (const EPdfError& error) {
        EXPECT_STREQ(error.what(), "CreateEntry --invalid parent.");
    }
    TPdfDoc closed;
    try {
        TPdfDestination destination(&closed);
        FAIL();
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "TPdfDestination --cannot destination object.");
    }
    closed.NewDocument();
    EXPECT_THROW(TPROutlineRoot::CreateForDocument(closed), EPdfInvalidOperation);
}

} // namespace
