#pragma once
// Thumbnails straight from image files, for the page list. JPEG files are decoded reduced by
// libjpeg's DCT scaling (never below the drawn size), other formats in full; the geometry always
// uses the image's real size, so the result is placed exactly as from a full decode.
#include <QImage>
#include <QString>

namespace quillora::imaging {

// A white side x side RGB32 thumbnail of the file (see makeThumbnail in Scaling.h).
// Throws ImageError (Kind::Open) when the file cannot be opened. Returns a null image when the
// format is unknown or the data cannot be decoded (the page then has no thumbnail).
QImage thumbnailFromFile(const QString& fileName, int side, bool stretch);

} // namespace quillora::imaging
