#include "app/ui/PageListView.h"

#include "app/ui/TMainForm.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace quillora::ui {

namespace {

// Hands an edited caption to the main window instead of writing it into the item, so that
// the window cuts it to its byte limit and keeps record and item in step.
class CaptionDelegate : public QStyledItemDelegate {
public:
    CaptionDelegate(TMainForm& form, QObject* parent) : QStyledItemDelegate(parent), form_(form) {}

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            form_.ListView1Edited(index.row(), line->text());
    }

private:
    TMainForm& form_;
};

} // namespace

PageListView::PageListView(TMainForm& form, QWidget* parent) : QListWidget(parent), form_(form)
{
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    setItemDelegate(new CaptionDelegate(form_, this));
    setContextMenuPolicy(Qt::NoContextMenu);
}

void PageListView::setThumbSide(int side)
{
    setIconSize(QSize(side, side));
    setGridSize(QSize(side + 24, side + fontMetrics().height() + 16));
}

void PageListView::startDrag(Qt::DropActions)
{
    const QList<QListWidgetItem*> items = selectedItems();
    if (items.isEmpty())
        return;
    form_.ListView1StartDrag();
    // A drag of our own: Qt's default would remove the dragged item after a move.
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeData(items));
    drag->setPixmap(items.first()->icon().pixmap(iconSize() / 2));
    drag->exec(Qt::CopyAction);
}

void PageListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void PageListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (form_.ListView1DragOver(event->source() == this, event->position().toPoint())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void PageListView::dropEvent(QDropEvent* event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    form_.ListView1DragDrop(event->position().toPoint());
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void PageListView::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    form_.ListView1MouseUp(event->button(), event->modifiers(), event->buttons(),
                           event->position().toPoint());
}

} // namespace quillora::ui
