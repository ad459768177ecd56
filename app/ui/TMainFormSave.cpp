// Saving a chart and clearing the scanner folder from the main window.
#include "app/compose/PdfChartComposer.h"
#include "app/save/ChartName.h"
#include "app/save/ChartSaver.h"
#include "app/save/ScannerFolderClearing.h"
#include "app/ui/TMainForm.h"
#include "app/ui/WarningWindows.h"
#include "imaging/NativeNames.h"
#include "logs/TLog.h"

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {

quillora::save::SaveRequest requestOf(const QString& patient, const QString& serial,
                                      const quillora::pages::PageList& pages,
                                      const std::vector<std::string>& intakeFiles)
{
    quillora::save::SaveRequest request{patient.toStdString(), serial.toStdString(), {}, intakeFiles};
    for (const APageList& page : pages.pages()) {
        quillora::save::SavePage savePage{quillora::imaging::qstringToNative(page.FileName), std::nullopt, page.Title.toStdString()};
        if (page.Note) {
            savePage.Note.emplace();
            for (const QString& line : *page.Note)
                savePage.Note->push_back(line.toStdString());
        }
        request.pages.push_back(std::move(savePage));
    }
    return request;
}

bool warnedInWindow(quillora::save::SaveStatus status)
{
    using quillora::save::SaveStatus;
    return status == SaveStatus::NotOverwritten || status == SaveStatus::FolderNotMade
        || status == SaveStatus::ChartNotReplaceable;
}

} // namespace

void TMainForm::setChartComposer(std::unique_ptr<quillora::ChartComposer> composer)
{
    composer_ = std::move(composer);
}

void TMainForm::ShowSaveProgress(const std::string& text, int pagesToCompose)
{
    if (text == quillora::save::kWaitMessage) {
        SaveProgress->setRange(0, std::max(pagesToCompose, 1));
        SaveProgress->setValue(0);
        SaveProgress->setVisible(true);
    } else {
        SaveProgress->setValue(SaveProgress->value() + 1);
    }
    SetStatusText(1, QString::fromStdString(text));
    // Keeps the window painting; the busy state keeps those events from starting commands.
    QApplication::processEvents();
}

void TMainForm::SaveButtonClick()
{
    if (PageListBusy() || !SaveButton->isEnabled())
        return;
    SetStatusText(1, QString());
    EnableControls(false);
    RefreshActiveTab();
    if (!composer_)
        composer_ = std::make_unique<quillora::PdfChartComposer>();
    const int pagesToCompose = std::max(0, PageList.size() - (settings_->FirstPage ? 0 : 1));
    warnings_->onProgress = [this, pagesToCompose](const std::string& text) {
        ShowSaveProgress(text, pagesToCompose);
    };
    quillora::save::ChartSaver saver(*settings_, dirFile_, *composer_, *warnings_, saveLog_, errorLog_);
    quillora::save::SaveResult result;
    try {
        result = saver.Save(requestOf(IdEdit->text(), VolNoEdit->text(), PageList, intakeFiles_));
    } catch (const std::exception& error) {
        result.status = quillora::save::SaveStatus::ComposeFailed;
        result.message = error.what();
    }
    warnings_->onProgress = nullptr;
    SaveProgress->setVisible(false);
    if (result.saved() && result.scannerFolderCleared)
        ClearScannerFolderAndPages();
    logForm_->RefreshMemo();
    EnableControls(true);
    const QString message = QString::fromStdString(result.message);
    if (result.saved() || result.isInputError()) {
        SetStatusText(1, message);
    } else {
        SetStatusText(1, QString());
        if (!warnedInWindow(result.status))
            prompts_->showError(this, message);
    }
    if (const std::string notes = result.Notes(); !notes.empty())
        prompts_->showError(this, QString::fromStdString(notes));
}

void TMainForm::ClearScannerFolderAndPages()
{
    intakeFiles_.clear();
    // The hidden scanner-folder listing is read afresh by every intake, so refreshing it
    // needs no work here.
    ClearPages();
    SetNoteTabVisible(false);
}

void TMainForm::ScanFoldClearMenuClick()
{
    if (PageListBusy())
        return;
    const auto result = quillora::save::ScanFolderClearCommand(*settings_, *warnings_);
    if (const std::string report = quillora::save::ClearingReport(result.clearing); !report.empty())
        prompts_->showError(this, QString::fromStdString(report));
    if (result.confirmed)
        ClearScannerFolderAndPages();
}
