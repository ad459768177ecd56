#pragma once
// Thumbnails made ahead of an intake: while the clerk waits for the scanner, the files that
// have arrived are listed and their pictures made on one worker thread (the other cores stay
// free for the window) and kept in the cache, so the intake shows them at once. A picture that
// cannot be made is left for the intake, which reports it, and is not tried again while its
// file stays as it is. Prepare and Stop are called on the window thread, which also collects
// the finished work from its event loop; everything that reads the folder or a file runs on the
// worker, so a slow network folder never holds the window.
#include "app/pages/ThumbnailCache.h"
#include "app/work/OrderedJobs.h"

#include <QObject>
#include <QStringList>
#include <atomic>
#include <functional>
#include <map>
#include <mutex>

namespace quillora::pages {

class ThumbnailPrewarm {
public:
    using FileLister = std::function<QStringList()>; // runs on the worker

    explicit ThumbnailPrewarm(ThumbnailCache& cache);
    ~ThumbnailPrewarm();
    ThumbnailPrewarm(const ThumbnailPrewarm&) = delete;
    ThumbnailPrewarm& operator=(const ThumbnailPrewarm&) = delete;

    // Lists the files, then makes the pictures of those the cache does not hold yet, in order,
    // in place of the work asked for before. No more files are taken than the cache holds
    // pictures of this side: more would push out the first ones, which an intake shows first.
    void Prepare(FileLister listFiles, int side, bool stretch);
    void Prepare(const QStringList& files, int side, bool stretch);
    // Ends the work and waits for the picture being made, so that afterwards no file is held
    // open (Windows does not delete an open file).
    void Stop();
    // Whether pictures are still to be made or collected.
    bool Busy() const { return !jobs_.Empty(); }

private:
    bool Wanted(const QString& file, int side, bool stretch) const;
    void Make(const QString& file, int side, bool stretch);
    void CollectFinished();

    ThumbnailCache& cache_;
    mutable std::mutex failedMutex_;
    std::map<QString, FileStamp> failed_;   // files whose picture could not be made, as they were
    std::atomic<std::uint64_t> request_{0}; // the work asked for last; older work stops
    QObject waker_;                         // receives the worker's "done" on this thread
    work::OrderedJobs<bool> jobs_;          // last: its worker stops before the members above go
};

} // namespace quillora::pages
