#pragma once
// The one exception type of the imaging library. Every failure carries the file it concerns,
// the format being read or written and the codec's own detail text.
#include <stdexcept>
#include <string>

namespace quillora::imaging {

class ImageError : public std::runtime_error {
public:
    enum class Kind {
        Open,      // the file cannot be opened for reading
        Create,    // the file cannot be created, written or replaced
        Decode,    // the data is not a readable image of the format (truncated, corrupt, unsupported)
        Bounds,    // the image is larger than the library accepts
        Encode,    // the image cannot be encoded (empty image, codec failure)
        Scan,      // the scanner reported an error (file() is the device, detail() SANE's status text)
        Cancelled, // the scan was cancelled at the scanner
    };

    ImageError(Kind kind, std::string file, std::string format, std::string detail);

    Kind kind() const noexcept { return kind_; }
    const std::string& file() const noexcept { return file_; }
    const std::string& format() const noexcept { return format_; }
    const std::string& detail() const noexcept { return detail_; }

private:
    Kind kind_;
    std::string file_;
    std::string format_;
    std::string detail_;
};

} // namespace quillora::imaging
