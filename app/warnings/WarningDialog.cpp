#include "app/warnings/WarningDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillora {

WarningDialog::WarningDialog(QWidget* owner, int clientWidth, int clientHeight)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    // A window does not take its owner's font unless asked to.
    setAttribute(Qt::WA_WindowPropagation);
    setWindowTitle(QStringLiteral(u"警告"));
    setFixedSize(clientWidth, clientHeight);

    QPalette yellow = palette();
    yellow.setColor(QPalette::Window, Qt::yellow);
    setPalette(yellow);
    setAutoFillBackground(true);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 6);
    outer->setSpacing(4);
    lines_ = new QVBoxLayout;
    lines_->setSpacing(2);
    outer->addLayout(lines_);
    outer->addStretch(1);
    buttons_ = new QHBoxLayout;
    buttons_->addStretch(1);
    outer->addLayout(buttons_);
}

QLabel* WarningDialog::addLine(const QString& text, const QString& objectName)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(objectName);
    // A long path must not widen the fixed window; it is clipped instead.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lines_->addWidget(label);
    return label;
}

QPushButton* WarningDialog::addButton(const QString& text, const QString& objectName, int result)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(objectName);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    buttons_->addWidget(button);
    buttons_->addStretch(1);
    return button;
}

void WarningDialog::addWidget(QWidget* widget) { lines_->addWidget(widget); }

int WarningDialog::execShowing(QLabel* label, const QString& text)
{
    label->setText(text);
    label->setToolTip(text);
    return exec();
}

} // namespace quillora
