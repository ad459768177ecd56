// The page the clerk sees selected is the page acted on: mouse, keyboard, a real drag, the
// Delete key, undo, the note tab; unreadable pages keep the list in shape.
#include "MainFormFixture.h"

#include "app/pages/CellPicture.h"

#include <QAction>
#include <QApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

namespace quillora::test {
namespace {

class SelectionTest : public MainFormTest {
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

    // A drag with the mouse: press on `from` and move, which starts the view's drag; the
    // drag events of the platform's drag loop are then delivered as Qt would deliver them.
    void dragWithMouse(int from, int to)
    {
        QWidget* viewport = form->ListView1->viewport();
        const QPoint start = itemCentre(from);
        const QPoint end = itemCentre(to);
        // Through the window, as the platform delivers the mouse, so that the view starts its drag.
        QWindow* window = form->windowHandle();
        const QPoint pressed = viewport->mapTo(form.get(), start);
        QTest::mousePress(window, Qt::LeftButton, {}, pressed);
        QTest::mouseMove(window, pressed + QPoint(2, 0)); // the view gets ready to drag
        QTest::mouseMove(window, pressed + QPoint(2 * QApplication::startDragDistance() + 4, 0));
        const std::unique_ptr<QMimeData> data(form->ListView1->pageDragData());
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(start, actions, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &enter);
        // A quick move: the first drag event comes over the target page already.
        QDragMoveEvent move(end, actions, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &move);
        EXPECT_EQ(form->ListView1->dropMarkerRow(), to);
        QDropEvent drop(end, actions, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &drop);
        QTest::mouseRelease(window, Qt::LeftButton, {}, viewport->mapTo(form.get(), end));
        QCoreApplication::processEvents();
    }

    void key(int keyCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(form->ListView1, static_cast<Qt::Key>(keyCode), modifiers);
    }

    bool noteTabVisible() const
    {
        return form->PageControl1->isTabVisible(form->PageControl1->indexOf(form->TabSheet4));
    }
    int highlighted() const
    {
        const auto items = form->ListView1->selectedItems();
        return items.isEmpty() ? -1 : form->ListView1->row(items.first());
    }
};

TEST_F(SelectionTest, ArrowKeysChooseThePageThatDeleteRemoves)
{
    clickItem(0);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(highlighted(), 2);
    EXPECT_EQ(form->CurrentPage, 2);
    EXPECT_EQ(form->NotePageNoLabel->text(), QStringLiteral("3"));
    key(Qt::Key_Delete);
    EXPECT_EQ(titles(), QStringLiteral("ABD"));
    EXPECT_EQ(captions(), QStringLiteral("ABD"));
    EXPECT_EQ(highlighted(), 2); // the following page is selected and current
    EXPECT_EQ(form->CurrentPage, 2);
    EXPECT_EQ(form->StatusText(0), QStringLiteral("3"));
}

TEST_F(SelectionTest, AfterADragTheHighlightedPageIsTheOneDeleted)
{
    clickItem(0);
    dragWithMouse(3, 1); // D before B
    ASSERT_EQ(titles(), QStringLiteral("ADBC"));
    EXPECT_EQ(highlighted(), form->CurrentPage);
    form->PageDeleteMenu->trigger();
    EXPECT_EQ(form->ListView1->dropMarkerRow(), -1);
    EXPECT_EQ(titles(), QStringLiteral("ABC")); // the dragged page, still highlighted, went
}

TEST_F(SelectionTest, ShiftRightClickMakesThePageCurrentForTheNoteTab)
{
    clickItem(0);
    clickItem(2, Qt::RightButton, Qt::ShiftModifier); // the picker is closed without a title
    EXPECT_EQ(form->CurrentPage, 2);
    form->PageControl1->setCurrentWidget(form->TabSheet4);
    EXPECT_EQ(form->NotePageNoLabel->text(), QStringLiteral("3"));
    QTest::keyClicks(form->NoteMemo, QStringLiteral("for C"));
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    ASSERT_TRUE(form->PageList.at(2).Note.has_value());
    EXPECT_FALSE(form->PageList.at(0).Note.has_value());
}

TEST_F(SelectionTest, ANoteTypedForADeletedPageNeverLandsOnAnother)
{
    clickItem(3);
    key(Qt::Key_Delete); // the last page: none follows
    EXPECT_EQ(form->CurrentPage, -1);
    EXPECT_FALSE(noteTabVisible());
    EXPECT_EQ(form->NotePageNoLabel->text(), QStringLiteral("0"));
    // Text still in the memo for the page that is gone is dropped, not moved.
    form->PageControl1->setCurrentWidget(form->TabSheet4);
    QTest::keyClicks(form->NoteMemo, QStringLiteral("stale"));
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    clickItem(0);
    form->PageControl1->setCurrentWidget(form->TabSheet4);
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    for (const APageList& page : form->PageList.pages())
        EXPECT_FALSE(page.Note.has_value()) << page.Title.toStdString();
}

TEST_F(SelectionTest, UndoBringsTheDeletedPageBackAtItsPlace)
{
    clickItem(1);
    form->PageControl1->setCurrentWidget(form->TabSheet4);
    QTest::keyClicks(form->NoteMemo, QStringLiteral("memo"));
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    key(Qt::Key_Delete);
    ASSERT_EQ(titles(), QStringLiteral("ACD"));
    EXPECT_TRUE(form->UndoMenu->isEnabled());
    QTest::keySequence(form.get(), QKeySequence::Undo);
    EXPECT_EQ(titles(), QStringLiteral("ABCD"));
    EXPECT_EQ(captions(), QStringLiteral("ABCD"));
    EXPECT_EQ(*form->PageList.at(1).Note, QStringList{QStringLiteral("memo")});
    EXPECT_EQ(form->CurrentPage, 1);
    EXPECT_EQ(highlighted(), 1);
    EXPECT_EQ(form->StatusText(0), QStringLiteral("4"));
    EXPECT_FALSE(form->UndoMenu->isEnabled()); // one step only
}

TEST_F(MainFormTest, UnreadablePagesKeepEveryCellAndEveryPictureIndex)
{
    addScan(QStringLiteral("a.png"));
    addFile(QStringLiteral("b.png"), "garbage");
    const QString c = addScan(QStringLiteral("c.png"));
    addScan(QStringLiteral("d.png"));
    takeInScannerFolder();
    ASSERT_EQ(form->PageList.size(), 4);
    const QSize cell = form->ListView1->iconSize();
    EXPECT_EQ(cell.width(), pages::CellSide(form->ThumbNailList.side()));
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(form->ListView1->item(k)->icon().isNull()) << k;
    EXPECT_TRUE(form->ListView1->item(1)->toolTip().contains(QStringLiteral("読めません")));
    EXPECT_TRUE(form->ListView1->item(1)->toolTip().contains(QStringLiteral("b.png")));

    // A file gone before a redraw: the redraw goes on, and every record gets its new index.
    QFile::remove(c);
    form->PageRedispMenu->trigger();
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors.first().contains(QStringLiteral("c.png")));
    EXPECT_TRUE(prompts.errors.first().contains(QStringLiteral("開くことができません")));
    EXPECT_EQ(form->ListView1->count(), 4);
    EXPECT_EQ(form->PageList.at(2).ImageIndex, -1);
    EXPECT_EQ(form->PageList.at(3).ImageIndex, 1);
    EXPECT_EQ(form->ThumbNailList.count(), 2);
}

} // namespace
} // namespace quillora::test
