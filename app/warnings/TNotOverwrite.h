#pragma once
// Warning that an existing chart may not be overwritten: the chart file name and
// "ファイルの上書きができません。", closed with "了解".
#include "app/warnings/WarningDialog.h"

class QLabel;

class TNotOverwrite : public quillora::WarningDialog {
    Q_OBJECT
public:
    explicit TNotOverwrite(QWidget* owner = nullptr);

    // Shows the chart file name and waits until the clerk closes the window.
    void Warn(const QString& chartFileName);

    QLabel* Label1;
};
