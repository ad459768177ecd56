#include "logs/ui/TErrorLogForm.h"

#include "logs/ui/LogWindowFrame.h"

TErrorLogForm::TErrorLogForm(quillora::ChartLog& log, QWidget* parent) : QDialog(parent), log_(log)
{
    setObjectName(QStringLiteral("ErrorLogForm"));
    setWindowTitle(QStringLiteral(u"エラーログ"));
    resize(560, 300);

    const auto frame = quillora::buildLogWindowFrame(*this, QStringLiteral("ErrorLogMemo"), false);
    ErrorLogMemo = frame.memo;
    StatusBar1 = frame.statusBar;
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
