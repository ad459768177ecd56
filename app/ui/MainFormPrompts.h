#pragma once
// Everything the main window asks of the user in a window of its own: modal dialogs, file
// dialogs, the Yes/No question on closing and the standard error box. The main window asks
// only through this interface, so tests answer without a real modal dialog.
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

namespace quillora::ui {

struct SaveFileChoice {
    QString fileName;
    int filterIndex = 1; // 1-based entry of the dialog's filter list
};

class MainFormPrompts {
public:
    virtual ~MainFormPrompts() = default;

    // Shows a filled dialog modally and returns its result (QDialog::Accepted or Rejected).
    virtual int execModal(QDialog& dialog) = 0;

    // The program's standard error box.
    virtual void showError(QWidget* parent, const QString& message) = 0;

    // "ログファイルが追加保存されていません。終了しますか？" with Yes and No; true for Yes.
    virtual bool confirmCloseWithUnsavedLog(QWidget* parent) = 0;

    // "前回の作業内容が残っています。復元しますか？" with Yes (the default) and No; true for Yes.
    // Answerers that do not know the question decline, so the journal is discarded.
    virtual bool confirmRestoreWork(QWidget*) { return false; }

    // Multi-selection open dialogs (files must exist); nullopt when cancelled.
    virtual std::optional<QStringList> chooseScannerFiles(QWidget* parent, const QString& folder,
                                                          const QString& filter) = 0;
    virtual std::optional<QStringList> chooseImportFiles(QWidget* parent, const QString& folder,
                                                         const QString& filter) = 0;

    // The save dialog for a scanned page; nullopt when cancelled.
    virtual std::optional<SaveFileChoice> chooseScanSaveFile(QWidget* parent, const QString& folder,
                                                             const QString& filter) = 0;

    // Opens a document or address with the platform's associated program.
    virtual void openWithShell(const QString& pathOrUrl) = 0;
};

// The real windows: QDialog::exec, QMessageBox, QFileDialog, QDesktopServices.
class DialogMainFormPrompts : public MainFormPrompts {
public:
    int execModal(QDialog& dialog) override;
    void showError(QWidget* parent, const QString& message) override;
    bool confirmCloseWithUnsavedLog(QWidget* parent) override;
    bool confirmRestoreWork(QWidget* parent) override;
    std::optional<QStringList> chooseScannerFiles(QWidget* parent, const QString& folder,
                                                  const QString& filter) override;
    std::optional<QStringList> chooseImportFiles(QWidget* parent, const QString& folder,
                                                 const QString& filter) override;
    std::optional<SaveFileChoice> chooseScanSaveFile(QWidget* parent, const QString& folder,
                                                     const QString& filter) override;
    void openWithShell(const QString& pathOrUrl) override;
};

// The caption of the window a message box belongs to ("Travex Quillora" without one).
QString windowCaption(const QWidget* parent);

// Turns a filter written as "name|patterns|name|patterns" into the entries a Qt file dialog
// takes ("name (patterns with spaces)"). Empty patterns are dropped.
QStringList qtFilterEntries(const QString& filter);

} // namespace quillora::ui
