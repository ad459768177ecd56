// The page list of the main window: thumbnails and items, the selected page, reordering,
// captions, deletion and its undo.
#include "app/pages/Captions.h"
#include "app/pages/CellPicture.h"
#include "app/pages/ThumbnailPipeline.h"
#include "app/ui/PageListLock.h"
#include "app/ui/PageListView.h"
#include "app/ui/TMainForm.h"
#include "app/ui/ThumbnailPrewarmHook.h"
#include "dialogs/TTagForm.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>

using quillora::pages::ItemRange;
using quillora::pages::Thumbnail;

void TMainForm::ResetThumbnails()
{
    ThumbNailList.reset(settings_->ImSize);
    ListView1->setThumbSide(quillora::pages::CellSide(ThumbNailList.side()));
    // The page kept for undo refers to a picture of the old list.
    PageList.forgetRemoved();
    UpdateUndoAction();
}

void TMainForm::HoldThumbnailPrewarm()
{
    if (prewarm_)
        prewarm_->Hold();
}

void TMainForm::ShowItemPicture(QListWidgetItem& item, const APageList& page)
{
    const QImage thumbnail = ThumbNailList.at(page.ImageIndex);
    item.setIcon(QIcon(QPixmap::fromImage(quillora::pages::CellPicture(thumbnail, ThumbNailList.side()))));
    const QString file = QDir::toNativeSeparators(page.FileName);
    item.setToolTip(thumbnail.isNull() ? QStringLiteral("%1: %2").arg(
                                             QString::fromUtf8(quillora::pages::kUnreadableText), file)
                                       : file);
}

void TMainForm::RefreshItem(int index)
{
    QListWidgetItem* item = ListView1->item(index);
    if (!item || !PageList.contains(index))
        return;
    const APageList& page = PageList.at(index);
    ShowItemPicture(*item, page);
    item->setText(page.Title);
}

void TMainForm::AddPageItem(const APageList& page)
{
    auto* item = new QListWidgetItem(page.Title);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    ShowItemPicture(*item, page);
    ListView1->addItem(item);
    ListView1->viewport()->update();
}

void TMainForm::UpdatePageCount() { SetStatusText(0, QString::number(PageList.size())); }

void TMainForm::ClearPages()
{
    PageList.clear();
    ListView1->clear();
    ResetThumbnails();
    SetCurrentPage(-1); // the selection went with the items
    UpdatePageCount();
}

bool TMainForm::AppendPages(const QStringList& files)
{
    PageListLock lock(*this);
    HoldThumbnailPrewarm();
    quillora::pages::ThumbnailPipeline pipeline(files, ThumbNailList.side(), settings_->ThumbStrech,
                                                &thumbnailCache_);
    bool complete = true;
    for (const QString& file : files) {
        const Thumbnail thumb = pipeline.next();
        if (thumb.failed()) {
            prompts_->showError(this, thumb.error);
            complete = false;
            break;
        }
        APageList page;
        page.FileName = file;
        if (thumb.outcome == Thumbnail::Outcome::Made)
            page.ImageIndex = ThumbNailList.append(thumb.picture);
        AddPageItem(page);
        PageList.append(std::move(page));
    }
    UpdatePageCount();
    return complete;
}

void TMainForm::RedrawPages()
{
    if (PageListBusy() || PageList.empty())
        return;
    PageListLock lock(*this);
    const int selected = CurrentPage;
    {
        // Rebuilding the items is not a change of the page the clerk chose.
        const QSignalBlocker blocker(ListView1);
        ListView1->clear();
    }
    ResetThumbnails();
    QStringList files;
    for (const APageList& page : PageList.pages())
        files << page.FileName;
    // Every record gets its new picture index even when a file cannot be read any more, so
    // that no page keeps an index into the pictures of the old list.
    QStringList unreadable;
    HoldThumbnailPrewarm();
    quillora::pages::ThumbnailPipeline pipeline(files, ThumbNailList.side(), settings_->ThumbStrech,
                                                &thumbnailCache_);
    for (int k = 0; k < PageList.size(); ++k) {
        const Thumbnail thumb = pipeline.next();
        APageList& page = PageList.at(k);
        page.ImageIndex =
            thumb.outcome == Thumbnail::Outcome::Made ? ThumbNailList.append(thumb.picture) : -1;
        if (thumb.failed())
            unreadable << thumb.error;
        AddPageItem(page);
    }
    ShowSelection(selected);
    if (!unreadable.isEmpty())
        prompts_->showError(this, unreadable.join(u'\n'));
}

void TMainForm::PageRedispMenuClick()
{
    if (PageListBusy())
        return;
    SetStatusText(1, QStringLiteral("少々お待ちください。"));
    RedrawPages();
    SetStatusText(1, QStringLiteral("完了"));
}

// ---- the selected page ----

void TMainForm::SelectPage(int index)
{
    if (ListView1->item(index))
        ListView1->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    else
        ListView1->clearSelection();
    PageSelectionChanged(); // also when the selection was already there
}

void TMainForm::ShowSelection(int index)
{
    const QSignalBlocker blocker(ListView1);
    if (QListWidgetItem* item = ListView1->item(index)) {
        ListView1->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
        ListView1->scrollToItem(item);
    } else {
        ListView1->clearSelection();
    }
    ListView1->viewport()->update();
}

