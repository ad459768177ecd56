#pragma once
// The pictures of the page list: squares of ThumbSide pixels, only ever appended, so that a
// page's picture index stays valid until the next reset.
#include <QImage>
#include <vector>

namespace quillora::pages {

// Side of the thumbnail square for the ImSize setting (0..4 gives 64..192). Values outside
// 0..4 are clamped so that a damaged setting cannot make huge or empty pictures.
int ThumbSide(int imSize);

class ThumbnailList {
public:
    int side() const { return side_; }
    int count() const { return static_cast<int>(pictures_.size()); }

    // Empties the list and gives it the picture size of `imSize`.
    void reset(int imSize);

    // Appends a picture (it must be side() x side()); returns its index.
    int append(QImage picture);

    // The picture at `index`, or a null image for -1 or an index out of range.
    QImage at(int index) const;

private:
    int side_ = ThumbSide(0);
    std::vector<QImage> pictures_;
};

} // namespace quillora::pages
