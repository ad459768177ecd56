#include "app/ui/WorkJournalHook.h"

#include "app/ui/MainFormPrompts.h"
#include "app/ui/PageListView.h"
#include "app/ui/TMainForm.h"
#include "imaging/NativeNames.h"

#include <QLineEdit>
#include <QListWidgetItem>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace quillora::ui {
namespace {

// A safety net for changes that reach the page list without passing the view or the fields;
// the journal writes only when the arrangement really differs, so a check costs little.
constexpr int kBackstopMs = 3000;

} // namespace

WorkJournalHook::WorkJournalHook(TMainForm& form, MainFormPrompts& prompts, std::filesystem::path file)
    : form_(form), prompts_(prompts), journal_(std::move(file), [this] { return snapshot(); })
{
    // The question waits for the event loop, so that it appears over the window, not before it.
    QTimer::singleShot(0, this, [this] {
        offerRestore();
        watch();
    });
    connect(&journal_, &journal::WorkJournal::writeFailed, this, [this](const QString& error) {
        form_.SetStatusText(1, QStringLiteral("作業内容を記録できません: %1").arg(error));
    });
}

WorkJournalHook::~WorkJournalHook()
{
    // Before the offer was made the window's empty list says nothing about the journal.
    if (watching_)
        journal_.flush();
}

void WorkJournalHook::offerRestore()
{
    const journal::JournalReading reading = journal::readJournal(journal_.file());
    if (reading.outcome == journal::JournalReading::Outcome::Unreadable) {
        form_.SetStatusText(1, reading.setAsideTo.isEmpty()
                                   ? QStringLiteral("前回の作業内容を読めません（%1）。").arg(reading.error)
                                   : QStringLiteral("前回の作業内容を読めません（%1）。%2 に移しました。")
                                         .arg(reading.error, reading.setAsideTo));
        return;
    }
    if (reading.outcome != journal::JournalReading::Outcome::Found)
        return;
    const journal::PresentPages present = journal::keepExistingPages(reading.work);
    if (!present.work.pages.empty() && prompts_.confirmRestoreWork(&form_))
        restore(present);
    else
        std::filesystem::remove(journal_.file());
}

void WorkJournalHook::restore(const journal::PresentPages& present)
{
    QStringList files;
    std::vector<std::string> nativeFiles;
    for (const journal::JournalPage& page : present.work.pages) {
        files << page.file;
        nativeFiles.push_back(quillora::imaging::QStringToNative(page.file));
    }
    form_.ClearPages();
    // The restored pages count as taken in: a save that clears the scanner folder may delete
    // them, and nothing that was not a page.
    form_.RecordIntake(nativeFiles, true);
    // An unreadable image stops the intake with its message; the pages before it are kept.
    form_.AppendPages(files);
    for (int k = 0; k < form_.PageList.size(); ++k) {
        const journal::JournalPage& page = present.work.pages.at(static_cast<std::size_t>(k));
        form_.PageList.at(k).Title = page.title;
        form_.PageList.at(k).Note = page.note;
        form_.RefreshItem(k);
    }
    form_.FinishIntake(files);
    form_.IdEdit->setText(present.work.patient);
    form_.VolNoEdit->setText(present.work.serial);
    form_.SetStatusText(1, present.missing.isEmpty()
                               ? QStringLiteral("前回の作業内容を復元しました。")
                               : QStringLiteral("前回の作業内容を復元しました。見つからないページ: %1")
                                     .arg(present.missing.join(QStringLiteral(", "))));
}

void WorkJournalHook::watch()
{
    const auto note = [this] { journal_.changed(); };
    const QAbstractItemModel* model = form_.ListView1->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, note);
    connect(model, &QAbstractItemModel::rowsRemoved, this, note);
    connect(model, &QAbstractItemModel::rowsMoved, this, note);
    connect(model, &QAbstractItemModel::dataChanged, this, note);
    connect(model, &QAbstractItemModel::modelReset, this, note);
    connect(model, &QAbstractItemModel::layoutChanged, this, note);
    connect(form_.IdEdit, &QLineEdit::textChanged, this, note);
    connect(form_.VolNoEdit, &QLineEdit::textChanged, this, note);
    connect(form_.NoteMemo, &QPlainTextEdit::textChanged, this, note);
    connect(form_.PageControl1, &QTabWidget::currentChanged, this, note);
    connect(&backstop_, &QTimer::timeout, this, note);
    backstop_.start(kBackstopMs);
    watching_ = true;
}

journal::WorkArrangement WorkJournalHook::snapshot() const
{
    journal::WorkArrangement work;
    work.scannerFolder = QString::fromStdString(form_.Settings().ScannerDir);
    work.patient = form_.IdEdit->text();
    work.serial = form_.VolNoEdit->text();
    for (const APageList& page : form_.PageList.pages())
        work.pages.push_back({page.FileName, page.Title, page.Note});
    // A note being typed is kept too, on the page the memo belongs to.
    if (form_.NoteMemo->document()->isModified() && form_.PageList.contains(form_.CurrentPage))
        work.pages.at(static_cast<std::size_t>(form_.CurrentPage)).note = form_.NoteMemoLines();
    return work;
}

} // namespace quillora::ui
