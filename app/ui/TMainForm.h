#pragma once
// The capture workstation's main window: toolbar, menus, the patient and serial number
// fields, the three tabs of the page list and the status bar. The page list logic lives in
// app/pages, the intake decisions in app/intake and the save in app/save; this window wires
// its controls to them and answers their questions through MainFormPrompts.
#include "app/pages/PageList.h"
#include "app/pages/ThumbnailCache.h"
#include "app/pages/ThumbnailList.h"
#include "app/ui/MainFormPrompts.h"
#include "app/ui/PageImageEditor.h"
#include "archive/TDirFile.h"
#include "logs/ChartLog.h"
#include "settings/TRegistory.h"
#include "settings/ui/TReadSet.h"

#include <QMainWindow>
#include <QStringList>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidgetItem;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolBar;
class TErrorLogForm;
class TLog;
class TTagForm;
class Tinfo;

namespace quillora::ui {
class PageListView;
class ScannerCommands;
class ThumbnailPrewarmHook;
class WarningWindows;
class WorkJournalHook;
} // namespace quillora::ui

class TPdfOutSet;
class TPdfViewerForm;
class TView;

namespace quillora {
class ChartComposer;
}
namespace quillora::save {
struct SaveResult;
}
namespace quillora::imaging {
class ScannerSourceChooser;
}

class TMainForm : public QMainWindow, public quillora::settings_ui::ReadSetHost {
    Q_OBJECT
public:
    // `prompts` answers every modal question; nullptr uses the real dialogs.
    explicit TMainForm(quillora::ui::MainFormPrompts* prompts = nullptr, QWidget* parent = nullptr);
    ~TMainForm() override;

    void setImageEditor(std::unique_ptr<quillora::ui::PageImageEditor> editor);
    // The composer of the saved charts (the PDF composer unless a test replaces it).
    void setChartComposer(std::unique_ptr<quillora::ChartComposer> composer);
    // Who picks the scanner source (a selection dialog unless a test replaces it).
    void setScannerSourceChooser(quillora::imaging::ScannerSourceChooser* chooser);

    // ---- controls (named as in the window) ----
    QToolBar* ToolBar1;
    QAction* ScannerOpen;
    QAction* FileOpen;
    QAction* LogBtn;
    QLineEdit* IdEdit;
    QLineEdit* VolNoEdit;
    QPushButton* SaveButton;
    QTabWidget* PageControl1;
    QWidget* TabSheet2; // "ページ確認"
    QWidget* TabSheet1; // "患者確認"
    QWidget* TabSheet4; // "注釈"
    quillora::ui::PageListView* ListView1;
    QComboBox* FilterBox;
    QLabel* Image1;
    QLabel* Image2;
    QLabel* NotePageNoLabel;
    QPushButton* Button1; // "クリア"
    QPushButton* Button2; // "コピー"
    QPushButton* Button3; // "切取り"
    QPushButton* Button4; // "貼付け"
    QPlainTextEdit* NoteMemo;
    QStatusBar* StatusBar1;
    QProgressBar* SaveProgress;

    QMenu* FileNemu;
    QAction* ScannerImage;
    QAction* FolderImage;
    QAction* TwainSourceMenu;
    QAction* TwainReadMenu;
    QAction* ReadFiles;
    QAction* CloseNemu;
    QMenu* EditMenu;
    QAction* ScanFoldClearMenu;
    QAction* N12;
    QAction* ErrorLogMemu;
    QAction* PageDeleteMenu;
    QAction* UndoMenu = nullptr; // "元に戻す": brings back the last deleted page
    QMenu* displayMenu;
    QAction* PageRedispMenu;
    QAction* N17;
    QMenu* SetMenu;
    QAction* ReadImage;
    QAction* N4;
    QAction* UtilMenu;
    QMenu* N9;
    QAction* N13;
    QAction* N11;

    // ---- state ----
    quillora::pages::PageList PageList;
    quillora::pages::ThumbnailList ThumbNailList;
    int CurrentPage = -1;
    bool DragArmed = false;
    int DragItem = -1; // index of the dragged item; items never move, so the index is stable

    TRegistory& Settings() { return *settings_; }
    TDirFile& DirFile() { return dirFile_; }
    quillora::ChartLog& SaveLog() { return saveLog_; }
    quillora::ChartLog& ErrorLog() { return errorLog_; }
    TLog* LogForm() const { return logForm_; }
    TErrorLogForm* ErrorLogForm() const { return errorLogForm_; }
    quillora::ui::WarningWindows& Warnings() { return *warnings_; }

    QString StatusText(int panel) const;
    void SetStatusText(int panel, const QString& text);
    QString SavedChartText() const; // beside "保存しました。": the chart's file name and folder

    // ---- operations of the main window ----
    void EnableControls(bool enabled);
    void RefreshActiveTab();
    bool PageListBusy() const { return pageListBusy_ > 0; }

