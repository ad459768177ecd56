#include "logs/TErrorLogForm.h"

#include "logs/LogMemo.h"

#include <QStatusBar>
#include <QVBoxLayout>

TErrorLogForm::TErrorLogForm(quillora::ChartLog& log, QWidget* parent) : QDialog(parent), log_(log)
{
    setObjectName(QStringLiteral("ErrorLogForm"));
    setWindowTitle(QStringLiteral(u"エラーログ"));
    resize(560, 300);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ErrorLogMemo = quillora::makeLogMemo(this, QStringLiteral("ErrorLogMemo"), false);
    layout->addWidget(ErrorLogMemo);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    layout->addWidget(StatusBar1);
}

void TErrorLogForm::showEvent(QShowEvent* event)
{
    quillora::showLogInMemo(log_, *ErrorLogMemo);
    ErrorLogMemo->document()->setModified(false);
    QDialog::showEvent(event);
}

void TErrorLogForm::hideEvent(QHideEvent* event)
{
    if (ErrorLogMemo->document()->isModified())
        log_.setText(ErrorLogMemo->toPlainText().toStdString());
    QDialog::hideEvent(event);
}