void TMainForm::PageSelectionChanged()
{
    const QList<QListWidgetItem*> selected = ListView1->selectedItems();
    SetCurrentPage(selected.isEmpty() ? -1 : ListView1->row(selected.first()));
}

void TMainForm::SetCurrentPage(int index)
{
    if (!PageList.contains(index))
        index = -1;
    if (index != CurrentPage) {
        // The memo belongs to the page it was loaded for: store it there before switching.
        StoreNote();
        CurrentPage = index;
        if (PageControl1->currentWidget() == TabSheet4)
            LoadNote();
    }
    NotePageNoLabel->setText(QString::number(CurrentPage + 1));
    SetNoteTabVisible(CurrentPage >= 0);
}

// ---- drag and drop ----

void TMainForm::ListView1StartDrag()
{
    // The dragged page is the one the press selected, however fast the pointer then moves
    // (the first page under the pointer could be another one).
    DragItem = CurrentPage;
    DragArmed = PageList.contains(DragItem);
}

bool TMainForm::ListView1DragOver(bool sourceIsPageList, const QPoint& pos)
{
    if (!sourceIsPageList)
        return false;
    if (!DragArmed) {
        if (QListWidgetItem* item = ListView1->itemAt(pos)) {
            DragItem = ListView1->row(item);
            DragArmed = true;
        }
    }
    return true;
}

void TMainForm::ListView1DragDrop(const QPoint& pos)
{
    if (!DragArmed || PageListBusy()) {
        DragArmed = false;
        return;
    }
    StoreNote(); // a pending note goes to its page before the pages move
    QListWidgetItem* target = ListView1->itemAt(pos);
    const int to = target ? ListView1->row(target) : -1;
    const ItemRange changed = target ? PageList.dropOnItem(DragItem, to) : PageList.dropOnEmpty(DragItem);
    for (int k = changed.first; k <= changed.last; ++k)
        RefreshItem(k);
    if (!changed.empty()) {
        // The moved page stays the selected one, at its new place.
        const int landed = !target ? PageList.size() - 1 : (DragItem < to ? to - 1 : to);
        ShowSelection(landed);
        CurrentPage = landed;
        NotePageNoLabel->setText(QString::number(CurrentPage + 1));
    }
    ListView1->viewport()->update();
    DragArmed = false;
}

// ---- captions, mouse, deletion ----

void TMainForm::ListView1Edited(int index, const QString& text)
{
    if (!PageList.contains(index))
        return;
    const QString cut = quillora::pages::cutToBytes(text, quillora::pages::kCaptionBytes);
    if (QListWidgetItem* item = ListView1->item(index))
        item->setText(cut);
    if (cut != PageList.at(index).Title)
        PageList.at(index).Title = cut;
    WarnOfLossyText(cut);
}

void TMainForm::ListView1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                 Qt::MouseButtons heldButtons, const QPoint& pos)
{
    // The press has already made the page under the pointer the selected (current) one.
    QListWidgetItem* item = ListView1->itemAt(pos);
    if (button != Qt::RightButton) {
        SetNoteTabVisible(CurrentPage >= 0);
        return;
    }
    if (!item || PageListBusy())
        return;
    const int index = ListView1->row(item);
    if (!PageList.contains(index))
        return;
    if (modifiers == Qt::ShiftModifier && heldButtons == Qt::NoButton) {
        if (prompts_->execModal(*tagForm_) == QDialog::Accepted) {
            const QString title = tagForm_->PageTitle();
            PageList.at(index).Title = title;
            item->setText(title);
        }
        return;
    }
    const std::optional<int> zoom =
        imageEditor_->editPageImage(this, PageList.at(index).FileName, settings_->ShowImage);
    if (zoom)
        settings_->ShowImage = *zoom;
}

void TMainForm::PageDeleteMenuClick()
{
    if (PageListBusy() || !PageList.contains(CurrentPage))
        return;
    NoteMemo->document()->setModified(false); // a note of the deleted page goes with it
    const int deleted = CurrentPage;
    const ItemRange changed = PageList.remove(deleted);
    for (int k = changed.first; k <= changed.last; ++k)
        RefreshItem(k);
    {
        const QSignalBlocker blocker(ListView1);
        delete ListView1->takeItem(ListView1->count() - 1);
    }
    // The page that followed the deleted one is now selected; none after the last page.
    CurrentPage = -2; // forces the note tab to follow
    SelectPage(PageList.contains(deleted) ? deleted : -1);
    UpdatePageCount();
    UpdateUndoAction();
}

void TMainForm::UndoDeleteClick()
{
    if (PageListBusy() || !PageList.canRestore())
        return;
    StoreNote();
    AddPageItem(APageList{});
    const int index = PageList.restoreIndex();
    const ItemRange changed = PageList.restoreRemoved();
    for (int k = changed.first; k <= changed.last; ++k)
        RefreshItem(k);
    SelectPage(index);
    UpdatePageCount();
    UpdateUndoAction();
}

void TMainForm::UpdateUndoAction()
{
    if (UndoMenu)
        UndoMenu->setEnabled(PageList.canRestore());
}
