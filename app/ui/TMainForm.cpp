// The main window's life: creation, first showing, busy state, menu enabling, closing.
#include "app/ui/TMainForm.h"

#include "app/compose/ChartComposer.h"

#include "app/ui/Help.h"
#include "app/ui/PageListView.h"
#include "app/ui/ScannerCommands.h"
#include "app/ui/ThumbnailPrewarmHook.h"
#include "app/ui/Tinfo.h"
#include "app/ui/WarningWindows.h"
#include "app/ui/WorkJournalHook.h"
#include "dialogs/TTagForm.h"
#include "inquiry/TPdfViewerForm.h"
#include "inquiry/TView.h"
#include "logs/ui/TErrorLogForm.h"
#include "logs/ui/TLog.h"
#include "settings/ui/TPdfOutSet.h"
#include "settings/ui/TReadSet.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

TMainForm::TMainForm(quillora::ui::MainFormPrompts* prompts, QWidget* parent)
    : QMainWindow(parent),
      ownPrompts_(prompts ? nullptr : std::make_unique<quillora::ui::DialogMainFormPrompts>()),
      prompts_(prompts ? prompts : ownPrompts_.get()),
      imageEditor_(std::make_unique<quillora::ui::NoPageImageEditor>()),
      // The record exists from the start so that the windows created now can refer to it;
      // it is loaded from the store at the first showing and written at the close.
      settings_(std::make_unique<TRegistory>())
{
    setObjectName(QStringLiteral("MainForm"));
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPixelSize(12);
    setFont(font);
    FormCreate();
    ConnectHandlers();
    CreateWindows();
}

TMainForm::~TMainForm() = default;

void TMainForm::setImageEditor(std::unique_ptr<quillora::ui::PageImageEditor> editor)
{
    imageEditor_ = editor ? std::move(editor) : std::make_unique<quillora::ui::NoPageImageEditor>();
}

void TMainForm::CreateWindows()
{
    pdfOutSetForm_ = new TPdfOutSet(this);
    readSetForm_ = new TReadSet(this);
    logForm_ = new TLog(*settings_, saveLog_, this);
    infoForm_ = new Tinfo(*prompts_, this);
    warnings_ = std::make_unique<quillora::ui::WarningWindows>(this);
    scanner_ = std::make_unique<quillora::ui::ScannerCommands>();
    tagForm_ = new TTagForm(*settings_, this);
    errorLogForm_ = new TErrorLogForm(errorLog_, this);
    viewForm_ = new TView(this);
    pdfViewerForm_ = new TPdfViewerForm(dirFile_, *settings_, *viewForm_, this);
}

void TMainForm::ConnectHandlers()
{
    connect(FileNemu, &QMenu::aboutToShow, this, &TMainForm::FileNemuClick);
    connect(EditMenu, &QMenu::aboutToShow, this, &TMainForm::EditMenuClick);
    connect(displayMenu, &QMenu::aboutToShow, this, &TMainForm::displayMenuClick);
    connect(UtilMenu, &QAction::triggered, this, &TMainForm::UtilMenuClick);
    connect(N13, &QAction::triggered, this, &TMainForm::N13Click);
    connect(N11, &QAction::triggered, this, &TMainForm::N11Click);
    connect(ReadImage, &QAction::triggered, this, &TMainForm::ReadImageClick);
    connect(N4, &QAction::triggered, this, &TMainForm::N4Click);
    connect(LogBtn, &QAction::triggered, this, &TMainForm::LogBtnClick);
    connect(N12, &QAction::triggered, this, &TMainForm::N12Click);
    connect(N17, &QAction::triggered, this, &TMainForm::N17Click);
    connect(ErrorLogMemu, &QAction::triggered, this, &TMainForm::ErrorLogMemuClick);
    connect(CloseNemu, &QAction::triggered, this, &QWidget::close);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TMainForm::PageControl1Change);
    connect(PageDeleteMenu, &QAction::triggered, this, &TMainForm::PageDeleteMenuClick);
    connect(UndoMenu, &QAction::triggered, this, &TMainForm::UndoDeleteClick);
    connect(ListView1, &QListWidget::itemSelectionChanged, this, &TMainForm::PageSelectionChanged);
    connect(PageRedispMenu, &QAction::triggered, this, &TMainForm::PageRedispMenuClick);
    connect(Button1, &QPushButton::clicked, this, &TMainForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TMainForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TMainForm::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TMainForm::Button4Click);
    connect(ScannerOpen, &QAction::triggered, this, &TMainForm::ScannerOpenClick);
    connect(ScannerImage, &QAction::triggered, this, &TMainForm::ScannerImageClick);
    connect(FileOpen, &QAction::triggered, this, &TMainForm::FileOpenClick);
    connect(FolderImage, &QAction::triggered, this, &TMainForm::FolderImageClick);
    connect(ReadFiles, &QAction::triggered, this, &TMainForm::ReadFilesClick);
    connect(TwainSourceMenu, &QAction::triggered, this, &TMainForm::TwainSourceMenuClick);
    connect(TwainReadMenu, &QAction::triggered, this, &TMainForm::TwainReadMenuClick);
    connect(SaveButton, &QPushButton::clicked, this, &TMainForm::SaveButtonClick);
    for (QLineEdit* field : {IdEdit, VolNoEdit})
        connect(field, &QLineEdit::textEdited, this, [this, field] { MarkField(field, false); });
    connect(ScanFoldClearMenu, &QAction::triggered, this, &TMainForm::ScanFoldClearMenuClick);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void TMainForm::FormShow()
{
    PageList.clear();
    const StoreOutcome loaded = settings_->Load();
    ResetThumbnails();
    saveLog_.clear();
    errorLog_.clear();
    logForm_->RefreshMemo();
    TwainReadMenu->setEnabled(false);
    VolNoEdit->setText(QString::fromStdString(settings_->VolNo));
    PageControl1->setCurrentWidget(TabSheet2);
    PointOpenFileList();
    // A settings file that could not be read was moved aside: said once, here.
    if (!loaded.ok)
        prompts_->showError(this, QString::fromStdString(loaded.message));
    journal_ = std::make_unique<quillora::ui::WorkJournalHook>(*this, *prompts_);
    prewarm_ = std::make_unique<quillora::ui::ThumbnailPrewarmHook>(*this, thumbnailCache_);
    prewarm_->Restart();
}

