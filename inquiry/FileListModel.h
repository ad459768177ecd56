#pragma once
// The folder listing of the chart list: a file-system model seen through Japanese column
// heads ("名前", "サイズ", "種類", "更新日時"), with renames checked before they reach the
// disk so that a bad name gets a message in the window instead of a foreign-language box.
#include <QIdentityProxyModel>

class QFileSystemModel;

namespace quillora::inquiry {

class FileListModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    explicit FileListModel(QObject* parent = nullptr);

    // Starts a fresh listing of `folder` (drops everything cached) and returns its index.
    QModelIndex List(const QString& folder);

    QString FilePath(const QModelIndex& index) const;
    bool IsFolder(const QModelIndex& index) const;
    QModelIndex IndexOf(const QString& path) const;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void RenameRefused(const QString& message);

private:
    QFileSystemModel* files_ = nullptr;
};

// Why `newName` cannot replace the name of `path`, or an empty string when it can.
QString RenameProblem(const QString& path, const QString& newName);

} // namespace quillora::inquiry
