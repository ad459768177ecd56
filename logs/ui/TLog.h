#pragma once
// The save log window "作成ログ": shows the lines of the save log and appends them to a
// text file chosen by the clerk ("追加保存"). The lines live in a ChartLog owned by the
// caller; the window shows them each time it is shown.
#include <QDialog>
#include <memory>

#include "logs/ChartLog.h"
#include "logs/ui/LogWindowPrompts.h"

class QAction;
class QLabel;
class QMenuBar;
class QPlainTextEdit;
class QStatusBar;
class TRegistory;

class TLog : public QDialog {
    Q_OBJECT
public:
    // `prompts` answers the file dialog and shows the error box; nullptr uses the real
    // dialogs. `settings` provides and remembers LogOutFolder.
    TLog(TRegistory& settings, quillora::ChartLog& log, QWidget* parent = nullptr,
         quillora::LogWindowPrompts* prompts = nullptr);
    ~TLog() override;

    // Shows the current lines of the log in LogMemo.
    void RefreshMemo();

    // The text of the status bar's one text area.
    QString StatusText() const;

    QPlainTextEdit* LogMemo;
    QStatusBar* StatusBar1;
    QAction* FileAdd;
    QAction* FileClose;

    static const QString FileAddErrorText;

public slots:
    void FileAddClick();
    void FileCloseClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    QMenuBar* buildMenu();
    void reportCannotOpen(const QString& file, const quillora::LogFileOutcome& outcome);

    TRegistory& settings_;
    quillora::ChartLog& log_;
    std::unique_ptr<quillora::LogWindowPrompts> ownPrompts_;
    quillora::LogWindowPrompts* prompts_;
    QLabel* statusText_;
};
