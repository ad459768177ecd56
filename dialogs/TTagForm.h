#pragma once
// The bookmark title picker "しおり": ten edit fields showing the preset titles, each with a
// small button that picks its field's text and closes the picker with OK. The close box
// cancels. Closing either way stores the edit fields as the new presets.
#include <QDialog>
#include <array>

#include "dialogs/BookmarkTitlePicker.h"

class QLineEdit;
class QPushButton;
class TRegistory;

class TTagForm : public QDialog {
    Q_OBJECT
public:
    explicit TTagForm(TRegistory& settings, QWidget* parent = nullptr);

    // The text of the edit field whose button was pressed last.
    QString ChosenTitle() const;
    // The title a page gets after an OK result: ChosenTitle cut to 16 code page 932 bytes.
    QString PageTitle() const;

    // Edit k and Button k for k = 1..10 are Edits[k - 1] and Buttons[k - 1].
    std::array<QLineEdit*, quillora::kTagPresetCount> Edits{};
    std::array<QPushButton*, quillora::kTagPresetCount> Buttons{};

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void ButtonClick(int index);
    void WarnOfLossyText(int index);
    quillora::TagPresets editTexts() const;

    quillora::BookmarkTitlePicker picker_;
};