void TMainForm::PrepareScannerThumbnails()
{
    if (prewarm_)
        prewarm_->Restart();
}

bool TMainForm::PreparingThumbnails() const { return prewarm_ && prewarm_->Preparing(); }

bool TMainForm::PointOpenFileList()
{
    const QString folder = QString::fromStdString(settings_->ScannerDir);
    if (QDir(folder).exists())
        return true;
    prompts_->showError(this, QStringLiteral("フォルダー %1 がありません。").arg(folder));
    return false;
}

QString TMainForm::StatusText(int panel) const
{
    return panel == 0 ? statusPanel0_->text() : statusPanel1_->text();
}

void TMainForm::SetStatusText(int panel, const QString& text)
{
    (panel == 0 ? statusPanel0_ : statusPanel1_)->setText(text);
    if (panel == 1)
        savedChartLabel_->clear(); // it belongs beside "保存しました。" only
}

QString TMainForm::SavedChartText() const { return savedChartLabel_->text(); }

void TMainForm::EnableControls(bool enabled)
{
    for (QWidget* widget : std::initializer_list<QWidget*>{PageControl1, SaveButton, IdEdit, VolNoEdit})
        widget->setEnabled(enabled);
    for (QAction* action : {ScannerOpen, FileOpen, LogBtn, FileNemu->menuAction(), EditMenu->menuAction(),
                            displayMenu->menuAction(), SetMenu->menuAction(), UtilMenu})
        action->setEnabled(enabled);
}

void TMainForm::FileNemuClick()
{
    const bool onPages = PageControl1->currentWidget() == TabSheet2;
    ScannerImage->setEnabled(onPages);
    FolderImage->setEnabled(onPages);
}

void TMainForm::EditMenuClick()
{
    const bool onPages = PageControl1->currentWidget() == TabSheet2;
    PageDeleteMenu->setEnabled(onPages && CurrentPage >= 0);
    UndoMenu->setEnabled(onPages && PageList.canRestore());
}

void TMainForm::displayMenuClick() { PageRedispMenu->setEnabled(PageControl1->currentWidget() == TabSheet2); }

void TMainForm::N13Click()
{
    // A help file beside the program first (the Windows layout), then the shipped manual.
    const QString chm =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("QuilloraShare.chm"));
    if (QFileInfo::exists(chm)) {
        prompts_->openWithShell(chm);
        return;
    }
    const QString manual = quillora::ui::ManualPath();
    prompts_->openWithShell(manual.isEmpty() ? QString::fromLatin1(quillora::ui::kMakerPage) : manual);
}

void TMainForm::N11Click() { prompts_->execModal(*infoForm_); }

void TMainForm::ReadImageClick()
{
    readSetForm_->Execute(*settings_, *this);
    PrepareScannerThumbnails();
}

void TMainForm::SetSerialNumberText(const QString& text) { VolNoEdit->setText(text); }

void TMainForm::N4Click() { pdfOutSetForm_->Execute(*settings_); }

void TMainForm::UtilMenuClick()
{
    SetStatusText(1, QString());
    prompts_->execModal(*pdfViewerForm_);
}

void TMainForm::LogBtnClick() { prompts_->execModal(*logForm_); }

void TMainForm::N12Click()
{
    saveLog_.clear();
    logForm_->RefreshMemo();
}

void TMainForm::N17Click() { prompts_->execModal(*errorLogForm_); }

void TMainForm::ErrorLogMemuClick()
{
    errorLog_.clear();
    errorLogForm_->ErrorLogMemo->clear();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TMainForm::FormCloseQuery()
{
    // Busy saving, or a page-list loop still running between window events.
    if (!SaveButton->isEnabled() || PageListBusy())
        return false;
    if (saveLog_.isModified() && !prompts_->confirmCloseWithUnsavedLog(this))
        return false;
    return true;
}

void TMainForm::FormClose()
{
    if (closing_)
        return;
    closing_ = true;
    journal_.reset(); // the work stays journaled until it is saved or cleared
    prewarm_.reset();
    PageList.clear();
    ThumbNailList.reset(settings_->ImSize);
    if (!shown_)
        return;
    if (const StoreOutcome saved = settings_->Save(); !saved.ok)
        prompts_->showError(this, QString::fromStdString(saved.message));
}
