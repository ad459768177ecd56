#include "app/ui/ThumbnailPrewarmHook.h"

#include "app/intake/FileFilter.h"
#include "app/intake/IntakePlan.h"
#include "app/ui/TMainForm.h"
#include "imaging/NativeNames.h"

#include <QFileInfo>
#include <QPushButton>

namespace quillora::ui {
namespace {

// A scanner writes a batch file by file; the pictures are made once it has paused this long.
constexpr int kSettleMs = 400;

} // namespace

ThumbnailPrewarmHook::ThumbnailPrewarmHook(TMainForm& form, pages::ThumbnailCache& cache)
    : form_(form), prewarm_(cache)
{
    delay_.setSingleShot(true);
    delay_.setInterval(kSettleMs);
    connect(&delay_, &QTimer::timeout, this, &ThumbnailPrewarmHook::PrepareWhenIdle);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { delay_.start(); });
}

void ThumbnailPrewarmHook::Restart()
{
    if (const QStringList watched = watcher_.directories(); !watched.isEmpty())
        watcher_.removePaths(watched);
    const QString folder = imaging::NativeToQString(form_.settings_->ScannerDir);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        watcher_.addPath(folder);
    prewarm_.Stop();
    delay_.start();
}

void ThumbnailPrewarmHook::Hold()
{
    prewarm_.Stop();
    delay_.start();
}

void ThumbnailPrewarmHook::PrepareWhenIdle()
{
    if (form_.PageListBusy() || !form_.SaveButton->isEnabled() || form_.closing_) {
        delay_.start();
        return;
    }
    const TRegistory& settings = *form_.settings_;
    // Listed on the worker from copies of the settings, which belong to the window thread.
    prewarm_.Prepare(
        [folder = settings.ScannerDir, types = intake::FileTypesOf(settings)] {
            QStringList files;
            for (const std::string& file : intake::PlanScannerFolderIntake(folder, types, {}, true).files)
                files << imaging::NativeToQString(file);
            return files;
        },
        form_.ThumbNailList.side(), settings.ThumbStrech);
}

} // namespace quillora::ui
