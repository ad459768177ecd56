#pragma once
// The page list view of the main window: framed, numbered thumbnails of one size with captions
// beneath, one selected item (the current page), captions edited in place. Qt's drag, drop,
// edit, key and mouse events are mapped onto the main window's handlers; the view itself never
// moves or removes items. While a page is dragged a marker shows where it will land.
#include <QListWidget>

class QMimeData;
class TMainForm;

namespace quillora::ui {

class PageListView : public QListWidget {
    Q_OBJECT
public:
    explicit PageListView(TMainForm& form, QWidget* parent = nullptr);

    // Square cell pictures of `side` pixels; the grid leaves room for a caption line.
    void setThumbSide(int side);

    // What a drag of a page carries: it marks the drag as one of this list (of this program),
    // the only drags the list accepts. The dragged page is the one under the pointer.
    QMimeData* pageDragData() const;
    bool isOwnDrag(const QMimeData* data) const;

    // Where a dragged page would land: before item `row`, at the end for count(); -1 none.
    int dropMarkerRow() const { return dropRow_; }

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setDropRow(int row);
    QByteArray dragToken() const;

    TMainForm& form_;
    int dropRow_ = -1;
};

} // namespace quillora::ui