    // Page list (thumbnails, items, notes, patient tab).
    void ResetThumbnails();
    void ClearPages();
    void RedrawPages() override;
    void SetSerialNumberText(const QString& text) override;
    void StoreNote();
    QStringList NoteMemoLines() const; // the memo as a note would store it
    // Names in status panel 1 the characters of a typed text that the chart cannot hold.
    void WarnOfLossyText(const QString& text);
    void LoadNote();
    void ShowPatientPages();
    void RefreshItem(int index);
    // The selected item is the current page: selects item `index` (none for -1) and makes
    // it current; the note tab follows.
    void SelectPage(int index);
    void SetCurrentPage(int index);
    void PageSelectionChanged();

public slots:
    // Menu and toolbar handlers.
    void FileNemuClick();
    void EditMenuClick();
    void displayMenuClick();
    void UtilMenuClick();
    void N13Click();
    void N11Click();
    void ReadImageClick();
    void N4Click();
    void LogBtnClick();
    void N12Click();
    void N17Click();
    void ErrorLogMemuClick();
    void PageControl1Change();
    void PageDeleteMenuClick();
    void UndoDeleteClick();
    void PageRedispMenuClick();
    void TabSheet4Show();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();

    // Intake.
    void ScannerOpenClick();
    void ScannerImageClick();
    void FileOpenClick();
    void FolderImageClick();
    void ReadFilesClick();
    void TwainSourceMenuClick();
    void TwainReadMenuClick();

    // Saving.
    void SaveButtonClick();
    void ScanFoldClearMenuClick();

public:
    // Page list view events (the view maps Qt's events onto these).
    void ListView1StartDrag();
    bool ListView1DragOver(bool sourceIsPageList, const QPoint& pos);
    void ListView1DragDrop(const QPoint& pos);
    void ListView1Edited(int index, const QString& text);
    void ListView1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                          Qt::MouseButtons heldButtons, const QPoint& pos);
    void TabSheet1Resize();

    // Intake steps.
    QString BuildFileFilter() const;
    // The thumbnails of the scanner folder's files are made ahead of the intake; this starts
    // over after the scanner folder changed in the settings.
    void PrepareScannerThumbnails();
    bool PreparingThumbnails() const;
    const quillora::pages::ThumbnailCache& KeptThumbnails() const { return thumbnailCache_; }
    void ScannerFolderIntake(bool replace);
    void FolderIntake(bool replace);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class PageListLock;
    friend class quillora::ui::WorkJournalHook; // restores pages as an intake does
    friend class quillora::ui::ThumbnailPrewarmHook;

    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void BuildMenus();
    void BuildToolBar();
    QWidget* BuildInputStrip();
    void BuildTabs();
    QWidget* BuildPageTab();
    QWidget* BuildPatientTab();
    QWidget* BuildNoteTab();
    void BuildStatusBar();
    void ConnectHandlers();
    void CreateWindows();

    void SetNoteTabVisible(bool visible);
    void ResetInputFields();
    void HoldThumbnailPrewarm(); // an intake, redraw or save needs the cores
    void FinishIntake(const QStringList& added);
    bool AppendPages(const QStringList& files);
    void AddPageItem(const APageList& page);
    void ShowItemPicture(QListWidgetItem& item, const APageList& page);
    void ShowSelection(int index);
    void UpdatePageCount();
    void UpdateUndoAction();
    QStringList ListedFiles() const;
    bool PointOpenFileList();
    void ClearScannerFolderAndPages();
    void SaveStarted(int pages);
    void SavePageDone(int done, const std::string& file);
    void MarkField(QLineEdit* field, bool wrong);
    void ShowInputError(const quillora::save::SaveResult& result);
    void ShowSaved(const quillora::save::SaveResult& result);
    void RecordIntake(const std::vector<std::string>& files, bool replace);

    std::unique_ptr<quillora::ui::MainFormPrompts> ownPrompts_;
    quillora::ui::MainFormPrompts* prompts_;
    std::unique_ptr<quillora::ui::PageImageEditor> imageEditor_;
    std::unique_ptr<TRegistory> settings_;
    TDirFile dirFile_;
    quillora::ChartLog saveLog_;
    quillora::ChartLog errorLog_;
    // Every file the intakes behind the page list listed (pages deleted since included): the
    // only files the clearing after a save may delete.
    std::vector<std::string> intakeFiles_;
    bool shown_ = false;
    bool closing_ = false;
    int pageListBusy_ = 0;

    QLabel* statusPanel0_ = nullptr;
    QLabel* statusPanel1_ = nullptr;
    QLabel* savedChartLabel_ = nullptr; // file name and folder of the chart just saved

    TLog* logForm_ = nullptr;
    TErrorLogForm* errorLogForm_ = nullptr;
    TTagForm* tagForm_ = nullptr;
    Tinfo* infoForm_ = nullptr;
    TReadSet* readSetForm_ = nullptr;
    TPdfOutSet* pdfOutSetForm_ = nullptr;
    TView* viewForm_ = nullptr;
    TPdfViewerForm* pdfViewerForm_ = nullptr;
    std::unique_ptr<quillora::ui::WarningWindows> warnings_;
    std::unique_ptr<quillora::ui::ScannerCommands> scanner_;
    std::unique_ptr<quillora::ChartComposer> composer_;
    quillora::pages::ThumbnailCache thumbnailCache_;
    std::unique_ptr<quillora::ui::ThumbnailPrewarmHook> prewarm_; // after the cache it fills
    // Last, so that it is dropped (and writes the journal) while everything it reads still exists.
    std::unique_ptr<quillora::ui::WorkJournalHook> journal_;
};
