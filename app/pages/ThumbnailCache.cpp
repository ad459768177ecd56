#include "app/pages/ThumbnailCache.h"

#include "imaging/NativeNames.h"

#include <algorithm>
#include <climits>

namespace quillora::pages {

std::optional<FileStamp> StampOf(const QString& file)
{
    return platform::StampOfFile(imaging::NativePath(file));
}

QImage ThumbnailCache::Find(const QString& file, int side, bool stretch) const
{
    const std::optional<FileStamp> now = StampOf(file);
    if (!now)
        return {};
    const std::lock_guard lock(mutex_);
    const auto found = entries_.find({file, side, stretch});
    if (found == entries_.end() || found->second.stamp != *now)
        return {};
    return found->second.picture;
}

void ThumbnailCache::Store(const QString& file, int side, bool stretch, const FileStamp& stamp,
                           const QImage& picture)
{
    if (picture.isNull())
        return;
    const std::lock_guard lock(mutex_);
    const Key key{file, side, stretch};
    auto found = entries_.find(key);
    if (found == entries_.end()) {
        found = entries_.emplace(key, Entry{stamp, {}, order_.insert(order_.end(), key)}).first;
    } else {
        order_.splice(order_.end(), order_, found->second.place);
        bytes_ -= found->second.picture.sizeInBytes();
        found->second.stamp = stamp;
    }
    found->second.picture = picture;
    bytes_ += picture.sizeInBytes();
    while (bytes_ > byteLimit_ && !order_.empty()) {
        const auto oldest = entries_.find(order_.front());
        bytes_ -= oldest->second.picture.sizeInBytes();
        entries_.erase(oldest);
        order_.pop_front();
    }
}

Thumbnail CachedThumbnailPicture(const QString& file, int side, bool stretch, ThumbnailCache& cache)
{
    if (QImage cached = cache.Find(file, side, stretch); !cached.isNull())
        return {Thumbnail::Outcome::Made, std::move(cached), {}};
    // Read before decoding: a file that changes meanwhile no longer matches what is kept.
    const std::optional<FileStamp> stamp = StampOf(file);
    Thumbnail made = MakeThumbnailPicture(file, side, stretch);
    if (stamp && made.outcome == Thumbnail::Outcome::Made)
        cache.Store(file, side, stretch, *stamp, made.picture);
    return made;
}

int ThumbnailCache::CapacityAt(int side) const
{
    const std::int64_t pictureBytes = std::max<std::int64_t>(1, std::int64_t{side} * side * 4);
    return static_cast<int>(std::min<std::int64_t>(byteLimit_ / pictureBytes, INT_MAX));
}

int ThumbnailCache::Count() const
{
    const std::lock_guard lock(mutex_);
    return static_cast<int>(entries_.size());
}

} // namespace quillora::pages
