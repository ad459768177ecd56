#pragma once
// The four warning windows of the save, created once with the main window as their owner,
// answering the save flow's questions.
#include "app/save/SaveQuestions.h"

#include <functional>
#include <optional>
#include <string>

class QWidget;
class TDeleteWarningForm;
class TNotDelete;
class TNotMakeFolder;
class TNotOverwrite;

namespace quillora::ui {

class WarningWindows : public save::SaveQuestions {
public:
    explicit WarningWindows(QWidget* owner);

    TNotMakeFolder* NotMakeFolderForm;
    TNotOverwrite* NotOverwriteForm;
    TDeleteWarningForm* DeleteWarningForm;
    TNotDelete* NotDeleteForm;

    // Receive the save's progress (the main window shows it and keeps painting).
    std::function<void(int pages)> onStarted;
    std::function<void(int done, const std::string& file)> onPageDone;

    // While set, the folder warning is only recorded: the window decides after the save
    // whether it is the one message to show (a failed write gets a message of its own).
    bool deferFolderWarning = false;
    std::optional<std::string> pendingFolderWarning;
    void ShowPendingFolderWarning();

    void NotOverwrite(const std::string& chartName) override;
    void NotMakeFolder(const std::string& pathOrName) override;
    save::DeleteChoice NotDelete(const std::string& fileName) override;
    bool ConfirmClearFolder(const std::string& folder) override;
    void Started(int pages) override;
    void PageDone(int done, const std::string& file) override;
};

} // namespace quillora::ui
