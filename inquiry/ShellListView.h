#pragma once
// The file list of the chart list window: one folder's folders and files, sorted, shown in
// one of four view styles, opened, renamed and navigated like a desktop file manager.
#include <QStackedWidget>
#include <QUrl>
#include <functional>

class QAbstractItemView;

namespace quillora::inquiry {
class FileListModel;
class IconsView;
class DetailsView;

enum class ViewStyle { LargeIcons, List, SmallIcons, Details };

// Opens a document with the program the system associates with it; false when it could not.
using DocumentOpener = std::function<bool(const QUrl&)>;
DocumentOpener SystemDocumentOpener();

class ShellListView : public QStackedWidget {
    Q_OBJECT
public:
    explicit ShellListView(QWidget* parent = nullptr);

    void SetFolder(const QString& folder);
    QString Folder() const;
    void Reload();
    void GoToParent();

    void SetViewStyle(ViewStyle style);
    ViewStyle Style() const { return style_; }
    QAbstractItemView* ActiveView() const;

    void SetOpener(DocumentOpener opener) { opener_ = std::move(opener); }
    // A folder is shown in the list; a file is handed to the opener.
    void OpenItem(const QModelIndex& index);
    void StartRename(const QModelIndex& index);

    bool IsRenaming() const; // a name is being edited in place
    QString FilePath(const QModelIndex& index) const;
    QStringList ItemNames() const; // the listed names in their order
    FileListModel* Model() const { return model_; }

signals:
    void FolderChanged(const QString& folder);
    void PropertiesRequested(const QModelIndex& index);
    void ContextMenuRequested(const QModelIndex& index, const QPoint& globalPos);
    void Message(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PrepareView(QAbstractItemView* view);
    bool HandleKey(QAbstractItemView* view, const class QKeyEvent& key);
    bool IsEditing(const QAbstractItemView* view) const;

    FileListModel* model_;
    IconsView* icons_;
    DetailsView* details_;
    ViewStyle style_ = ViewStyle::Details;
    QString folder_;
    DocumentOpener opener_;
};

} // namespace quillora::inquiry
