#pragma once
// Report items that leave marks on a PDF page: image items and the text annotation item.
#include <memory>
#include <string>
#include <vector>

#include "pdf/PRControls.h"
#include "pdf/PdfPicture.h"
#include "pdf/PdfServices.h"

class TPdfDoc;

// An image item holding a bitmap. With SharedImage one XObject named after the item serves
// every page of a document; otherwise every page gets its own XObject under the item's name
// followed by a pseudo-random number.
class TPRImage : public TPRItem {
public:
    explicit TPRImage(std::string name = {});
    const char* ClassName() const override { return "TPRImage"; }

    const TPdfPicture& Picture() const { return picture_; }
    // Accepts an empty picture or a bitmap; anything else fails with
    // "only bitmap image is allowed.".
    virtual void SetPicture(TPdfPicture picture);

    bool SharedImage = true;
    // True: the picture is scaled to the item; false: natural size, clipped to the item.
    bool Stretch = true;

    // The generator of the image name numbers (seeded from the clock by default).
    void SetRandom(std::shared_ptr<TPdfRandom> random) { random_ = std::move(random); }

    void PrintTo(TPRCanvas& canvas, const TPRRect& rect) override;

protected:
    void StorePicture(TPdfPicture picture) { picture_ = std::move(picture); }
    // Registers the picture (once for a shared image) and returns its XObject name.
    std::string RegisterPicture(TPdfDoc& doc, const char* creator, bool consecutiveNames);
    void Draw(TPRCanvas& canvas, const TPRRect& rect, const std::string& name, int pictureWidth,
              int pictureHeight);
    TPdfRandom& Random() { return *random_; }

private:
    std::string FreeRandomName(TPdfDoc& doc);
    std::string FreeConsecutiveName(TPdfDoc& doc);

    TPdfPicture picture_;
    std::shared_ptr<TPdfRandom> random_;
};

// An image item holding a JPEG picture; the JPEG bytes go into the PDF unchanged.
class TPRJpegImage final : public TPRImage {
public:
    explicit TPRJpegImage(std::string name = {}) : TPRImage(std::move(name)) { }
    const char* ClassName() const override { return "TPRJpegImage"; }
    // Accepts an empty picture or a JPEG picture; anything else fails with
    // "only jpeg image is allowed.".
    void SetPicture(TPdfPicture picture) override;
    void PrintTo(TPRCanvas& canvas, const TPRRect& rect) override;
};

// A text annotation ("Text" subtype) at the item's rectangle.
class TPRAnnotation final : public TPRItem {
public:
    explicit TPRAnnotation(std::string name = {}) : TPRItem(std::move(name)) { }
    const char* ClassName() const override { return "TPRAnnotation"; }

    // Code page 932 bytes.
    std::string Caption;
    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines) { lines_ = std::move(lines); }
    bool Opened = false;

    // The annotation text: the lines joined with CR LF, trimmed of bytes up to 0x20 at both
    // ends, every inner CR LF turned into a single CR.
    std::string ContentsText() const;
    void PrintTo(TPRCanvas& canvas, const TPRRect& rect) override;

private:
    std::vector<std::string> lines_;
};
