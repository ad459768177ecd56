#pragma once
// Question before the scanner folder is emptied: names the folder in bold red and asks
// "削除してよいですか？" with "Ok" and "Cancel". Centred on the screen.
#include "app/warnings/WarningDialog.h"

class QLineEdit;

class TDeleteWarningForm : public quillora::WarningDialog {
    Q_OBJECT
public:
    explicit TDeleteWarningForm(QWidget* owner = nullptr);

    // Shows the scanner folder and waits; true only when the clerk pressed "Ok". Closing
    // the window any other way refuses.
    bool Confirm(const QString& scannerFolder);

    QLineEdit* FileDirLabel;

protected:
    void showEvent(QShowEvent* event) override;
};
