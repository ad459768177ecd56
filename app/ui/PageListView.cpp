#include "app/ui/PageListView.h"

#include "app/ui/TMainForm.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace quillora::ui {

namespace {

// Hands an edited caption to the main window instead of writing it into the item, so that
// the window cuts it to its byte limit and keeps record and item in step.
class CaptionDelegate : public QStyledItemDelegate {
public:
    CaptionDelegate(TMainForm& form, QObject* parent) : QStyledItemDelegate(parent), form_(form) { }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            form_.ListView1Edited(index.row(), line->text());
    }

    // The item as usual, with its page number in the top left corner of the picture.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QString number = QString::number(index.row() + 1);
        painter->save();
        QFont font = option.font;
        font.setBold(true);
        painter->setFont(font);
        const QRect text = painter->fontMetrics().boundingRect(number);
        const QRect badge(option.rect.topLeft() + QPoint(3, 3), QSize(text.width() + 8, text.height() + 2));
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0x20, 0x40, 0x80));
        painter->drawRoundedRect(badge, 3, 3);
        painter->setPen(Qt::white);
        painter->drawText(badge, Qt::AlignCenter, number);
        painter->restore();
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
    setDropIndicatorShown(false); // our own marker: Qt's would suggest dropping onto a page
    setItemDelegate(new CaptionDelegate(form_, this));
    setContextMenuPolicy(Qt::NoContextMenu);
}

void PageListView::setThumbSide(int side)
{
    setIconSize(QSize(side, side));
    setGridSize(QSize(side + 24, side + fontMetrics().height() + 16));
}

namespace {

const QString kPageDragFormat = QStringLiteral("application/x-quillora-page-list");

} // namespace

QByteArray PageListView::dragToken() const
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(this));
}

QMimeData* PageListView::pageDragData() const
{
    auto* data = new QMimeData;
    data->setData(kPageDragFormat, dragToken());
    return data;
}

bool PageListView::isOwnDrag(const QMimeData* data) const
{
    return data && data->data(kPageDragFormat) == dragToken();
}

void PageListView::setDropRow(int row)
{
    if (row == dropRow_)
        return;
    dropRow_ = row;
    viewport()->update();
}

void PageListView::startDrag(Qt::DropActions)
{
    const QList<QListWidgetItem*> items = selectedItems();
    if (items.isEmpty())
        return;
    form_.ListView1StartDrag();
    // A drag of our own: Qt's default would remove the dragged item after a move.
    auto* drag = new QDrag(this);
    drag->setMimeData(pageDragData());
    drag->setPixmap(items.first()->icon().pixmap(iconSize() / 2));
    drag->exec(Qt::CopyAction);
    setDropRow(-1);
}

void PageListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (isOwnDrag(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void PageListView::dragMoveEvent(QDragMoveEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (form_.ListView1DragOver(isOwnDrag(event->mimeData()), pos)) {
        const QListWidgetItem* target = itemAt(pos);
        setDropRow(target ? row(target) : count());
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        setDropRow(-1);
        event->ignore();
    }
}

void PageListView::dragLeaveEvent(QDragLeaveEvent* event)
{
    setDropRow(-1);
    QListWidget::dragLeaveEvent(event);
}

void PageListView::dropEvent(QDropEvent* event)
{
    setDropRow(-1);
    if (!isOwnDrag(event->mimeData())) {
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

void PageListView::keyPressEvent(QKeyEvent* event)
{
    // The Delete key deletes the selected page as the menu command does (not while a
    // caption is being edited: the editor has the key then).
    if (event->matches(QKeySequence::Delete) && state() != QAbstractItemView::EditingState) {
        form_.PageDeleteMenuClick();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void PageListView::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    if (dropRow_ < 0 || count() == 0)
        return;
    // A bar at the left edge of the page the dragged one will be put before, or after the last.
    const bool atEnd = dropRow_ >= count();
    const QRect cell = visualItemRect(item(atEnd ? count() - 1 : dropRow_));
    const int x = atEnd ? cell.right() + 1 : cell.left() - 1;
    QPainter painter(viewport());
    painter.fillRect(QRect(x - 2, cell.top(), 4, cell.height()), QColor(0x00, 0x66, 0xcc));
}

} // namespace quillora::ui
