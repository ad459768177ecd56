// The page list in the window: drag and drop, captions, the bookmark picker, deletion, notes.
#include "MainFormFixture.h"

#include "app/ui/PageListView.h"
#include "dialogs/TTagForm.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace quillora::test {
namespace {

class PageListTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        for (const char* name : {"1.png", "2.png", "3.png", "4.png"})
            addScan(QString::fromLatin1(name));
        takeInScannerFolder();
        ASSERT_EQ(form->PageList.size(), 4);
        titlePagesByLetter();
    }

    void drag(int from, int to)
    {
        clickItem(from); // the press selects the page the drag takes
        form->ListView1StartDrag();
        EXPECT_TRUE(form->ListView1DragOver(true, itemCentre(from)));
        EXPECT_TRUE(form->ListView1DragOver(true, to < 0 ? QPoint(700, 400) : itemCentre(to)));
        form->ListView1DragDrop(to < 0 ? QPoint(700, 400) : itemCentre(to));
    }

    // Edits caption `index` in place through the view's editor.
    void editCaption(int index, const QString& text)
    {
        form->ListView1->editItem(form->ListView1->item(index));
        QLineEdit* editor = nullptr;
        for (QLineEdit* candidate : form->ListView1->viewport()->findChildren<QLineEdit*>())
            if (candidate->isVisible())
                editor = candidate;
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

struct DragCase {
    int from, to;
    const char* order;
    int landed; // where the dragged page ends, selected
};

void PrintTo(const DragCase& c, std::ostream* os) { *os << c.from << " onto " << c.to; }

class DragDropTest : public PageListTest, public ::testing::WithParamInterface<DragCase> { };

TEST_P(DragDropTest, ReordersRecordsAndRewritesTheItems)
{
    drag(GetParam().from, GetParam().to);
    EXPECT_EQ(titles(), QString::fromLatin1(GetParam().order));
    EXPECT_EQ(captions(), QString::fromLatin1(GetParam().order));
    EXPECT_FALSE(form->DragArmed);
    EXPECT_EQ(form->CurrentPage, GetParam().landed);
}

INSTANTIATE_TEST_SUITE_P(MainForm, DragDropTest,
                         ::testing::Values(DragCase{0, 2, "BACD", 1},   // A onto C
                                           DragCase{3, 1, "ADBC", 1},   // D onto B
                                           DragCase{1, -1, "ACDB", 3},  // B onto empty space
                                           DragCase{2, 2, "ABCD", 2})); // C onto itself: nothing moves

TEST_F(PageListTest, ADragFromAnotherSourceIsRefusedAndAnUnarmedDropDoesNothing)
{
    EXPECT_FALSE(form->ListView1DragOver(false, itemCentre(0)));
    form->ListView1DragDrop(itemCentre(2));
    EXPECT_EQ(titles(), QStringLiteral("ABCD"));
}

TEST_F(PageListTest, EditedCaptionIsCutTo18BytesAndAnUnchangedOneKeepsTheTitle)
{
    editCaption(1, QStringLiteral("abcdefghijklmnopqrst"));
    EXPECT_EQ(form->PageList.at(1).Title, QStringLiteral("abcdefghijklmnopqr"));
    EXPECT_EQ(form->ListView1->item(1)->text(), QStringLiteral("abcdefghijklmnopqr"));
    editCaption(2, QStringLiteral("処方処方処方処方処方")); // 20 bytes
    EXPECT_EQ(form->PageList.at(2).Title, QStringLiteral("処方処方処方処方処"));
    editCaption(3, QStringLiteral("D"));
    EXPECT_EQ(form->PageList.at(3).Title, QStringLiteral("D"));
}

TEST_F(PageListTest, ShiftRightClickTitlesThePageFromThePickerCutTo16Bytes)
{
    prompts.onModal = [](QDialog& dialog) {
        auto& picker = dynamic_cast<TTagForm&>(dialog);
        dialog.show();
        picker.Edits[8]->setText(QStringLiteral("abcdefghijklmnopqrst"));
        QTest::mouseClick(picker.Buttons[8], Qt::LeftButton);
        return dialog.result();
    };
    clickItem(2, Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(form->PageList.at(2).Title, QStringLiteral("abcdefghijklmnop"));
    EXPECT_EQ(form->ListView1->item(2)->text(), QStringLiteral("abcdefghijklmnop"));
    EXPECT_EQ(form->Settings().Tag9, "abcdefghijklmnopqrst"); // the preset keeps all 20
}

TEST_F(PageListTest, PickerClosedWithoutAButtonChangesNoPage)
{
    prompts.onModal = [](QDialog& dialog) {
        dialog.show();
        dialog.reject();
        return dialog.result();
    };
    clickItem(1, Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(prompts.modalShown.size(), 1);
    EXPECT_EQ(titles(), QStringLiteral("ABCD"));
}

TEST_F(PageListTest, RightClickWithOtherKeysGoesToTheEditorNotThePicker)
{
    clickItem(1, Qt::RightButton, Qt::ControlModifier);
    clickItem(1, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier);
    clickItem(1, Qt::RightButton);
    EXPECT_TRUE(prompts.modalShown.isEmpty());
    EXPECT_EQ(titles(), QStringLiteral("ABCD"));
}

TEST_F(PageListTest, DeletingPageTwoOfFourKeepsCurrentPageOnTheFollowingPage)
{
    clickItem(1);
    ASSERT_EQ(form->CurrentPage, 1);
    EXPECT_EQ(form->NotePageNoLabel->text(), QStringLiteral("2"));
    form->PageDeleteMenu->trigger();
    EXPECT_EQ(titles(), QStringLiteral("ACD"));
    EXPECT_EQ(captions(), QStringLiteral("ACD"));
    EXPECT_EQ(form->CurrentPage, 1);
    EXPECT_EQ(form->StatusText(0), QStringLiteral("3"));
    // Deleting until no page is designated leaves the list alone.
    form->PageDeleteMenu->trigger();
    form->PageDeleteMenu->trigger();
    form->PageDeleteMenu->trigger();
    EXPECT_EQ(titles(), QStringLiteral("A"));
}

TEST_F(PageListTest, AnnotationIsStoredWhenTheTabChangesAndLoadedForThePage)
{
    clickItem(2);
    form->PageControl1->setCurrentWidget(form->TabSheet4);
    EXPECT_EQ(form->NotePageNoLabel->text(), QStringLiteral("3"));
    QTest::keyClicks(form->NoteMemo, QStringLiteral("line1"));
    QTest::keyClick(form->NoteMemo, Qt::Key_Return);
    QTest::keyClicks(form->NoteMemo, QStringLiteral("line2"));
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    ASSERT_TRUE(form->PageList.at(2).Note.has_value());
    EXPECT_EQ(*form->PageList.at(2).Note, (QStringList{QStringLiteral("line1"), QStringLiteral("line2")}));
    EXPECT_FALSE(form->PageList.at(1).Note.has_value());

    clickItem(1);
    form->PageControl1->setCurrentWidget(form->TabSheet4);
    EXPECT_TRUE(form->NoteMemo->toPlainText().isEmpty());
    form->Button1->click(); // "クリア" marks an empty note
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    ASSERT_TRUE(form->PageList.at(1).Note.has_value());
    EXPECT_TRUE(form->PageList.at(1).Note->isEmpty());
}

TEST_F(PageListTest, PatientTabShowsTheFirstTwoPagesSideBySide)
{
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    EXPECT_TRUE(form->StatusText(1).isEmpty());
    EXPECT_FALSE(form->Image1->pixmap().isNull());
    EXPECT_FALSE(form->Image2->pixmap().isNull());
    form->TabSheet1->resize(401, 300);
    EXPECT_EQ(form->Image1->geometry(), QRect(1, 1, 198, 298));
    EXPECT_EQ(form->Image2->geometry(), QRect(201, 1, 198, 298));
}

TEST_F(PageListTest, RedrawRebuildsEveryThumbnailAtTheNewSize)
{
    form->Settings().ImSize = 4;
    form->PageRedispMenu->trigger();
    EXPECT_EQ(form->StatusText(1), QStringLiteral("完了"));
    EXPECT_EQ(form->ThumbNailList.side(), 192);
    EXPECT_EQ(form->ThumbNailList.count(), 4);
    EXPECT_EQ(captions(), QStringLiteral("ABCD"));
    EXPECT_EQ(form->PageList.at(3).ImageIndex, 3);
}

TEST_F(PageListTest, CaptionsAndNotesWithCharactersTheChartCannotHoldAreKeptButNamed)
{
    editCaption(1, QString::fromUtf8("Röntgen"));
    EXPECT_EQ(form->PageList.at(1).Title, QString::fromUtf8("Röntgen"));
    EXPECT_TRUE(form->StatusText(1).contains(QString::fromUtf8("ö"))) << form->StatusText(1).toStdString();

    clickItem(2);
    form->PageControl1->setCurrentWidget(form->TabSheet4);
    QTest::keyClicks(form->NoteMemo, QStringLiteral("5"));
    form->NoteMemo->insertPlainText(QString::fromUtf8("€")); // as an input method commits it
    EXPECT_TRUE(form->StatusText(1).contains(QString::fromUtf8("€"))) << form->StatusText(1).toStdString();
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    EXPECT_EQ(*form->PageList.at(2).Note, QStringList{QString::fromUtf8("5€")});
}

} // namespace
} // namespace quillora::test
