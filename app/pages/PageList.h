#pragma once
// The ordered pages of the chart being captured and the edits the page list view makes to
// them. Items of the view are never moved: every edit answers which items must be rewritten
// from their records, so the view stays a thin mirror of this list.
#include "app/pages/APageList.h"

#include <QString>
#include <optional>
#include <vector>

namespace quillora::pages {

// Inclusive range of view items to rewrite from their records; empty when first > last.
struct ItemRange {
    int first = 0;
    int last = -1;
    bool empty() const { return first > last; }
    bool operator==(const ItemRange&) const = default;
};

class PageList {
public:
    int size() const { return static_cast<int>(pages_.size()); }
    bool empty() const { return pages_.empty(); }
    bool contains(int index) const { return index >= 0 && index < size(); }
    const APageList& at(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    APageList& at(int index) { return pages_.at(static_cast<std::size_t>(index)); }
    const std::vector<APageList>& pages() const { return pages_; }

    void append(APageList page) { pages_.push_back(std::move(page)); }
    void clear();

    // Whether a page's file has the same name part (after the last separator) as `name`,
    // compared exactly, so letter case counts.
    bool isPageListed(const QString& name) const;

    // Drop of page `dragged` on the item `target`: the page ends immediately before the
    // target page. Returns the items to rewrite.
    ItemRange dropOnItem(int dragged, int target);
    // Drop of page `dragged` on empty space: the page moves to the end.
    ItemRange dropOnEmpty(int dragged);

    // Deletes the page at `index`; returns the items to rewrite (the last item of the view
    // must then be removed). Does nothing and returns an empty range for a missing page.
    // The page is kept aside so that one step of undo can bring it back.
    ItemRange remove(int index);

    // Whether a deleted page can be brought back, and where it would return.
    bool canRestore() const { return removed_.has_value(); }
    int restoreIndex() const { return removed_ ? removed_->index : -1; }
    // Puts the last deleted page back at its place (one step only); returns the items to
    // rewrite (an item must first be added at the end of the view). Empty when none is kept.
    ItemRange restoreRemoved();
    // Drops the page kept for undo (its picture index is no longer valid, or the chart is done).
    void forgetRemoved() { removed_.reset(); }

    // The part of a path after its last "\", "/" or ":".
    static QString fileNamePart(const QString& path);

private:
    struct Removed {
        int index;
        APageList page;
    };
    std::vector<APageList> pages_;
    std::optional<Removed> removed_;
};

// Empties a record: the file name and title cleared, no picture, no annotation.
void FreePage(APageList& page);

} // namespace quillora::pages
