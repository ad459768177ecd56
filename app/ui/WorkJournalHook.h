#pragma once
// Ties the main window to the work journal: at the first showing it offers the work of an
// earlier run that ended without saving, then it notes every change of the page list, the
// annotation memo and the two number fields, and the journal writes the arrangement behind the
// window's back. The window itself only creates and drops this object.
#include "app/journal/JournalFile.h"
#include "app/journal/WorkJournal.h"

#include <QObject>
#include <QTimer>
#include <filesystem>
#include <memory>

class TMainForm;

namespace quillora::ui {

class MainFormPrompts;

inline const QString kRestoreQuestion = QStringLiteral("前回の作業内容が残っています。復元しますか？");

class WorkJournalHook : public QObject {
    Q_OBJECT
public:
    // Once the event loop runs, offers the journal at `file` for restoring (asking through
    // `prompts`), then starts keeping it.
    WorkJournalHook(TMainForm& form, MainFormPrompts& prompts,
                    std::filesystem::path file = journal::defaultJournalPath());
    // Writes the arrangement as it is now, so that ending the window loses nothing.
    ~WorkJournalHook() override;

private:
    void offerRestore();
    void restore(const journal::PresentPages& present);
    void watch();
    journal::WorkArrangement snapshot() const;

    TMainForm& form_;
    MainFormPrompts& prompts_;
    journal::WorkJournal journal_;
    QTimer backstop_;
    bool watching_ = false;
};

} // namespace quillora::ui
