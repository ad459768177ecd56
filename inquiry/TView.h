#pragma once
// "カルテリスト": the chart list of one patient folder. The one window is reused for every
// lookup, so the view style chosen with the toolbar lasts for the run.
#include "inquiry/ShellListView.h"
#include "inquiry/TPdfViewerForm.h"

#include <QDialog>

class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;

class TView : public QDialog, public quillora::inquiry::ChartListWindow {
    Q_OBJECT
public:
    explicit TView(QWidget* parent = nullptr);

    // Lists `folder` and shows the window modally until the clerk closes it.
    void ShowChartList(const QString& folder) override;
    void SetFolder(const QString& folder);
    // Who opens a chart; the system's associated program unless replaced.
    void SetOpener(quillora::inquiry::DocumentOpener opener);

    // The context menu of `index` ("開く", "名前の変更", "プロパティ"); the caller owns it.
    QMenu* BuildContextMenu(const QModelIndex& index);
    void ShowProperties(const QModelIndex& index);

    QToolBar* ToolBar1;
    QToolButton* ToolButton1; // large icons
    QToolButton* ToolButton2; // list
    QToolButton* ToolButton3; // small icons
    QToolButton* ToolButton4; // details
    quillora::inquiry::ShellListView* ShellListView1;
    QStatusBar* StatusBar1;

private:
    QToolButton* AddStyleButton(const char* name, const QString& tip, quillora::inquiry::ViewStyle style);
    void ShowContextMenu(const QModelIndex& index, const QPoint& globalPos);
};
