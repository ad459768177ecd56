#include "app/pages/ThumbnailPipeline.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace quillora::pages {

ThumbnailPipeline::ThumbnailPipeline(QStringList files, int side, bool stretch)
    : ThumbnailPipeline(std::move(files), [side, stretch](const QString& file) {
          return MakeThumbnailPicture(file, side, stretch);
      })
{
}

ThumbnailPipeline::ThumbnailPipeline(QStringList files, Maker maker)
    : files_(std::move(files)), maker_(std::move(maker)),
      // A few pictures ahead keep the workers busy without holding many decoded pages.
      lookahead_(std::max(2, QThread::idealThreadCount() * 2))
{
    topUp();
}

ThumbnailPipeline::~ThumbnailPipeline()
{
    for (auto& future : running_)
        future.waitForFinished();
}

void ThumbnailPipeline::topUp()
{
    while (started_ < files_.size() && static_cast<int>(running_.size()) < lookahead_) {
        running_.push_back(QtConcurrent::run(maker_, files_.at(started_)));
        ++started_;
    }
}

Thumbnail ThumbnailPipeline::next()
{
    if (running_.empty())
        return {};
    QFuture<Thumbnail> future = running_.front();
    if (!future.isFinished()) {
        QEventLoop loop;
        QFutureWatcher<Thumbnail> watcher;
        QObject::connect(&watcher, &QFutureWatcher<Thumbnail>::finished, &loop, &QEventLoop::quit);
        watcher.setFuture(future);
        if (!future.isFinished())
            loop.exec();
    }
    running_.pop_front();
    ++delivered_;
    topUp();
    return future.result();
}

} // namespace quillora::pages
