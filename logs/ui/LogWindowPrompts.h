#pragma once
// The questions and reports of the save log window that need a modal window of their own.
// The window asks through this interface so that tests answer without a real dialog.
#include <QString>
#include <optional>

class QWidget;

namespace quillora {

class LogWindowPrompts {
public:
    virtual ~LogWindowPrompts() = default;

    // Asks for the file to append the log to, starting in `startFolder`. No filter, no
    // default extension and no question about an existing file. nullopt when cancelled.
    virtual std::optional<QString> chooseAppendFile(QWidget* parent, const QString& startFolder) = 0;

    // Reports that the chosen file could not be opened for appending.
    virtual void reportIoError(QWidget* parent, const QString& message) = 0;
};

// The real dialogs: a save file dialog and the program's standard error box.
class DialogLogWindowPrompts : public LogWindowPrompts {
public:
    std::optional<QString> chooseAppendFile(QWidget* parent, const QString& startFolder) override;
    void reportIoError(QWidget* parent, const QString& message) override;
};

} // namespace quillora
