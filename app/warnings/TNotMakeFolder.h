#pragma once
// Warning that the patient folder or the chart file cannot be made: the folder path or chart
// file name and three lines of likely causes, closed with "了解".
#include "app/warnings/WarningDialog.h"

class QLabel;

class TNotMakeFolder : public quillora::WarningDialog {
    Q_OBJECT
public:
    explicit TNotMakeFolder(QWidget* owner = nullptr);

    // Shows the folder path or chart file name and waits until the clerk closes the window.
    void Warn(const QString& folderOrFileName);

    QLabel* Label1;
};
