#include "app/pages/ThumbnailPrewarm.h"

#include <algorithm>

namespace quillora::pages {
namespace {

// One worker and one job per request, which makes its pictures one after the other; a
// finished request may wait to be collected while the next one runs.
constexpr work::JobLimits kPrewarmLimits{1, 2, 0};

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

ThumbnailPrewarm::~ThumbnailPrewarm() { Stop(); }

void ThumbnailPrewarm::Prepare(FileLister listFiles, int side, bool stretch)
{
    const std::uint64_t request = ++request_;
    jobs_.DropQueued();
    jobs_.Submit({}, [this, listFiles = std::move(listFiles), side, stretch, request] {
        const QStringList files = listFiles();
        const qsizetype count = std::min<qsizetype>(files.size(), cache_.CapacityAt(side));
        for (qsizetype i = 0; i < count && request == request_; ++i)
            Make(files.at(i), side, stretch);
        return true;
    });
}

void ThumbnailPrewarm::Prepare(const QStringList& files, int side, bool stretch)
{
    Prepare([files] { return files; }, side, stretch);
}

void ThumbnailPrewarm::Stop()
{
    ++request_;
    jobs_.Clear();
}

bool ThumbnailPrewarm::Wanted(const QString& file, int side, bool stretch) const
{
    if (!cache_.Find(file, side, stretch).isNull())
        return false;
    const std::lock_guard lock(failedMutex_);
    const auto failed = failed_.find(file);
    return failed == failed_.end() || failed->second != StampOf(file);
}

void ThumbnailPrewarm::Make(const QString& file, int side, bool stretch)
{
    if (!Wanted(file, side, stretch))
        return;
    const std::optional<FileStamp> stamp = StampOf(file);
    if (CachedThumbnailPicture(file, side, stretch, cache_).outcome == Thumbnail::Outcome::Made)
        return;
    const std::lock_guard lock(failedMutex_);
    if (failed_.size() >= kMaxFailuresKept)
        failed_.clear();
    if (stamp)
        failed_[file] = *stamp;
}

void ThumbnailPrewarm::CollectFinished()
{
    while (!jobs_.Empty() && jobs_.NextFinished())
        jobs_.TakeNext();
}

} // namespace quillora::pages
