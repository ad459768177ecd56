#pragma once
// Choice of codec by file-name extension alone (case-insensitive); the content is never examined.
#include <QString>

namespace quillora::imaging {

enum class ImageFormat { Unknown, Jpeg, Tiff, Bmp, Png };

// The format a file of this name is read with: ".jpg" ".jpeg" ".jpe", ".tif" ".tiff" ".fax"
// ".g3n" ".g3f", ".bmp" ".dib" ".rle", ".png". Anything else is Unknown.
ImageFormat formatForReading(const QString& fileName);

// The format a file of this name is written in: ".jpg" ".jpeg" ".jpe", ".tif" ".tiff", ".bmp"
// ".dib", ".png". Anything else is Unknown.
ImageFormat formatForWriting(const QString& fileName);

// A short name for messages ("JPEG", "TIFF", "BMP", "PNG", "unknown").
const char* formatName(ImageFormat format);

} // namespace quillora::imaging
