#pragma once
// Thumbnails of many files decoded on worker threads and handed back in file order on the
// calling (user-interface) thread, which never decodes. While the caller waits for the next
// picture, and at least every few milliseconds while pictures are ready one after another,
// window events run, so the window paints and answers during a long intake or redraw. The
// caller must hold off commands that change the page list meanwhile. Destroying the pipeline
// early (the intake stops, the list is cleared, the window closes) drops the files not yet
// started and waits only for those being decoded.
#include "app/pages/Thumbnail.h"
#include "app/pages/ThumbnailCache.h"
#include "app/work/OrderedJobs.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <functional>

class QEventLoop;

namespace quillora::pages {

class ThumbnailPipeline {
public:
    using Maker = std::function<Thumbnail(const QString& file)>;
    // The bytes making the thumbnail of a file will hold while it is decoded.
    using Cost = std::function<std::int64_t(const QString& file)>;

    // With a cache, pictures kept there are used and new ones are kept.
    ThumbnailPipeline(QStringList files, int side, bool stretch, ThumbnailCache* cache = nullptr);
    ThumbnailPipeline(QStringList files, Maker maker, Cost cost = {});
    ~ThumbnailPipeline();
    ThumbnailPipeline(const ThumbnailPipeline&) = delete;
    ThumbnailPipeline& operator=(const ThumbnailPipeline&) = delete;

    bool atEnd() const { return delivered_ >= files_.size(); }

    // The thumbnail of the next file in order. Window events run while it is not ready. A maker
    // that fails in any way gives a Failed thumbnail naming the file.
    Thumbnail next();

private:
    void waitForNext();

    QStringList files_;
    qsizetype delivered_ = 0;
    QObject waker_; // receives the workers' "a picture is ready" on this thread
    QEventLoop* waiting_ = nullptr;
    QElapsedTimer sinceEvents_;
    work::OrderedJobs<Thumbnail> jobs_; // last: its workers stop before the members above go
};

} // namespace quillora::pages
