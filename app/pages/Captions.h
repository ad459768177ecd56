#pragma once
// Byte limits of page captions and bookmark titles, counted in code page 932.
#include <QString>

namespace quillora::pages {

inline constexpr int kCaptionBytes = 18;     // a caption edited in place
inline constexpr int kPickedTitleBytes = 16; // a title from the bookmark title picker

// The longest prefix of `text` whose code page 932 form is at most `maxBytes` long; a
// double-byte character that would straddle the limit is dropped whole.
QString cutToBytes(const QString& text, int maxBytes);

} // namespace quillora::pages
