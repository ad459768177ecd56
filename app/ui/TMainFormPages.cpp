// The page list of the main window: thumbnails and items, reordering, captions, deletion.
#include "app/pages/Captions.h"
#include "app/pages/ThumbnailPipeline.h"
#include "app/ui/PageListView.h"
#include "app/ui/TMainForm.h"
#include "dialogs/TTagForm.h"

#include <QLabel>

using quillora::pages::ItemRange;

// Marks the page list as being rebuilt or filled while window events run, so that commands
// which change it are held off until the loop is done.
class PageListLock {
public:
    explicit PageListLock(TMainForm& form) : form_(form) { ++form_.pageListBusy_; }
    ~PageListLock() { --form_.pageListBusy_; }
    PageListLock(const PageListLock&) = delete;
    PageListLock& operator=(const PageListLock&) = delete;

private:
    TMainForm& form_;
};


void TMainForm::ResetThumbnails()
{
    ThumbNailList.reset(settings_->ImSize);
    ListView1->setThumbSide(ThumbNailList.side());
}

void TMainForm::RefreshItem(int index)
{
    QListWidgetItem* item = ListView1->item(index);
    if (!item || !PageList.contains(index))
        return;
    const APageList& page = PageList.at(index);
    const QImage picture = ThumbNailList.at(page.ImageIndex);
    item->setIcon(picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture)));
    item->setText(page.Title);
}

void TMainForm::AddPageItem(int imageIndex, const QString& caption)
{
    auto* item = new QListWidgetItem(caption);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    const QImage picture = ThumbNailList.at(imageIndex);
    if (!picture.isNull())
        item->setIcon(QIcon(QPixmap::fromImage(picture)));
    ListView1->addItem(item);
    ListView1->viewport()->update();
}

void TMainForm::ClearPages()
{
    PageList.clear();
    ListView1->clear();
    ResetThumbnails();
}

bool TMainForm::AppendPages(const QStringList& files)
{
    PageListLock lock(*this);
    quillora::pages::ThumbnailPipeline pipeline(files, ThumbNailList.side(), settings_->ThumbStrech);
    for (const QString& file : files) {
        const quillora::pages::Thumbnail thumb = pipeline.next();
        if (thumb.outcome == quillora::pages::Thumbnail::Outcome::Unreadable) {
            prompts_->showError(this, thumb.error);
            return false;
        }
        APageList page;
        page.FileName = file;
        if (thumb.outcome == quillora::pages::Thumbnail::Outcome::Made)
            page.ImageIndex = ThumbNailList.append(thumb.picture);
        AddPageItem(page.ImageIndex, page.Title);
        PageList.append(std::move(page));
    }
    return true;
}

void TMainForm::RedrawPages()
{
    if (PageListBusy() || PageList.empty())
        return;
    PageListLock lock(*this);
    ListView1->clear();
    ResetThumbnails();
    QStringList files;
    for (const APageList& page : PageList.pages())
        files << page.FileName;
    quillora::pages::ThumbnailPipeline pipeline(files, ThumbNailList.side(), settings_->ThumbStrech);
    for (int k = 0; k < PageList.size(); ++k) {
        const quillora::pages::Thumbnail thumb = pipeline.next();
        if (thumb.outcome == quillora::pages::Thumbnail::Outcome::Unreadable) {
            prompts_->showError(this, thumb.error);
            return;
        }
        APageList& page = PageList.at(k);
        page.ImageIndex = thumb.outcome == quillora::pages::Thumbnail::Outcome::Made
            ? ThumbNailList.append(thumb.picture) : -1;
        AddPageItem(page.ImageIndex, page.Title);
    }
}

void TMainForm::PageRedispMenuClick()
{
    if (PageListBusy())
        return;
    SetStatusText(1, QStringLiteral("少々お待ちください。"));
    RedrawPages();
    SetStatusText(1, QStringLiteral("完了"));
}

// ---- drag and drop ----

void TMainForm::ListView1StartDrag()
{
    DragArmed = false;
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
    QListWidgetItem* target = ListView1->itemAt(pos);
    const ItemRange changed = target ? PageList.dropOnItem(DragItem, ListView1->row(target))
                                     : PageList.dropOnEmpty(DragItem);
    for (int k = changed.first; k <= changed.last; ++k)
        RefreshItem(k);
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
    QListWidgetItem* item = ListView1->itemAt(pos);
    if (button != Qt::RightButton) {
        CurrentPage = item ? ListView1->row(item) : -1;
        NotePageNoLabel->setText(QString::number(CurrentPage + 1));
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
    const ItemRange changed = PageList.remove(CurrentPage);
    for (int k = changed.first; k <= changed.last; ++k)
        RefreshItem(k);
    delete ListView1->takeItem(ListView1->count() - 1);
    ListView1->viewport()->update();
}
