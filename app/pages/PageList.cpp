#include "app/pages/PageList.h"

#include <algorithm>

namespace quillora::pages {

void FreePage(APageList& page)
{
    page.FileName.clear();
    page.ImageIndex = -1;
    page.Note.reset();
    page.Title.clear();
}

void PageList::clear()
{
    for (auto& page : pages_)
        FreePage(page);
    pages_.clear();
    removed_.reset();
}

QString PageList::fileNamePart(const QString& path)
{
    const qsizetype cut = std::max({path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'), path.lastIndexOf(u':')});
    return path.mid(cut + 1);
}

bool PageList::isPageListed(const QString& name) const
{
    const QString wanted = fileNamePart(name);
    return std::any_of(pages_.begin(), pages_.end(),
                       [&](const APageList& page) { return fileNamePart(page.FileName) == wanted; });
}

ItemRange PageList::dropOnItem(int dragged, int target)
{
    if (!contains(dragged) || !contains(target) || dragged == target)
        return {};
    const auto first = pages_.begin();
    if (dragged < target) {
        // Forward: the page lands just before the target, which moves up by one.
        std::rotate(first + dragged, first + dragged + 1, first + target);
        return {dragged, target - 1};
    }
    std::rotate(first + target, first + dragged, first + dragged + 1);
    return {target, dragged};
}

ItemRange PageList::dropOnEmpty(int dragged)
{
    if (!contains(dragged))
        return {};
    std::rotate(pages_.begin() + dragged, pages_.begin() + dragged + 1, pages_.end());
    return {dragged, size() - 1};
}

ItemRange PageList::remove(int index)
{
    if (!contains(index))
        return {};
    removed_ = Removed{index, std::move(pages_[static_cast<std::size_t>(index)])};
    pages_.erase(pages_.begin() + index);
    return {index, size() - 1};
}

ItemRange PageList::restoreRemoved()
{
    if (!removed_)
        return {};
    // The list may have shrunk since (a later drag to the end does not, a clear forgets).
    const int index = std::min(removed_->index, size());
    pages_.insert(pages_.begin() + index, std::move(removed_->page));
    removed_.reset();
    return {index, size() - 1};
}

} // namespace quillora::pages
