#pragma once
// The four warning windows of the save, created once with the main window as their owner,
// answering the save flow's questions.
#include "app/save/SaveQuestions.h"

#include <functional>

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

    // Receives the save's progress texts (the main window shows them and keeps painting).
    std::function<void(const std::string&)> onProgress;

    void NotOverwrite(const std::string& chartName) override;
    void NotMakeFolder(const std::string& pathOrName) override;
    save::DeleteChoice NotDelete(const std::string& fileName) override;
    bool ConfirmClearFolder(const std::string& folder) override;
    void Progress(const std::string& text) override;
};

} // namespace quillora::ui
