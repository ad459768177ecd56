#include "app/pages/ThumbnailPipeline.h"

#include "imaging/ImageHeader.h"
#include "imaging/ImageLimits.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace quillora::pages {
namespace {

// Window events run at least this often while ready pictures are handed out, so that adding
// many of them never holds the window still for long.
constexpr qint64 kEventIntervalMs = 10;

work::JobLimits ThumbnailLimits()
{
    const int workers = work::CoreCount();
    // A few pictures ahead keep the workers busy without holding many decoded pages.
    return {workers, 2 * workers + 2, imaging::kWorkerDecodeBudget};
}

} // namespace

ThumbnailPipeline::ThumbnailPipeline(QStringList files, int side, bool stretch, ThumbnailCache* cache)
    : ThumbnailPipeline(
          std::move(files),
          [side, stretch, cache](const QString& file) {
              return cache ? CachedThumbnailPicture(file, side, stretch, *cache)
                           : MakeThumbnailPicture(file, side, stretch);
          },
          [side, stretch, cache](const QString& file) -> std::int64_t {
              if (cache && !cache->Find(file, side, stretch).isNull())
                  return 0; // nothing to decode
              return imaging::DecodedBytesEstimate(file);
          })
{
}

ThumbnailPipeline::ThumbnailPipeline(QStringList files, Maker maker, Cost cost)
    : files_(std::move(files)), jobs_(ThumbnailLimits(), [this] {
          QMetaObject::invokeMethod(
              &waker_,
              [this] {
                  if (waiting_)
                      waiting_->quit();
              },
              Qt::QueuedConnection);
      })
{
    for (const QString& file : std::as_const(files_)) {
        auto fileCost = [cost, file] { return cost ? cost(file) : std::int64_t{0}; };
        jobs_.Submit(std::move(fileCost), [maker, file] { return maker(file); });
    }
    sinceEvents_.start();
}

ThumbnailPipeline::~ThumbnailPipeline() { jobs_.Clear(); }

void ThumbnailPipeline::waitForNext()
{
    if (sinceEvents_.elapsed() >= kEventIntervalMs) {
        QCoreApplication::processEvents();
        sinceEvents_.restart();
    }
    while (!jobs_.NextFinished()) {
        QEventLoop loop;
        waiting_ = &loop;
        // A picture finished after the check above posts its wake-up into this loop.
        if (!jobs_.NextFinished())
            loop.exec();
        waiting_ = nullptr;
        sinceEvents_.restart();
    }
}

Thumbnail ThumbnailPipeline::next()
{
    if (atEnd())
        return {};
    waitForNext();
    const QString& file = files_.at(delivered_++);
    work::JobOutcome<Thumbnail> outcome = jobs_.TakeNext();
    if (outcome.ok())
        return std::move(*outcome.value);
    return FailedThumbnail(file, QString::fromStdString(outcome.ErrorText()));
}

} // namespace quillora::pages
