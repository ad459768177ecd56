#include "app/pages/ThumbnailPrewarm.h"

#include "imaging/ImageHeader.h"
#include "imaging/ImageLimits.h"

#include <algorithm>

namespace quillora::pages {
namespace {

// One worker; a few finished jobs may wait to be collected while the window is busy.
constexpr work::JobLimits kPrewarmLimits{1, 4, imaging::kWorkerDecodeBudget};

// Failures remembered at most: a folder full of broken files forgets them and tries again.
constexpr std::size_t kMaxFailuresKept = 4096;

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
    const qsizetype count = std::min<qsizetype>(files.size(), cache_.CapacityAt(side));
    for (const QString& file : files.first(count))
        jobs_.Submit(
            [this, file, side, stretch]() -> std::int64_t {
                return Wanted(file, side, stretch) ? imaging::DecodedBytesEstimate(file) : 0;
            },
            [this, file, side, stretch] { return Make(file, side, stretch); });
}

void ThumbnailPrewarm::Stop() { jobs_.Clear(); }

bool ThumbnailPrewarm::Wanted(const QString& file, int side, bool stretch) const
{
    if (!cache_.Find(file, side, stretch).isNull())
        return false;
    const std::lock_guard lock(failedMutex_);
    const auto failed = failed_.find(file);
    return failed == failed_.end() || failed->second != StampOf(file);
}

bool ThumbnailPrewarm::Make(const QString& file, int side, bool stretch)
{
    if (!Wanted(file, side, stretch))
        return true;
    const std::optional<FileStamp> stamp = StampOf(file);
    if (CachedThumbnailPicture(file, side, stretch, cache_).outcome == Thumbnail::Outcome::Made)
        return true;
    const std::lock_guard lock(failedMutex_);
    if (failed_.size() >= kMaxFailuresKept)
        failed_.clear();
    if (stamp)
        failed_[file] = *stamp;
    return false;
}

void ThumbnailPrewarm::CollectFinished()
{
    while (!jobs_.Empty() && jobs_.NextFinished())
        jobs_.TakeNext();
}

} // namespace quillora::pages
