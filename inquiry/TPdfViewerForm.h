#pragma once
// "カルテ照会": the patient number goes in, the list of the patient's charts comes out.
// Failures show in red under the field; the dialog stays open for another number.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TDirFile;
class TRegistory;

namespace quillora::inquiry {
// The window that lists one patient folder; it returns when the clerk closes it.
class ChartListWindow {
public:
    virtual ~ChartListWindow() = default;
    virtual void ShowChartList(const QString& folder) = 0;
};
} // namespace quillora::inquiry

class TPdfViewerForm : public QDialog {
    Q_OBJECT
public:
    // `dirFile` is the main window's path builder and `settings` its settings record; both
    // outlive this dialog.
    TPdfViewerForm(TDirFile& dirFile, const TRegistory& settings,
                   quillora::inquiry::ChartListWindow& chartList, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* PidNo;
    QPushButton* Button1; // "照会"
    QLabel* ErrorDisp;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void Button1Click();

    TDirFile& dirFile_;
    const TRegistory& settings_;
    quillora::inquiry::ChartListWindow& chartList_;
};
