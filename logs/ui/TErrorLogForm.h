#pragma once
// The error log window "エラーログ": shows the error log's lines in an editable memo. Edits
// made in the window are kept in the log when the window is hidden.
#include <QDialog>

#include "logs/ChartLog.h"

class QPlainTextEdit;
class QStatusBar;

class TErrorLogForm : public QDialog {
    Q_OBJECT
public:
    explicit TErrorLogForm(quillora::ChartLog& log, QWidget* parent = nullptr);

    QPlainTextEdit* ErrorLogMemo;
    QStatusBar* StatusBar1;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    quillora::ChartLog& log_;
};
