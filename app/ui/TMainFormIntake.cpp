// Intake commands of the main window: the scanner folder, picked files, file import and the
// scanner (SANE in place of TWAIN).
#include "app/intake/FileFilter.h"
#include "app/intake/IntakePlan.h"
#include "app/ui/ScannerCommands.h"
#include "app/ui/TMainForm.h"
#include "imaging/NativeNames.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSaveFile>
#include <QTabWidget>

namespace {

const QString kImportFilter = QStringLiteral("JPEG|*.jpg;*.jpeg;|BITMAP|*.bmp;|TIFF|*.tif;*.tiff|PNG|*.png;|全て|*.*;");
const QString kCancelledMessage = QStringLiteral("読み込みファイルの指定はキャンセルされました。");

std::vector<std::string> toNativeNames(const QStringList& list)
{
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(list.size()));
    for (const QString& text : list)
        result.push_back(quillora::imaging::qstringToNative(text));
    return result;
}

QStringList toQNames(const std::vector<std::string>& list)
{
    QStringList result;
    for (const std::string& text : list)
        result << quillora::imaging::nativeToQString(text);
    return result;
}

// Copies one file whole into `folder`, creating or replacing the file of the same name there.
// Returns an empty string, or the reason it failed.
QString importFile(const QString& source, const QString& folder)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(source), in.errorString());
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(source), in.errorString());
    const QString target = QDir(folder).filePath(QFileInfo(source).fileName());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target), out.errorString());
    return {};
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

void TMainForm::FinishIntake()
{
    CurrentPage = 0;
    SetStatusText(0, QString::number(PageList.size()));
    SetNoteTabVisible(false);
    RefreshActiveTab();
}

void TMainForm::ScannerFolderIntake(bool replace)
{
    if (PageListBusy())
        return;
    ResetInputFields();
    const auto plan = quillora::intake::PlanScannerFolderIntake(
        settings_->ScannerDir, quillora::intake::FileTypesOf(*settings_),
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
    if (AppendPages(toQNames(plan.files)))
        FinishIntake();
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
    if (AppendPages(toQNames(plan.files)))
        FinishIntake();
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
    settings_->FileOpenDir = QDir::toNativeSeparators(QFileInfo(picked->first()).absolutePath()).toStdString();
    const QString scannerFolder = QString::fromStdString(settings_->ScannerDir);
    for (const QString& file : *picked) {
        const QString failure = importFile(file, scannerFolder);
        if (!failure.isEmpty()) {
            prompts_->showError(this, failure);
            return;
        }
    }
    SetStatusText(1, QStringLiteral("インポート完了"));
}

void TMainForm::setScannerSourceChooser(quillora::imaging::ScannerSourceChooser* chooser)
{
    scanner_ = std::make_unique<quillora::ui::ScannerCommands>(chooser);
}

void TMainForm::TwainSourceMenuClick()
{
    TwainReadMenu->setEnabled(scanner_->chooseSource(this));
}

void TMainForm::TwainReadMenuClick()
{
    SetStatusText(1, QString());
    const QString failure = scanner_->acquireAndSave(this, *prompts_, QString::fromStdString(settings_->ScannerDir));
    if (!failure.isEmpty())
        SetStatusText(1, failure);
}
