#pragma once
// The folder tree of both settings dialogs: the folders of the whole file system, without
// files, following changes on disk, selecting on a right click as well.
#include <QTimer>
#include <QTreeView>

class QFileSystemModel;

namespace quillora::settings_ui {

class FolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);

    // Selects the folder `path`, opening its ancestors; false when it is no existing folder.
    bool SelectFolder(const QString& path);
    QString SelectedFolder() const; // native separators; empty when nothing is selected

signals:
    // The clerk (or SelectFolder) made another folder the selected one.
    void FolderSelected(const QString& nativePath);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RevealSelection();

    QFileSystemModel* model_;
    QTimer revealTimer_;
    bool revealing_ = false; // the selection is kept in sight until the clerk uses the tree
};

// The folder that stands in for the system drive when a stored folder has vanished.
QString FallbackFolder();

} // namespace quillora::settings_ui
