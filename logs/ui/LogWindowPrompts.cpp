#include "logs/ui/LogWindowPrompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace quillora {

std::optional<QString> DialogLogWindowPrompts::chooseAppendFile(QWidget* parent, const QString& startFolder)
{
    const QString file = QFileDialog::getSaveFileName(parent, QString(), startFolder, QString(), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

void DialogLogWindowPrompts::reportIoError(QWidget* parent, const QString& message)
{
    QMessageBox::critical(parent, QString(), message);
}

} // namespace quillora
