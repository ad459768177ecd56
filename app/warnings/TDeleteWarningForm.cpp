#include "app/warnings/TDeleteWarningForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

void makeBoldRed(QWidget* widget)
{
    QFont bold = widget->font();
    bold.setBold(true);
    widget->setFont(bold);
    QPalette red = widget->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    red.setColor(QPalette::Text, Qt::red);
    widget->setPalette(red);
}

} // namespace

TDeleteWarningForm::TDeleteWarningForm(QWidget* owner) : WarningDialog(owner, 339, 116)
{
    setObjectName(QStringLiteral("DeleteWarningForm"));
    makeBoldRed(addLine(QStringLiteral(u"以下のフォルダーにあるファイルは、全て削除されます。")));

    FileDirLabel = new QLineEdit(this);
    FileDirLabel->setObjectName(QStringLiteral("FileDirLabel"));
    FileDirLabel->setReadOnly(true);
    FileDirLabel->setFrame(false);
    makeBoldRed(FileDirLabel);
    QPalette yellow = FileDirLabel->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    FileDirLabel->setPalette(yellow);
    addWidget(FileDirLabel);

    addLine(QStringLiteral(u"削除してよいですか？"));
    addButton(QStringLiteral("Ok"), QStringLiteral("OkButton"), Accepted);
    // Return alone must never empty a folder: the default answer is the refusal.
    addButton(QStringLiteral("Cancel"), QStringLiteral("CancelButton"), Rejected)->setDefault(true);
}

bool TDeleteWarningForm::Confirm(const QString& scannerFolder)
{
    FileDirLabel->setText(scannerFolder);
    FileDirLabel->setCursorPosition(0);
    return exec() == Accepted;
}

void TDeleteWarningForm::showEvent(QShowEvent* event)
{
    // Centred on the screen, not on the owner.
    adjustPosition(nullptr);
    WarningDialog::showEvent(event);
}
