#include "logs/ui/TLog.h"

#include "logs/ui/LogWindowFrame.h"
#include "platform/Cp932.h"
#include "platform/NativePath.h"
#include "settings/TRegistory.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <filesystem>

const QString TLog::FileAddErrorText = QStringLiteral(u"*** ファイル追加エラーが発生しました。");

namespace {

// The folder of a chosen file, as the folder the next file dialog opens in.
std::string folderOf(const QString& file)
{
    return QDir::toNativeSeparators(QFileInfo(file).absolutePath()).toStdString();
}

std::filesystem::path toPath(const QString& file)
{
    return quillora::platform::PathFromUtf16(file.toStdU16String());
}

} // namespace

TLog::TLog(TRegistory& settings, quillora::ChartLog& log, QWidget* parent,
           quillora::LogWindowPrompts* prompts)
    : QDialog(parent), settings_(settings), log_(log), prompts_(prompts)
{
    if (!prompts_) {
        ownPrompts_ = std::make_unique<quillora::DialogLogWindowPrompts>();
        prompts_ = ownPrompts_.get();
    }
    setObjectName(QStringLiteral("Log"));
    setWindowTitle(QStringLiteral(u"作成ログ"));
    resize(560, 380);

    const auto frame = quillora::buildLogWindowFrame(*this, QStringLiteral("LogMemo"), true);
    frame.layout->setMenuBar(buildMenu());
    LogMemo = frame.memo;
    StatusBar1 = frame.statusBar;
    // A label rather than a temporary message: the error text must stay for the whole run.
    statusText_ = new QLabel(StatusBar1);
    StatusBar1->addWidget(statusText_, 1);

    FormCreate();
}

TLog::~TLog() = default;

QMenuBar* TLog::buildMenu()
{
    auto* menuBar = new QMenuBar(this);
    QMenu* fileMenu = menuBar->addMenu(QStringLiteral(u"ファイル"));
    FileAdd = fileMenu->addAction(QStringLiteral(u"追加保存"));
    FileAdd->setObjectName(QStringLiteral("FileAdd"));
    fileMenu->addSeparator();
    FileClose = fileMenu->addAction(QStringLiteral(u"閉じる"));
    FileClose->setObjectName(QStringLiteral("FileClose"));
    connect(FileAdd, &QAction::triggered, this, &TLog::FileAddClick);
    connect(FileClose, &QAction::triggered, this, &TLog::FileCloseClick);
    return menuBar;
}

void TLog::FormCreate() { LogMemo->clear(); }

void TLog::RefreshMemo() { quillora::showLogInMemo(log_, *LogMemo); }

QString TLog::StatusText() const { return statusText_->text(); }

void TLog::showEvent(QShowEvent* event)
{
    RefreshMemo();
    QDialog::showEvent(event);
}

void TLog::FileAddClick()
{
    const auto chosen = prompts_->chooseAppendFile(this, QString::fromStdString(settings_.LogOutFolder));
    if (!chosen)
        return;
    // The dialog remembers the folder even when the append then fails, unless the settings
    // store cannot keep its name unchanged (it would come back as another folder).
    if (const std::string folder = folderOf(*chosen); quillora::platform::survivesCp932(folder))
        settings_.LogOutFolder = folder;

    const quillora::LogFileOutcome outcome = log_.appendTo(toPath(*chosen));
    switch (outcome.status) {
    case quillora::LogFileStatus::Appended: break;
    case quillora::LogFileStatus::CannotOpen: reportCannotOpen(*chosen, outcome); break;
    case quillora::LogFileStatus::WriteFailed: statusText_->setText(FileAddErrorText); break;
    }
}

void TLog::reportCannotOpen(const QString& file, const quillora::LogFileOutcome& outcome)
{
    const QString message = QStringLiteral(u"ファイルを追加書き込み用に開けません。\n%1\n(%2)")
                                .arg(QDir::toNativeSeparators(file), QString::fromStdString(outcome.detail));
    prompts_->reportIoError(this, message);
}

void TLog::FileCloseClick() { close(); }
