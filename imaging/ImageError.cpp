#include "imaging/ImageError.h"

namespace quillora::imaging {
namespace {

std::string composeMessage(ImageError::Kind kind, const std::string& file, const std::string& format,
                           const std::string& detail)
{
    std::string what;
    switch (kind) {
    case ImageError::Kind::Open: what = "cannot open image file"; break;
    case ImageError::Kind::Create: what = "cannot write image file"; break;
    case ImageError::Kind::Decode: what = "cannot decode image file"; break;
    case ImageError::Kind::Bounds: what = "image too large in file"; break;
    case ImageError::Kind::Encode: what = "cannot encode image for file"; break;
    case ImageError::Kind::Scan: what = "scan failed on device"; break;
    case ImageError::Kind::Cancelled: what = "scan cancelled on device"; break;
    }
    std::string message = what + " \"" + file + "\"";
    if (!format.empty())
        message += " (" + format + ")";
    if (!detail.empty())
        message += ": " + detail;
    return message;
}

} // namespace

ImageError::ImageError(Kind kind, std::string file, std::string format, std::string detail)
    : std::runtime_error(composeMessage(kind, file, format, detail)), kind_(kind), file_(std::move(file)),
      format_(std::move(format)), detail_(std::move(detail))
{
}

} // namespace quillora::imaging
