#include "inquiry/FileListModel.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLocale>

namespace quillora::inquiry {
namespace {

enum Column { NameColumn = 0, SizeColumn, TypeColumn, DateColumn };

// Whole kilobytes rounded up, as desktop file lists show chart sizes ("48 KB").
QString SizeText(qint64 bytes)
{
    const qint64 kilobytes = (bytes + 1023) / 1024;
    return QLocale::c().toString(kilobytes) + QStringLiteral(" KB");
}

} // namespace

FileListModel::FileListModel(QObject* parent) : QIdentityProxyModel(parent) { }

QModelIndex FileListModel::List(const QString& folder)
{
    // A new source model is the only way to make the file-system model read a folder again.
    QFileSystemModel* old = files_;
    files_ = new QFileSystemModel(this);
    // Hidden entries stay out, as in the desktop's own file lists: among them the temporary
    // file of a chart still being written, which must not be opened half-written.
    files_->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    files_->setReadOnly(false); // renaming in place
    files_->setRootPath(folder);
    files_->sort(NameColumn, Qt::AscendingOrder); // folders first, then files, by name
    setSourceModel(files_);
    delete old;
    return IndexOf(folder);
}

QString FileListModel::FilePath(const QModelIndex& index) const
{
    return files_ && index.isValid() ? files_->filePath(mapToSource(index)) : QString();
}

bool FileListModel::IsFolder(const QModelIndex& index) const
{
    return files_ && index.isValid() && files_->isDir(mapToSource(index));
}

QModelIndex FileListModel::IndexOf(const QString& path) const
{
    return files_ ? mapFromSource(files_->index(path)) : QModelIndex();
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        switch (section) {
        case NameColumn: return QStringLiteral("名前");
        case SizeColumn: return QStringLiteral("サイズ");
        case TypeColumn: return QStringLiteral("種類");
        case DateColumn: return QStringLiteral("更新日時");
        default: break;
        }
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !files_ || !index.isValid())
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    switch (index.column()) {
    case SizeColumn: return files_->isDir(source) ? QString() : SizeText(files_->size(source));
    case TypeColumn:
        if (files_->isDir(source))
            return QStringLiteral("フォルダー");
        break;
    case DateColumn: return files_->lastModified(source).toString("yyyy/MM/dd HH:mm");
    default: break;
    }
    return QIdentityProxyModel::data(index, role);
}

bool FileListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role == Qt::EditRole && index.column() == NameColumn) {
        const QString newName = value.toString();
        if (newName == index.data(Qt::EditRole).toString())
            return true;
        const QString problem = RenameProblem(FilePath(index), newName);
        if (!problem.isEmpty()) {
            emit RenameRefused(problem);
            return false;
        }
    }
    return QIdentityProxyModel::setData(index, value, role);
}

QString RenameProblem(const QString& path, const QString& newName)
{
    if (newName.trimmed().isEmpty())
        return QStringLiteral("名前を入力してください。");
    if (newName.contains('/') || newName.contains('\\') || newName == "." || newName == "..")
        return QStringLiteral("名前に \\ と / は使えません。");
    const QFileInfo info(path);
    if (QFileInfo::exists(info.dir().filePath(newName)))
        return QStringLiteral("同じ名前のファイルかフォルダーが既にあります。");
    if (!QFileInfo(info.absolutePath()).isWritable())
        return QStringLiteral("このフォルダーでは名前を変更できません。");
    return {};
}

} // namespace quillora::inquiry
