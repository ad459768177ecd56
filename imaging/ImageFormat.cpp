#include "imaging/ImageFormat.h"

#include <QFileInfo>

namespace quillora::imaging {
namespace {

struct ExtensionEntry {
    const char* extension;
    ImageFormat format;
    bool writable;
};

constexpr ExtensionEntry kExtensions[] = {
    {"jpg", ImageFormat::Jpeg, true},  {"jpeg", ImageFormat::Jpeg, true}, {"jpe", ImageFormat::Jpeg, true},
    {"tif", ImageFormat::Tiff, true},  {"tiff", ImageFormat::Tiff, true}, {"fax", ImageFormat::Tiff, false},
    {"g3n", ImageFormat::Tiff, false}, {"g3f", ImageFormat::Tiff, false}, {"bmp", ImageFormat::Bmp, true},
    {"dib", ImageFormat::Bmp, true},   {"rle", ImageFormat::Bmp, false},  {"png", ImageFormat::Png, true},
};

ImageFormat lookUp(const QString& fileName, bool forWriting)
{
    // suffix() is the text after the last dot of the file-name part, so "a.b/c" has none.
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const auto& entry : kExtensions) {
        if (suffix == QLatin1String(entry.extension))
            return (forWriting && !entry.writable) ? ImageFormat::Unknown : entry.format;
    }
    return ImageFormat::Unknown;
}

} // namespace

ImageFormat formatForReading(const QString& fileName) { return lookUp(fileName, false); }

ImageFormat formatForWriting(const QString& fileName) { return lookUp(fileName, true); }

const char* formatName(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Jpeg: return "JPEG";
    case ImageFormat::Tiff: return "TIFF";
    case ImageFormat::Bmp: return "BMP";
    case ImageFormat::Png: return "PNG";
    case ImageFormat::Unknown: break;
    }
    return "unknown";
}

} // namespace quillora::imaging
