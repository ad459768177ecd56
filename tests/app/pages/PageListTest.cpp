// Reordering, deletion, the add-mode name check and the caption byte limits of the page list.
#include "app/pages/PageList.h"
#include "app/pages/Captions.h"

#include <gtest/gtest.h>

using quillora::pages::ItemRange;
using quillora::pages::PageList;

namespace {

PageList pagesOf(const QString& letters)
{
    PageList list;
    for (QChar letter : letters) {
        APageList page;
        page.FileName = QStringLiteral("/scan/") + letter + QStringLiteral(".jpg");
        page.Title = letter;
        list.append(page);
    }
    return list;
}

QString orderOf(const PageList& list)
{
    QString order;
    for (const APageList& page : list.pages())
        order += page.Title;
    return order;
}

struct DropCase {
    int dragged;
    int target; // -1: empty space
    const char* order;
    ItemRange refreshed;
};

void PrintTo(const DropCase& c, std::ostream* os) { *os << c.dragged << " onto " << c.target; }

class DropTest : public ::testing::TestWithParam<DropCase> { };

TEST_P(DropTest, MovesThePageBeforeTheTargetAndNamesTheItemsToRewrite)
{
    const DropCase& c = GetParam();
    PageList list = pagesOf(QStringLiteral("ABCD"));
    const ItemRange range = c.target < 0 ? list.dropOnEmpty(c.dragged) : list.dropOnItem(c.dragged, c.target);
    EXPECT_EQ(orderOf(list), QString::fromLatin1(c.order));
    EXPECT_EQ(range, c.refreshed);
}

INSTANTIATE_TEST_SUITE_P(PageList, DropTest,
                         ::testing::Values(DropCase{0, 2, "BACD", {0, 1}},  // A onto C
                                           DropCase{3, 1, "ADBC", {1, 3}},  // D onto B
                                           DropCase{1, -1, "ACDB", {1, 3}}, // B onto empty space
                                           DropCase{2, 2, "ABCD", {0, -1}}, // C onto itself
                                           DropCase{0, 3, "BCAD", {0, 2}},  // first onto last
                                           DropCase{3, 0, "DABC", {0, 3}}));

TEST(PageList, DeletingAPageShiftsTheFollowingOnesUp)
{
    PageList list = pagesOf(QStringLiteral("ABCD"));
    EXPECT_EQ(list.remove(1), (ItemRange{1, 2}));
    EXPECT_EQ(orderOf(list), QStringLiteral("ACD"));
    EXPECT_EQ(list.remove(2), (ItemRange{2, 1})); // the last page: nothing left to rewrite
    EXPECT_TRUE(list.remove(2).empty());          // no such page: nothing happens
    EXPECT_TRUE(list.remove(-1).empty());
    EXPECT_EQ(orderOf(list), QStringLiteral("AC"));
}

TEST(PageList, UndoBringsBackOnlyTheLastDeletedPageAtItsPlace)
{
    PageList list = pagesOf(QStringLiteral("ABCD"));
    list.at(2).Note = QStringList{QStringLiteral("memo")};
    list.remove(0);
    list.remove(1); // C, with its note
    EXPECT_EQ(list.restoreIndex(), 1);
    EXPECT_EQ(list.restoreRemoved(), (ItemRange{1, 2}));
    EXPECT_EQ(orderOf(list), QStringLiteral("BCD"));
    EXPECT_EQ(*list.at(1).Note, QStringList{QStringLiteral("memo")});
    EXPECT_FALSE(list.canRestore()); // one step: A stays deleted
    EXPECT_TRUE(list.restoreRemoved().empty());

    list.remove(2);
    list.clear();
    EXPECT_FALSE(list.canRestore()); // a new chart forgets the deleted page
}

TEST(PageList, ListedNamesCompareTheFileNamePartWithCase)
{
    PageList list;
    list.append({QStringLiteral("/scan/a.jpg"), -1, std::nullopt, {}});
    EXPECT_TRUE(list.isPageListed(QStringLiteral("/other/a.jpg")));
    EXPECT_TRUE(list.isPageListed(QStringLiteral("C:\\scan\\a.jpg")));
    EXPECT_FALSE(list.isPageListed(QStringLiteral("/scan/a.JPG")));
    EXPECT_FALSE(list.isPageListed(QStringLiteral("/scan/b.jpg")));
}

TEST(PageList, ClearFreesEveryRecord)
{
    PageList list = pagesOf(QStringLiteral("AB"));
    list.at(0).Note = QStringList{QStringLiteral("x")};
    list.clear();
    EXPECT_TRUE(list.empty());
    APageList page{QStringLiteral("f"), 3, QStringList{}, QStringLiteral("t")};
    quillora::pages::FreePage(page);
    EXPECT_TRUE(page.FileName.isEmpty());
    EXPECT_EQ(page.ImageIndex, -1);
    EXPECT_FALSE(page.Note.has_value());
    EXPECT_TRUE(page.Title.isEmpty());
}

TEST(Captions, CutsAtTheByteLimitWithoutSplittingACharacter)
{
    using quillora::pages::cutToBytes;
    EXPECT_EQ(cutToBytes(QStringLiteral("abcdefghijklmnopqrst"), 18), QStringLiteral("abcdefghijklmnopqr"));
    EXPECT_EQ(cutToBytes(QStringLiteral("abcdefghijklmnopqrst"), 16), QStringLiteral("abcdefghijklmnop"));
    // Ten full-width characters are 20 bytes: nine fit in 18.
    EXPECT_EQ(cutToBytes(QStringLiteral("処方処方処方処方処方"), 18), QStringLiteral("処方処方処方処方処"));
    // "a" + full-width characters: the one straddling byte 18 is dropped whole.
    EXPECT_EQ(cutToBytes(QStringLiteral("a処方処方処方処方処方"), 18), QStringLiteral("a処方処方処方処方"));
    EXPECT_EQ(cutToBytes(QStringLiteral("検査"), 18), QStringLiteral("検査"));
}

} // namespace
