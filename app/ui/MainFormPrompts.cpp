#include "app/ui/MainFormPrompts.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace quillora::ui {

QStringList qtFilterEntries(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        entries << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns.join(u' '));
    }
    return entries;
}

int DialogMainFormPrompts::execModal(QDialog& dialog) { return dialog.exec(); }

QString windowCaption(const QWidget* parent)
{
    return parent && !parent->window()->windowTitle().isEmpty() ? parent->window()->windowTitle()
                                                                : QStringLiteral("Travex Quillora");
}

void DialogMainFormPrompts::showError(QWidget* parent, const QString& message)
{
    QMessageBox::critical(parent, windowCaption(parent), message);
}

bool DialogMainFormPrompts::confirmCloseWithUnsavedLog(QWidget* parent)
{
    return QMessageBox::question(parent, windowCaption(parent),
                                 QStringLiteral("ログファイルが追加保存されていません。終了しますか？"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool DialogMainFormPrompts::confirmRestoreWork(QWidget* parent)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"),
                    QStringLiteral("前回の作業内容が残っています。復元しますか？"),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
    return box.exec() == QMessageBox::Yes;
}

namespace {

std::optional<QStringList> runOpenDialog(QWidget* parent, const QString& folder, const QString& filter)
{
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDirectory(folder);
    dialog.setNameFilters(qtFilterEntries(filter));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    QStringList files;
    for (const QString& file : dialog.selectedFiles())
        files << QDir::toNativeSeparators(file);
    return files;
}

} // namespace

std::optional<QStringList> DialogMainFormPrompts::chooseScannerFiles(QWidget* parent, const QString& folder,
                                                                     const QString& filter)
{
    return runOpenDialog(parent, folder, filter);
}

std::optional<QStringList> DialogMainFormPrompts::chooseImportFiles(QWidget* parent, const QString& folder,
                                                                    const QString& filter)
{
    return runOpenDialog(parent, folder, filter);
}

std::optional<SaveFileChoice> DialogMainFormPrompts::chooseScanSaveFile(QWidget* parent,
                                                                        const QString& folder,
                                                                        const QString& filter)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(folder);
    // The scan is written without asking: an existing file of the same name is replaced.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList entries = qtFilterEntries(filter);
    dialog.setNameFilters(entries);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int index = static_cast<int>(entries.indexOf(dialog.selectedNameFilter()));
    return SaveFileChoice{QDir::toNativeSeparators(dialog.selectedFiles().first()),
                          index < 0 ? 1 : index + 1};
}

void DialogMainFormPrompts::openWithShell(const QString& pathOrUrl)
{
    const QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl) : QUrl(pathOrUrl);
    QDesktopServices::openUrl(url);
}

} // namespace quillora::ui
