#pragma once
// Ties the main window to the thumbnails made ahead of an intake: it watches the scanner
// folder and, a moment after the folder last changed, has the pictures of the files an intake
// would take made in the background. While the window fills its page list or saves, the
// background work waits, so the intake and the save have every core.
#include "app/pages/ThumbnailPrewarm.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class TMainForm;

namespace quillora::ui {

class ThumbnailPrewarmHook : public QObject {
public:
    ThumbnailPrewarmHook(TMainForm& form, pages::ThumbnailCache& cache);

    // The scanner folder or the thumbnail size may have changed: watch the folder of the
    // settings now and prepare its files.
    void Restart();
    // Stops the background work, waiting for the picture being made; it starts again a moment
    // after the window is idle.
    void Hold();
    bool Preparing() const { return prewarm_.Busy() || delay_.isActive(); }

private:
    void PrepareWhenIdle();

    TMainForm& form_;
    pages::ThumbnailPrewarm prewarm_;
    QFileSystemWatcher watcher_;
    QTimer delay_;
};

} // namespace quillora::ui
