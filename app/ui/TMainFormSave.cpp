// Saving a chart and clearing the scanner folder from the main window.
#include "app/compose/PdfChartComposer.h"
#include "app/save/ChartName.h"
#include "app/save/ChartSaver.h"
#include "app/save/ScannerFolderClearing.h"
#include "app/ui/PageListLock.h"
#include "app/ui/TMainForm.h"
#include "app/ui/WarningWindows.h"
#include "imaging/NativeNames.h"
#include "logs/ui/TLog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
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
        quillora::save::SavePage savePage{quillora::imaging::QStringToNative(page.FileName), std::nullopt,
                                          page.Title.toStdString()};
        if (page.Note) {
            savePage.Note.emplace();
            for (const QString& line : *page.Note)
                savePage.Note->push_back(line.toStdString());
        }
        request.pages.push_back(std::move(savePage));
    }
    return request;
}

// The number fields take digits typed with the input method on ("１２３４５") as digits.
QString typedNumber(const QString& text) { return text.normalized(QString::NormalizationForm_KC).trimmed(); }

bool warnedInWindow(quillora::save::SaveStatus status)
{
    using quillora::save::SaveStatus;
    return status == SaveStatus::NotOverwritten || status == SaveStatus::FolderNotMade ||
           status == SaveStatus::ChartNotReplaceable;
}

// The one message of a save that failed after its checks: the fixed text where there is one,
// and a plain line of what happened and what to do.
QString failureMessage(const quillora::save::SaveResult& result)
{
    using quillora::save::SaveStatus;
    const QString message = QString::fromStdString(result.message);
    const QString chart = QString::fromStdString(result.chartName);
    switch (result.status) {
    case SaveStatus::NoPages:
        return message + QStringLiteral("\n保存できるページがありません。ページの画像ファイルが"
                                        "スキャナフォルダーに残っているか確かめてください。");
    case SaveStatus::PageUnreadable:
        return message +
               QStringLiteral("\nこのページを削除するか、画像を読み込み直してから保存してください。");
    case SaveStatus::WriteFailed:
        return QStringLiteral("カルテ %1 を書き込めませんでした（書き込みまたは書き込み後の確認に失敗）。\n"
                              "保存先の空き容量と書き込みの権限を確かめて、もう一度保存してください。\n%2")
            .arg(chart, message);
    default: return QStringLiteral("カルテを作成できませんでした。\n%1").arg(message);
    }
}

} // namespace

void TMainForm::setChartComposer(std::unique_ptr<quillora::ChartComposer> composer)
{
    composer_ = std::move(composer);
}

void TMainForm::SaveStarted(int pages)
{
    SaveProgress->setRange(0, std::max(pages, 1));
    SaveProgress->setValue(0);
    SaveProgress->setVisible(true);
    SetStatusText(1, QString::fromUtf8(quillora::save::kWaitMessage));
    // Keeps the window painting; the busy state keeps those events from starting commands.
    QApplication::processEvents();
}

void TMainForm::SavePageDone(int done, const std::string& file)
{
    SaveProgress->setValue(done);
    SetStatusText(1, QString::fromStdString(file));
    QApplication::processEvents();
}

void TMainForm::MarkField(QLineEdit* field, bool wrong)
{
    field->setProperty("wrongValue", wrong);
    // What the field takes, for the clerk who hovers over the marked field.
    const QString hint = field == IdEdit ? QStringLiteral("患者番号は 1〜99999999 の数字で入力してください。")
                                         : QStringLiteral("連番は 0〜999 の数字で入力してください。");
    field->setToolTip(wrong ? hint : QString());
    field->setStyleSheet(
        wrong ? QStringLiteral("QLineEdit { background: #ffd6d6; border: 2px solid #c00000; }") : QString());
    if (wrong) {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}

void TMainForm::ShowInputError(const quillora::save::SaveResult& result)
{
    using quillora::save::SaveStatus;
    SetStatusText(1, QString::fromStdString(result.message));
    if (result.status == SaveStatus::InvalidPatient)
        MarkField(IdEdit, true);
    else if (result.status == SaveStatus::InvalidSerial)
        MarkField(VolNoEdit, true);
}

void TMainForm::SaveButtonClick()
{
    if (PageListBusy() || !SaveButton->isEnabled())
        return;
    SetStatusText(1, QString());
    EnableControls(false);
    HoldThumbnailPrewarm();
    RefreshActiveTab();
    MarkField(IdEdit, false);
    MarkField(VolNoEdit, false);
    for (QLineEdit* field : {IdEdit, VolNoEdit}) {
        const QString digits = typedNumber(field->text());
        if (digits != field->text())
            field->setText(digits);
    }
    if (!composer_)
        composer_ = std::make_unique<quillora::PdfChartComposer>();
    warnings_->onStarted = [this](int pages) { SaveStarted(pages); };
    warnings_->onPageDone = [this](int done, const std::string& file) { SavePageDone(done, file); };
    warnings_->deferFolderWarning = true;
    quillora::save::ChartSaver saver(*settings_, dirFile_, *composer_, *warnings_, saveLog_, errorLog_);
    quillora::save::SaveResult result;
    try {
        result = saver.Save(requestOf(IdEdit->text(), VolNoEdit->text(), PageList, intakeFiles_));
    } catch (const std::exception& error) {
        result.status = quillora::save::SaveStatus::ComposeFailed;
        result.message = error.what();
    }
    warnings_->onStarted = nullptr;
    warnings_->onPageDone = nullptr;
    warnings_->deferFolderWarning = false;
    SaveProgress->setVisible(false);
    if (result.saved() && result.scannerFolderCleared)
        ClearScannerFolderAndPages();
    logForm_->RefreshMemo();
    EnableControls(true);
    if (result.saved()) {
        ShowSaved(result);
    } else if (result.isInputError()) {
        warnings_->pendingFolderWarning.reset();
        ShowInputError(result);
    } else {
        SetStatusText(1, QString());
        // One message per failure: the warning window, or the error box when the write failed.
        if (warnedInWindow(result.status)) {
            warnings_->ShowPendingFolderWarning();
        } else {
            warnings_->pendingFolderWarning.reset();
            prompts_->showError(this, failureMessage(result));
        }
    }
    if (const std::string notes = result.Notes(); !notes.empty())
        prompts_->showError(this, QString::fromStdString(notes));
}

void TMainForm::ShowSaved(const quillora::save::SaveResult& result)
{
    SetStatusText(1, QString::fromStdString(result.message));
    const QFileInfo chart(QString::fromStdString(result.chartPath));
    savedChartLabel_->setText(QStringLiteral("%1　（保存先: %2）")
                                  .arg(chart.fileName(), QDir::toNativeSeparators(chart.absolutePath())));
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
    // No thumbnail is made of a file meanwhile: an open file could not be deleted on Windows.
    const PageListLock lock(*this);
    HoldThumbnailPrewarm();
    const auto result = quillora::save::ScanFolderClearCommand(*settings_, *warnings_);
    if (const std::string report = quillora::save::ClearingReport(result.clearing); !report.empty())
        prompts_->showError(this, QString::fromStdString(report));
    if (result.clearing.refused)
        return; // nothing was deleted, so the pages still have their files: the list stays
    if (result.confirmed)
        ClearScannerFolderAndPages();
}
