#include "app/pages/ThumbnailPrewarm.h"

#include "imaging/ImageHeader.h"
#include "imaging/ImageLimits.h"

namespace quillora::pages {
namespace {

// One worker; a few finished jobs may wait to be collected while the window is busy.
constexpr work::JobLimits kPrewarmLimits{1, 4, imaging::kWorkerDecodeBudget};

} // namespace

ThumbnailPrewarm::ThumbnailPrewarm(ThumbnailCache& cache)
    : cache_(cache), jobs_(kPrewarmLimits, [this] {
          QMetaObject::invokeMethod(
              &waker_, [this] { CollectFinished(); }, Qt::QueuedConnection);
      })
{
}

ThumbnailPrewarm::~ThumbnailPrewarm() { jobs_.Clear(); }

void ThumbnailPrewarm::Prepare(const QStringList& files, int side, bool stretch)
{
    jobs_.DropQueued();
    for (const QString& file : files) {
        if (!cache_.Find(file, side, stretch).isNull())
            continue;
        jobs_.Submit([file] { return imaging::DecodedBytesEstimate(file); },
                     [this, file, side, stretch] {
                         return CachedThumbnailPicture(file, side, stretch, cache_).outcome ==
                                Thumbnail::Outcome::Made;
                     });
    }
}

void ThumbnailPrewarm::Stop() { jobs_.DropQueued(); }

void ThumbnailPrewarm::CollectFinished()
{
    while (!jobs_.Empty() && jobs_.NextFinished())
        jobs_.TakeNext();
}

} // namespace quillora::pages
