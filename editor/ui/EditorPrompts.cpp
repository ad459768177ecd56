#include "editor/ui/EditorPrompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace quillora::editor {
namespace {

const QString kTextFilter = QStringLiteral("Text (*.txt)");

std::optional<QString> chosen(const QString& fileName)
{
    if (fileName.isEmpty())
        return std::nullopt;
    return fileName;
}

} // namespace

std::optional<QColor> DialogEditorPrompts::ChooseColor(QWidget* parent, const QColor& current)
{
    const QColor color = QColorDialog::getColor(current, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

std::optional<QFont> DialogEditorPrompts::ChooseFont(QWidget* parent, const QFont& last)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, last, parent);
    if (!ok)
        return std::nullopt;
    return font;
}

std::optional<QString> DialogEditorPrompts::ChooseCommentFileToLoad(QWidget* parent)
{
    return chosen(QFileDialog::getOpenFileName(parent, {}, {}, kTextFilter));
}

std::optional<QString> DialogEditorPrompts::ChooseCommentFileToSave(QWidget* parent)
{
    QFileDialog dialog(parent, {}, {}, kTextFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void DialogEditorPrompts::ShowError(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QStringLiteral("イメージ編集"), text);
}

} // namespace quillora::editor
