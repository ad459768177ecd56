// The JPEG decoder three ways: the whole image, a top-left region (the patient tab) and a
// scaled decode (thumbnails).
#include "FuzzImage.h"
#include "imaging/JpegCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quillora::imaging;
    const std::span bytes(data, size);
    const QString name = QStringLiteral("fuzz.jpg");
    decodeAs(data, size, "fuzz.jpg");
    try {
        decodeJpegTopLeft(bytes, name, 40, 30);
    } catch (const ImageError&) {
    }
    try {
        decodeJpegScaled(bytes, name, 16, 16);
    } catch (const ImageError&) {
    }
    return 0;
}
