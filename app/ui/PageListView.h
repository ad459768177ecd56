#pragma once
// The page list view of the main window: large thumbnails with captions beneath, one
// selected item, captions edited in place. Qt's drag, drop, edit and mouse events are mapped
// onto the main window's handlers; the view itself never moves or removes items.
#include <QListWidget>

class TMainForm;

namespace quillora::ui {

class PageListView : public QListWidget {
    Q_OBJECT
public:
    explicit PageListView(TMainForm& form, QWidget* parent = nullptr);

    // Square pictures of `side` pixels; the grid leaves room for a caption line.
    void setThumbSide(int side);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TMainForm& form_;
};

} // namespace quillora::ui
