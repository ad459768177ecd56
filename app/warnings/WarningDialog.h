#pragma once
// What the four warning windows of the save share: the caption "警告", a yellow background,
// no title-bar buttons, a fixed client size, the owner's font, and a column of text lines
// above a centred row of buttons.
#include <QDialog>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace quillora {

class WarningDialog : public QDialog {
    Q_OBJECT
protected:
    WarningDialog(QWidget* owner, int clientWidth, int clientHeight);

    // Adds a text line below the ones added before.
    QLabel* addLine(const QString& text, const QString& objectName = QString());
    // Adds a button to the row at the bottom; `result` is the dialog's result when pressed.
    QPushButton* addButton(const QString& text, const QString& objectName, int result);
    // Adds any other control below the text lines added so far.
    void addWidget(QWidget* widget);
    // Puts `text` into `label` (whole as its tip, since a long path is clipped) and runs the
    // window modally; returns the result of the button pressed.
    int execShowing(QLabel* label, const QString& text);

private:
    QVBoxLayout* lines_;
    QHBoxLayout* buttons_;
};

} // namespace quillora
