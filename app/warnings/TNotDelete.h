#pragma once
// Report that a file of the scanner folder could not be deleted, with the choice to go on
// with the next file ("次の削除へ") or to stop the clearing ("削除終了").
#include "app/warnings/WarningDialog.h"

class QLabel;

class TNotDelete : public quillora::WarningDialog {
    Q_OBJECT
public:
    enum class Choice { NextFile, StopClearing };

    explicit TNotDelete(QWidget* owner = nullptr);

    // Shows the file's name (without its folder) and waits for the clerk's choice. Closing
    // the window any other way goes on with the next file.
    Choice Ask(const QString& fileName);

    QLabel* Label1;

private:
    static constexpr int StopResult = 2;
};
