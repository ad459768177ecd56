#include "app/pages/ThumbnailList.h"

#include <algorithm>

namespace quillora::pages {

int ThumbSide(int imSize) { return std::clamp(imSize, 0, 4) * 32 + 64; }

void ThumbnailList::reset(int imSize)
{
    pictures_.clear();
    side_ = ThumbSide(imSize);
}

int ThumbnailList::append(QImage picture)
{
    pictures_.push_back(std::move(picture));
    return count() - 1;
}

QImage ThumbnailList::at(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return pictures_[static_cast<std::size_t>(index)];
}

} // namespace quillora::pages
