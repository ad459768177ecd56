#pragma once
// Thumbnails made ahead of an intake: while the clerk waits for the scanner, the pictures of
// the files that have arrived are made on one worker thread (the other cores stay free for
// the window) and kept in the cache, so the intake shows them at once. A picture that cannot
// be made is left for the intake, which reports it. Prepare and Stop are called on the
// window thread, which also collects the finished work from its event loop.
#include "app/pages/ThumbnailCache.h"
#include "app/work/OrderedJobs.h"

#include <QObject>
#include <QStringList>

namespace quillora::pages {

class ThumbnailPrewarm {
public:
    explicit ThumbnailPrewarm(ThumbnailCache& cache);
    ~ThumbnailPrewarm();
    ThumbnailPrewarm(const ThumbnailPrewarm&) = delete;
    ThumbnailPrewarm& operator=(const ThumbnailPrewarm&) = delete;

    // Makes the pictures of those files that the cache does not hold yet, in order, in place
    // of any work not started.
    void Prepare(const QStringList& files, int side, bool stretch);
    // Drops the work not started; the picture being made is finished in the background.
    void Stop();
    // Whether pictures are still to be made or collected.
    bool Busy() const { return !jobs_.Empty(); }

private:
    void CollectFinished();

    ThumbnailCache& cache_;
    QObject waker_;                // receives the worker's "a picture is done" on this thread
    work::OrderedJobs<bool> jobs_; // last: its worker stops before the members above go
};

} // namespace quillora::pages
