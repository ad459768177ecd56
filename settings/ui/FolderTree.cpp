#include "settings/ui/FolderTree.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTimer>

namespace quillora::settings_ui {

FolderTree::FolderTree(QWidget* parent) : QTreeView(parent), model_(new QFileSystemModel(this))
{
    model_->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    model_->setReadOnly(true);
    model_->setRootPath(QString()); // the whole file system; the model watches what it shows
    setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Folders arrive from a background reader and are sorted after they arrive, which pushes
    // the selection out of sight; keep it in view until the clerk takes over the tree.
    revealTimer_.setSingleShot(true);
    revealTimer_.setInterval(0);
    connect(&revealTimer_, &QTimer::timeout, this, &FolderTree::RevealSelection);
    const auto revealSoon = [this] {
        if (revealing_)
            revealTimer_.start();
    };
    connect(model_, &QAbstractItemModel::layoutChanged, this, revealSoon);
    connect(model_, &QAbstractItemModel::rowsInserted, this, revealSoon);
    connect(model_, &QFileSystemModel::directoryLoaded, this, revealSoon);
    viewport()->installEventFilter(this);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid())
            emit FolderSelected(QDir::toNativeSeparators(model_->filePath(current)));
    });
}

void FolderTree::RevealSelection()
{
    if (currentIndex().isValid())
        scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
}

void FolderTree::showEvent(QShowEvent* event)
{
    QTreeView::showEvent(event);
    revealTimer_.start(); // only a laid-out view can scroll
}

bool FolderTree::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::Wheel || type == QEvent::KeyPress)
        revealing_ = false;
    return QTreeView::eventFilter(watched, event);
}

bool FolderTree::SelectFolder(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir())
        return false;
    const QModelIndex index = model_->index(info.absoluteFilePath());
    if (!index.isValid())
        return false;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        expand(parent);
    setCurrentIndex(index);
    revealing_ = true;
    RevealSelection();
    return true;
}

QString FolderTree::SelectedFolder() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? QDir::toNativeSeparators(model_->filePath(current)) : QString();
}

QString FallbackFolder() { return QDir::toNativeSeparators(QDir::rootPath()); }

} // namespace quillora::settings_ui
