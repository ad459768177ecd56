#include "app/pages/ThumbnailCache.h"

#include "imaging/NativeNames.h"

#include <filesystem>

namespace quillora::pages {

std::optional<FileStamp> StampOf(const QString& file)
{
    const std::filesystem::path path = imaging::NativePath(file);
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return std::nullopt;
    const auto modified = std::filesystem::last_write_time(path, error);
    if (error)
        return std::nullopt;
    return FileStamp{
        static_cast<std::int64_t>(size),
        std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count()};
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

int ThumbnailCache::Count() const
{
    const std::lock_guard lock(mutex_);
    return static_cast<int>(entries_.size());
}

} // namespace quillora::pages
