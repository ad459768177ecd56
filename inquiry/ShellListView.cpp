#include "inquiry/ShellListView.h"

#include "inquiry/FileListModel.h"

#include <QDesktopServices>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QTreeView>

namespace quillora::inquiry {

constexpr int kNameColumnWidth = 260;

// The two item views, telling whether an item is being edited (kept protected by Qt).
class IconsView : public QListView {
public:
    using QListView::QListView;
    bool IsEditing() const { return state() == EditingState; }
};

class DetailsView : public QTreeView {
public:
    using QTreeView::QTreeView;
    bool IsEditing() const { return state() == EditingState; }
};

DocumentOpener SystemDocumentOpener()
{
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

ShellListView::ShellListView(QWidget* parent)
    : QStackedWidget(parent), model_(new FileListModel(this)), icons_(new IconsView(this)),
      details_(new DetailsView(this)), opener_(SystemDocumentOpener())
{
    details_->setModel(model_);
    icons_->setModel(model_);
    icons_->setSelectionModel(details_->selectionModel()); // one selection in every style
    details_->setRootIsDecorated(false);
    details_->setItemsExpandable(false);
    details_->setSortingEnabled(true);
    details_->sortByColumn(0, Qt::AscendingOrder);
    details_->header()->setSectionResizeMode(QHeaderView::Interactive);
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(icons_), static_cast<QAbstractItemView*>(details_)})
        PrepareView(view);
    addWidget(icons_);
    addWidget(details_);
    SetViewStyle(ViewStyle::Details);
    connect(model_, &FileListModel::RenameRefused, this, &ShellListView::Message);
}

void ShellListView::PrepareView(QAbstractItemView* view)
{
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->installEventFilter(this);
    connect(view, &QAbstractItemView::activated, this, &ShellListView::OpenItem);
    connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& pos) {
        emit ContextMenuRequested(view->indexAt(pos), view->viewport()->mapToGlobal(pos));
    });
}

void ShellListView::SetFolder(const QString& folder)
{
    folder_ = QDir::cleanPath(QDir(folder).absolutePath());
    const QModelIndex root = model_->List(folder_);
    icons_->setRootIndex(root);
    details_->setRootIndex(root);
    details_->setColumnWidth(0, kNameColumnWidth); // a new listing resets the columns
    details_->sortByColumn(details_->header()->sortIndicatorSection(),
                           details_->header()->sortIndicatorOrder());
    emit FolderChanged(QDir::toNativeSeparators(folder_));
}

QString ShellListView::Folder() const { return QDir::toNativeSeparators(folder_); }

void ShellListView::Reload()
{
    if (!folder_.isEmpty())
        SetFolder(folder_);
}

void ShellListView::GoToParent()
{
    QDir folder(folder_);
    if (folder.cdUp())
        SetFolder(folder.absolutePath());
}

void ShellListView::SetViewStyle(ViewStyle style)
{
    style_ = style;
    if (style == ViewStyle::Details) {
        setCurrentWidget(details_);
        return;
    }
    const bool large = style == ViewStyle::LargeIcons;
    icons_->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    icons_->setMovement(QListView::Static); // no dragging items around the view
    icons_->setDragEnabled(false);
    icons_->setFlow(style == ViewStyle::List ? QListView::TopToBottom : QListView::LeftToRight);
    icons_->setWrapping(true);
    icons_->setResizeMode(QListView::Adjust);
    icons_->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    icons_->setGridSize(large ? QSize(96, 72) : style == ViewStyle::SmallIcons ? QSize(160, 22) : QSize());
    icons_->setWordWrap(large);
    setCurrentWidget(icons_);
}

QAbstractItemView* ShellListView::ActiveView() const
{
    return style_ == ViewStyle::Details ? static_cast<QAbstractItemView*>(details_)
                                        : static_cast<QAbstractItemView*>(icons_);
}

void ShellListView::OpenItem(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const QString path = model_->FilePath(index);
    if (model_->IsFolder(index)) {
        SetFolder(path);
        return;
    }
    if (!opener_(QUrl::fromLocalFile(path)))
        emit Message(QStringLiteral("開けません: %1").arg(QDir::toNativeSeparators(path)));
}

void ShellListView::StartRename(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    QAbstractItemView* view = ActiveView();
    const QModelIndex name = index.siblingAtColumn(0);
    view->setCurrentIndex(name);
    view->edit(name);
}

bool ShellListView::IsEditing(const QAbstractItemView* view) const
{
    return view == icons_ ? icons_->IsEditing() : details_->IsEditing();
}

bool ShellListView::IsRenaming() const { return IsEditing(ActiveView()); }

QString ShellListView::FilePath(const QModelIndex& index) const { return model_->FilePath(index); }

QStringList ShellListView::ItemNames() const
{
    QStringList names;
    const QModelIndex root = details_->rootIndex();
    for (int row = 0; row < model_->rowCount(root); ++row)
        names << model_->index(row, 0, root).data().toString();
    return names;
}

bool ShellListView::eventFilter(QObject* watched, QEvent* event)
{
    auto* view = qobject_cast<QAbstractItemView*>(watched);
    if (view && event->type() == QEvent::KeyPress && HandleKey(view, static_cast<const QKeyEvent&>(*event)))
        return true;
    return QStackedWidget::eventFilter(watched, event);
}

bool ShellListView::HandleKey(QAbstractItemView* view, const QKeyEvent& key)
{
    // Keys typed into a name being edited belong to the editor, not to the list.
    if (IsEditing(view))
        return false;
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (enter && key.modifiers().testFlag(Qt::AltModifier)) {
        emit PropertiesRequested(view->currentIndex());
        return true;
    }
    if (key.key() == Qt::Key_Backspace && key.modifiers() == Qt::NoModifier) {
        GoToParent();
        return true;
    }
    if (key.key() == Qt::Key_F5) {
        Reload();
        return true;
    }
    return false;
}

} // namespace quillora::inquiry
