#pragma once
// The picture a page shows in the page list: every cell has the same size, a thin frame makes
// a white scan visible as a page, and a page without a thumbnail shows a placeholder instead
// of an empty slot.
#include <QImage>

namespace quillora::pages {

inline constexpr const char* kUnreadableText = "読めません";

// Side of a cell picture for thumbnails of `thumbSide` pixels (the frame adds one each side).
int CellSide(int thumbSide);

// The thumbnail inside its frame; a null thumbnail gives the "読めません" placeholder.
QImage CellPicture(const QImage& thumbnail, int thumbSide);

} // namespace quillora::pages
