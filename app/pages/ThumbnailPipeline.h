#pragma once
// Thumbnails of many files decoded on worker threads and handed back in file order on the
// calling (user-interface) thread. While the caller waits for the next picture, window
// events keep running, so the window paints and answers during a long intake or redraw.
// The caller must hold off commands that change the page list meanwhile.
#include "app/pages/Thumbnail.h"

#include <QFuture>
#include <QStringList>
#include <deque>
#include <functional>

namespace quillora::pages {

class ThumbnailPipeline {
public:
    using Maker = std::function<Thumbnail(const QString& file)>;

    ThumbnailPipeline(QStringList files, int side, bool stretch);
    ThumbnailPipeline(QStringList files, Maker maker);
    ~ThumbnailPipeline(); // waits for the jobs still running
    ThumbnailPipeline(const ThumbnailPipeline&) = delete;
    ThumbnailPipeline& operator=(const ThumbnailPipeline&) = delete;

    bool atEnd() const { return delivered_ >= files_.size(); }

    // The thumbnail of the next file in order. Window events run while it is not ready.
    Thumbnail next();

private:
    void topUp();

    QStringList files_;
    Maker maker_;
    qsizetype started_ = 0;
    qsizetype delivered_ = 0;
    int lookahead_;
    std::deque<QFuture<Thumbnail>> running_;
};

} // namespace quillora::pages
