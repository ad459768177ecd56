#pragma once
// Thumbnails kept for files that have not changed since, so that a page whose thumbnail was
// made ahead (while the scanner wrote it) or for an earlier intake is not decoded again. A
// file counts as unchanged while its stamp (size, times and identity on the device) is the one
// read before its picture was made. The cache holds at most a fixed number of bytes of
// pictures and forgets the oldest first. Safe to use from several threads.
#include "app/pages/Thumbnail.h"
#include "platform/FileStamp.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <list>
#include <map>
#include <mutex>
#include <optional>
#include <tuple>

namespace quillora::pages {

using platform::FileStamp;

// The stamp of the file as it is now; none when it cannot be read.
std::optional<FileStamp> StampOf(const QString& file);

class ThumbnailCache {
public:
    static constexpr std::int64_t kDefaultByteLimit = 64 << 20;
    explicit ThumbnailCache(std::int64_t byteLimit = kDefaultByteLimit) : byteLimit_(byteLimit) { }

    // The picture made at this side and stretch for the file as it is now; null when there is none.
    QImage Find(const QString& file, int side, bool stretch) const;
    // Keeps the picture made for the file in the state `stamp` (read before it was made).
    void Store(const QString& file, int side, bool stretch, const FileStamp& stamp, const QImage& picture);
    int Count() const;
    // How many pictures of this side (made as 32-bit pixels) the cache holds at most.
    int CapacityAt(int side) const;

private:
    using Key = std::tuple<QString, int, bool>;
    struct Entry {
        FileStamp stamp;
        QImage picture;
        std::list<Key>::iterator place; // in order_
    };

    const std::int64_t byteLimit_;
    mutable std::mutex mutex_;
    std::map<Key, Entry> entries_;
    std::list<Key> order_; // stored longest ago first
    std::int64_t bytes_ = 0;
};

// The cached picture of the file when there is one; otherwise MakeThumbnailPicture, whose
// picture is then kept in the cache.
Thumbnail CachedThumbnailPicture(const QString& file, int side, bool stretch, ThumbnailCache& cache);

} // namespace quillora::pages
