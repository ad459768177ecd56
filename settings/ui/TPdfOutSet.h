#pragma once
// "PDF書込設定": the PDF output settings dialog. Filled from the settings record on each
// opening, checked on "設定", copied back only when confirmed.
#include "settings/PdfOutSetLogic.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStatusBar;
class TRegistory;

namespace quillora::settings_ui {
class FolderTree;
}

class TPdfOutSet : public QDialog {
    Q_OBJECT
public:
    explicit TPdfOutSet(QWidget* parent = nullptr);

    // The whole menu command: fill from `settings`, show modally and, when confirmed, copy the
    // values back. Returns whether the values were taken.
    bool Execute(TRegistory& settings);

    quillora::settings_ui::FolderTree* ShellTreeView1;
    QLineEdit* PdfSetPathDisp;
    QLineEdit* L1F;
    QLineEdit* L1B;
    QLineEdit* L2F;
    QLineEdit* L2B;
    QLineEdit* L3F;
    QLineEdit* L3B;
    QLineEdit* L4F;
    QLineEdit* L4B;
    QCheckBox* FirstPageOutCheck;
    QCheckBox* ScanClrCheck;
    QLineEdit* HPCodeEdit;
    QCheckBox* WriteProtectChk;
    QCheckBox* WriteDateChk;
    QCheckBox* StretchCheck;
    QSpinBox* QualitySpin;
    QLineEdit* Edit1;     // "縦", page height
    QLineEdit* Edit2;     // "横", page width
    QPushButton* Button3; // "規定値"
    QPushButton* Button1; // "キャンセル"
    QPushButton* Button2; // "設定"
    QStatusBar* StatusBar1;

    // The page size as it passes between the settings, the two edits and the checks.
    std::int32_t PageWidthValue = quillora::settings_ui::kDefaultPageWidth;
    std::int32_t PageHeightValue = quillora::settings_ui::kDefaultPageHeight;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<std::array<QLineEdit*, 2>, 4> LevelEdits() const;
    void Fill(const quillora::settings_ui::PdfOutValues& values);
    quillora::settings_ui::PdfOutValues Values() const;
    QWidget* BuildRightPanel();
    QWidget* BuildLevelFrame();
    QWidget* BuildInstitutionFrame();
    QLayout* BuildQualityRow();
    QWidget* BuildPageSizeFrame();
    void FormShow();
    void ShellTreeView1Click(const QString& path);
    void Button3Click();
    void Button2Click();
};
