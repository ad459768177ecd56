// Intake commands of the main window: the scanner folder, picked files, file import and the
// scanner (SANE in place of TWAIN).
#include "app/intake/FileFilter.h"
#include "app/intake/FileImport.h"
#include "app/intake/IntakePlan.h"
#include "app/pages/PageFit.h"
#include "app/ui/ScannerCommands.h"
#include "app/ui/TMainForm.h"
#include "imaging/NativeNames.h"
#include "platform/Cp932.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>

namespace {

const QString kImportFilter =
    QStringLiteral("JPEG|*.jpg;*.jpeg;|BITMAP|*.bmp;|TIFF|*.tif;*.tiff|PNG|*.png;|全て|*.*;");
const QString kCancelledMessage = QStringLiteral("読み込みファイルの指定はキャンセルされました。");

std::vector<std::string> toNativeNames(const QStringList& list)
{
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(list.size()));
    for (const QString& text : list)
        result.push_back(quillora::imaging::QStringToNative(text));
    return result;
}

QStringList toQNames(const std::vector<std::string>& list)
{
    QStringList result;
    for (const std::string& text : list)
        result << quillora::imaging::NativeToQString(text);
    return result;
}

} // namespace

QString TMainForm::BuildFileFilter() const
{
    return QString::fromStdString(quillora::intake::BuildFileFilter(*settings_));
}

QStringList TMainForm::ListedFiles() const
{
    QStringList files;
    for (const APageList& page : PageList.pages())
        files << page.FileName;
    return files;
}

void TMainForm::ResetInputFields()
{
    SetStatusText(1, QString());
    IdEdit->clear();
    VolNoEdit->setText(QString::fromStdString(settings_->VolNo));
    PageControl1->setCurrentWidget(TabSheet2);
}

void TMainForm::FinishIntake(const QStringList& added)
{
    SelectPage(0);
    UpdatePageCount();
    SetNoteTabVisible(false);
    RefreshActiveTab();
    if (!settings_->Stretch) {
        const QSize area = quillora::pages::PictureArea(settings_->PdfPageWidth, settings_->PdfPageHeight);
        if (!quillora::pages::FirstLargerThan(added, area).isEmpty())
            SetStatusText(1, QString::fromUtf8(quillora::pages::kCroppedNote));
    }
}

void TMainForm::ScannerFolderIntake(bool replace)
{
    if (PageListBusy())
        return;
    ResetInputFields();
    const auto plan = quillora::intake::PlanScannerFolderIntake(settings_->ScannerDir,
                                                                quillora::intake::FileTypesOf(*settings_),
                                                                toNativeNames(ListedFiles()), replace);
    if (!plan.ok()) {
        SetStatusText(1, QString::fromStdString(plan.message));
        return;
    }
    FilterBox->clear();
    FilterBox->addItem(BuildFileFilter());
    StoreNote();
    if (replace)
        ClearPages();
    RecordIntake(plan.files, replace);
    const QStringList added = toQNames(plan.files);
    if (AppendPages(added))
        FinishIntake(added);
}

void TMainForm::FolderIntake(bool replace)
{
    if (PageListBusy())
        return;
    ResetInputFields();
    const std::string& folder = settings_->ScannerDir;
    const auto check = quillora::intake::CheckFolderIntake(folder, quillora::intake::FileTypesOf(*settings_));
    if (!check.ok()) {
        SetStatusText(1, QString::fromStdString(check.message));
        return;
    }
    const auto picked = prompts_->chooseScannerFiles(this, QString::fromStdString(folder), BuildFileFilter());
    if (!picked) {
        SetStatusText(1, kCancelledMessage);
        return;
    }
    const auto plan = quillora::intake::PlanPickedFiles(folder, toNativeNames(*picked), settings_->Sequence,
                                                        toNativeNames(ListedFiles()), replace);
    if (!plan.ok()) {
        SetStatusText(1, QString::fromStdString(plan.message));
        return;
    }
    StoreNote();
    if (replace)
        ClearPages();
    RecordIntake(plan.files, replace);
    const QStringList added = toQNames(plan.files);
    if (AppendPages(added))
        FinishIntake(added);
}

void TMainForm::RecordIntake(const std::vector<std::string>& files, bool replace)
{
    if (replace)
        intakeFiles_.clear();
    intakeFiles_.insert(intakeFiles_.end(), files.begin(), files.end());
}

void TMainForm::ScannerOpenClick()
{
    ScannerFolderIntake(true);
    EnableControls(true);
}

void TMainForm::ScannerImageClick()
{
    ScannerFolderIntake(false);
    EnableControls(true);
}

void TMainForm::FileOpenClick()
{
    FolderIntake(true);
    EnableControls(true);
}

void TMainForm::FolderImageClick()
{
    FolderIntake(false);
    EnableControls(true);
}

void TMainForm::ReadFilesClick()
{
    SetStatusText(1, QString());
    const QString lastFolder = QString::fromStdString(settings_->FileOpenDir);
    const QString start = QDir(lastFolder).exists() && !lastFolder.isEmpty() ? lastFolder : QDir::homePath();
    const auto picked = prompts_->chooseImportFiles(this, start, kImportFilter);
    if (!picked) {
        SetStatusText(1, kCancelledMessage);
        return;
    }
    if (picked->isEmpty()) {
        SetStatusText(1, QString::fromUtf8(quillora::intake::kNoFilePickedMessage));
        return;
    }
    // A folder the settings store cannot keep unchanged is not remembered: it would come back
    // as another folder.
    const std::string openedFolder =
        QDir::toNativeSeparators(QFileInfo(picked->first()).absolutePath()).toStdString();
    if (quillora::platform::survivesCp932(openedFolder))
        settings_->FileOpenDir = openedFolder;
    const auto outcome = quillora::intake::ImportFiles(toNativeNames(*picked), settings_->ScannerDir);
    if (!outcome.ok()) {
        prompts_->showError(this, QString::fromStdString(outcome.failure));
        return;
    }
    SetStatusText(1, QStringLiteral("インポート完了"));
}

void TMainForm::setScannerSourceChooser(quillora::imaging::ScannerSourceChooser* chooser)
{
    scanner_ = std::make_unique<quillora::ui::ScannerCommands>(chooser);
}

void TMainForm::TwainSourceMenuClick() { TwainReadMenu->setEnabled(scanner_->chooseSource(this)); }

void TMainForm::TwainReadMenuClick()
{
    SetStatusText(1, QString());
    const QString failure =
        scanner_->acquireAndSave(this, *prompts_, QString::fromStdString(settings_->ScannerDir));
    if (!failure.isEmpty())
        SetStatusText(1, failure);
}
