#include "pdf/PRItems.h"

#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfExceptions.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfImages.h"

namespace {

constexpr int kNameAttempts = 65535;

} // namespace

// ---- TPRImage

TPRImage::TPRImage(std::string name)
    : TPRItem(std::move(name)), random_(std::make_shared<TPdfClockSeededRandom>())
{
}

void TPRImage::SetPicture(TPdfPicture picture)
{
    if (!IsEmptyPicture(picture) && !std::holds_alternative<TPdfBitmap>(picture))
        throw EPdfError("only bitmap image is allowed.");
    StorePicture(std::move(picture));
}

std::string TPRImage::FreeRandomName(TPdfDoc& doc)
{
    for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
        std::string name = Name() + FormatInt(random_->Next(65535));
        if (!doc.GetXObject(name))
            return name;
    }
    throw EPdfError("image count over max value..");
}

std::string TPRImage::FreeConsecutiveName(TPdfDoc& doc)
{
    int number = random_->Next(65534);
    for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
        std::string name = Name() + FormatInt(number);
        if (!doc.GetXObject(name))
            return name;
        number = number == 65534 ? 0 : number + 1;
    }
    throw EPdfError("image count over max value..");
}

std::string TPRImage::RegisterPicture(TPdfDoc& doc, const char* creator, bool consecutiveNames)
{
    if (SharedImage) {
        if (!doc.GetXObject(Name()))
            doc.AddImage(Name(), CreateImageObject(picture_, creator));
        return Name();
    }
    std::string name = consecutiveNames ? FreeConsecutiveName(doc) : FreeRandomName(doc);
    doc.AddImage(name, CreateImageObject(picture_, creator));
    return name;
}

void TPRImage::Draw(TPRCanvas& canvas, const TPRRect& rect, const std::string& name, int pictureWidth,
                    int pictureHeight)
{
    const float pageHeight = static_cast<float>(RequirePage().Height());
    const float left = static_cast<float>(rect.Left);
    if (Stretch) {
        canvas.PdfCanvas->DrawXObject(left, pageHeight - rect.Bottom, Width(), Height(), name);
    } else {
        canvas.PdfCanvas->DrawXObjectEx(left, pageHeight - rect.Top - pictureHeight, pictureWidth,
                                        pictureHeight, left, pageHeight - rect.Top - Height(), Width(),
                                        Height(), name);
    }
}

void TPRImage::PrintTo(TPRCanvas& canvas, const TPRRect& rect)
{
    const auto* bitmap = std::get_if<TPdfBitmap>(&picture_);
    if (!Printable() || !bitmap || bitmap->Empty())
        return;
    TPdfDoc& doc = canvas.PdfCanvas->GetDoc();
    const std::string name = RegisterPicture(doc, "Pdf-Bitmap", true);
    Draw(canvas, rect, name, bitmap->Width, bitmap->Height);
}

// ---- TPRJpegImage

void TPRJpegImage::SetPicture(TPdfPicture picture)
{
    if (!IsEmptyPicture(picture) && !std::holds_alternative<TPdfJpegPicture>(picture))
        throw EPdfError("only jpeg image is allowed.");
    StorePicture(std::move(picture));
}

void TPRJpegImage::PrintTo(TPRCanvas& canvas, const TPRRect& rect)
{
    const auto* jpeg = std::get_if<TPdfJpegPicture>(&Picture());
    if (!Printable() || !jpeg || jpeg->Empty())
        return;
    TPdfDoc& doc = canvas.PdfCanvas->GetDoc();
    const std::string name = RegisterPicture(doc, "Pdf-Jpeg", false);
    Draw(canvas, rect, name, jpeg->Width, jpeg->Height);
}

// ---- TPRAnnotation

std::string TPRAnnotation::ContentsText() const
{
    std::string joined;
    for (const auto& line : lines_)
        joined += line + "\r\n";
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    std::size_t begin = 0;
    std::size_t end = joined.size();
    while (begin < end && isBlank(joined[begin]))
        ++begin;
    while (end > begin && isBlank(joined[end - 1]))
        --end;
    std::string text;
    for (std::size_t i = begin; i < end; ++i) {
        text += joined[i];
        if (joined[i] == '\r' && i + 1 < end && joined[i + 1] == '\n')
            ++i;
    }
    return text;
}

void TPRAnnotation::PrintTo(TPRCanvas& canvas, const TPRRect& rect)
{
    if (!Printable())
        return;
    const float clientHeight = static_cast<float>(RequirePage().Height());
    const TPdfBox box{static_cast<float>(rect.Left), clientHeight - rect.Bottom,
                      static_cast<float>(rect.Right), clientHeight - rect.Top};
    TPdfDictionary& annotation = canvas.PdfCanvas->GetDoc().AddAnotation(asTextNotes, box);
    annotation.Put("Contents", std::make_unique<TPdfText>(ContentsText()));
    annotation.Put("S", std::make_unique<TPdfText>(Caption));
    if (Opened)
        annotation.Put("Open", std::make_unique<TPdfBoolean>(true));
}
