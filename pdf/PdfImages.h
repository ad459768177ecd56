#pragma once
// Creators that turn an in-memory picture into an image XObject, and their registry.
// A created image is a direct stream without an object manager; TPdfDoc::AddImage numbers
// and registers it.
#include <memory>
#include <string_view>

#include "pdf/PdfObjects.h"
#include "pdf/PdfPicture.h"

class TPdfImageCreator {
public:
    virtual ~TPdfImageCreator() = default;
    // A new image, or none (the base class).
    virtual std::unique_ptr<TPdfImage> CreateImage(const TPdfPicture& picture);
};

// JPEG pictures: the JPEG bytes go into the stream unchanged, filtered by DCTDecode.
class TPdfJpegImage final : public TPdfImageCreator {
public:
    std::unique_ptr<TPdfImage> CreateImage(const TPdfPicture& picture) override;
};

// Bitmaps: palette formats become 8-bit indexed images, all others 24-bit RGB.
class TPdfBitmapImage final : public TPdfImageCreator {
public:
    std::unique_ptr<TPdfImage> CreateImage(const TPdfPicture& picture) override;
};

// Creates an image with the creator registered as "Pdf-Jpeg" or "Pdf-Bitmap"; an unknown
// name raises EClassNotFound.
std::unique_ptr<TPdfImage> CreateImageObject(const TPdfPicture& picture, std::string_view className);
