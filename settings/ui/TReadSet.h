#pragma once
// "読込設定": the intake settings dialog. Filled from the settings record on each opening,
// checked on "設定", copied back only when confirmed.
#include "settings/ReadSetLogic.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStatusBar;
class TRegistory;

namespace quillora::settings_ui {
class FolderTree;
class RadioGroup;

// What the dialog asks of the main window once the clerk confirms.
class ReadSetHost {
public:
    virtual ~ReadSetHost() = default;
    // The main window's serial-number field takes the new default serial number at once.
    virtual void SetSerialNumberText(const QString& text) = 0;
    // Rebuilds every thumbnail of the page list (nothing when the list is empty).
    virtual void RedrawPages() = 0;
};
} // namespace quillora::settings_ui

class TReadSet : public QDialog {
    Q_OBJECT
public:
    explicit TReadSet(QWidget* parent = nullptr);

    // The whole menu command: fill from `settings`, show modally and, when confirmed, copy the
    // values back and tell the main window. Returns whether the values were taken.
    bool Execute(TRegistory& settings, quillora::settings_ui::ReadSetHost& host);

    quillora::settings_ui::FolderTree* ShellTreeView1;
    QLineEdit* ScanPathDisp;
    QCheckBox* JpegBox;
    QCheckBox* TiffBox;
    QCheckBox* BitmapBox;
    QCheckBox* PngBox;
    quillora::settings_ui::RadioGroup* order;
    QLineEdit* VolNoEdit;
    quillora::settings_ui::RadioGroup* ImSizeRadio;
    QCheckBox* ThumbCheck;
    QPushButton* Button2; // "キャンセル"
    QPushButton* Button1; // "設定"
    QStatusBar* StatusBar1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Fill(const quillora::settings_ui::ReadSetValues& values);
    quillora::settings_ui::ReadSetValues Values() const;
    QWidget* BuildRightPanel();
    void FormShow();
    void ShellTreeView1Click(const QString& path);
    void Button1Click();
};
