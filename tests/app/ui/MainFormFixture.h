#pragma once
// A main window with every modal question answered by the test, a scanner folder and an
// archive folder of its own, and helpers that act on the real controls. Windows the form
// really shows are answered with the modal driver (PressWhenModal).
#include "app/ui/MainFormPrompts.h"
#include "app/ui/PageListView.h"
#include "app/ui/TMainForm.h"
#include "support/ModalDriver.h"

#include <QDialog>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class QListWidgetItem;

namespace quillora::test {

class FakePrompts : public ui::MainFormPrompts {
public:
    // Decides the result of a dialog shown modally; may press the dialog's buttons.
    std::function<int(QDialog&)> onModal = [](QDialog&) { return static_cast<int>(QDialog::Rejected); };
    QStringList modalShown; // object names / captions of the dialogs shown modally
    QStringList errors;     // texts of the standard error box
    int closeQuestions = 0;
    bool closeAnswer = false;
    int restoreQuestions = 0;
    bool restoreAnswer = false;
    std::optional<QStringList> scannerFiles;
    std::optional<QStringList> importFiles;
    std::optional<ui::SaveFileChoice> scanSaveFile;
    QStringList opened;

    int execModal(QDialog& dialog) override;
    void showError(QWidget*, const QString& message) override { errors << message; }
    bool confirmCloseWithUnsavedLog(QWidget*) override
    {
        ++closeQuestions;
        return closeAnswer;
    }
    bool confirmRestoreWork(QWidget*) override
    {
        ++restoreQuestions;
        return restoreAnswer;
    }
    std::optional<QStringList> chooseScannerFiles(QWidget*, const QString&, const QString&) override
    {
        return scannerFiles;
    }
    std::optional<QStringList> chooseImportFiles(QWidget*, const QString&, const QString&) override
    {
        return importFiles;
    }
    std::optional<ui::SaveFileChoice> chooseScanSaveFile(QWidget*, const QString&, const QString&) override
    {
        return scanSaveFile;
    }
    void openWithShell(const QString& target) override { opened << target; }
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a w x h image of one colour into the scanner folder; returns its full path.
    QString addScan(const QString& name, int width = 120, int height = 160,
                    Qt::GlobalColor colour = Qt::gray);
    // Writes a file of the given bytes into the scanner folder.
    void addFile(const QString& name, const QByteArray& bytes);
    // Takes in the scanner folder (replace mode) through the toolbar button.
    void takeInScannerFolder();
    // Gives every page its letter as title: "A", "B", ... (item captions follow).
    void titlePagesByLetter();
    QString titles() const;   // the records' titles in page order
    QString captions() const; // the items' captions in item order
    QPoint itemCentre(int index) const;
    void clickItem(int index, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    FakePrompts prompts;
    std::unique_ptr<TMainForm> form;
    QTemporaryDir scanner;
    QTemporaryDir archive;
};

} // namespace quillora::test
