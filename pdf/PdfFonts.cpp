#include "pdf/PdfFonts.h"

#include <functional>
#include <map>

#include "pdf/PdfExceptions.h"
#include "pdf/PdfFontWidths.h"

int TPdfFont::GetCharWidth(std::string_view, int) const { return 0; }

TPdfType1Font::TPdfType1Font(TPdfObjectMgr& objectMgr, std::string name, std::string_view baseFont)
    : TPdfFont(std::move(name))
{
    auto& font = objectMgr.Add(std::make_unique<TPdfDictionary>(&objectMgr));
    font.Put("Type", std::make_unique<TPdfName>("Font"));
    font.Put("Subtype", std::make_unique<TPdfName>("Type1"));
    font.Put("Encoding", std::make_unique<TPdfName>("WinAnsiEncoding"));
    font.Put("FirstChar", std::make_unique<TPdfNumber>(32));
    font.Put("LastChar", std::make_unique<TPdfNumber>(255));
    font.Put("BaseFont", std::make_unique<TPdfName>(std::string(baseFont)));
    const auto* widths = quillora::pdf::StandardFontWidths(baseFont);
    font.PutInternal("Widths", TPdfArray::CreateNumbers(&objectMgr, *widths));
    SetData(&font);
}

void TPdfType1Font::SetData(TPdfDictionary* dictionary)
{
    TPdfFont::SetData(dictionary);
    const TPdfNumber* missing = dictionary->LookupNumber("MissingWidth");
    charWidths_.fill(static_cast<std::uint16_t>(missing ? missing->Value() : 0));
    const TPdfNumber* first = dictionary->LookupNumber("FirstChar");
    const TPdfNumber* last = dictionary->LookupNumber("LastChar");
    firstChar_ = static_cast<std::uint8_t>(first ? first->Value() : 0);
    lastChar_ = static_cast<std::uint8_t>(last ? last->Value() : 0);
    const TPdfArray* widths = dictionary->LookupArray("Widths");
    for (int i = 0; widths && i < widths->Count() && firstChar_ + i < 256; ++i)
        if (const auto* width = dynamic_cast<const TPdfNumber*>(widths->Items(i)))
            charWidths_[firstChar_ + i] = static_cast<std::uint16_t>(width->Value());
}

int TPdfType1Font::GetCharWidth(std::string_view text, int position) const
{
    if (position < 1 || position > static_cast<int>(text.size()))
        return 0;
    return charWidths_[static_cast<unsigned char>(text[position - 1])];
}

#define QUILLORA_PDF_TYPE1_FONT(ClassName, BaseFont)                                                         \
    ClassName::ClassName(TPdfObjectMgr& objectMgr, std::string name)                                         \
        : TPdfType1Font(objectMgr, std::move(name), BaseFont)                                                \
    {                                                                                                        \
    }
QUILLORA_PDF_TYPE1_FONT(TPdfFixedWidth, "Courier")
QUILLORA_PDF_TYPE1_FONT(TPdfFixedWidthBold, "Courier-Bold")
QUILLORA_PDF_TYPE1_FONT(TPdfFixedWidthItalic, "Courier-Oblique")
QUILLORA_PDF_TYPE1_FONT(TPdfFixedWidthBoldItalic, "Courier-BoldOblique")
QUILLORA_PDF_TYPE1_FONT(TPdfArial, "Helvetica")
QUILLORA_PDF_TYPE1_FONT(TPdfArialBold, "Helvetica-Bold")
QUILLORA_PDF_TYPE1_FONT(TPdfArialItalic, "Helvetica-Oblique")
QUILLORA_PDF_TYPE1_FONT(TPdfArialBoldItalic, "Helvetica-BoldOblique")
QUILLORA_PDF_TYPE1_FONT(TPdfTimesRoman, "Times-Roman")
QUILLORA_PDF_TYPE1_FONT(TPdfTimesBold, "Times-Bold")
QUILLORA_PDF_TYPE1_FONT(TPdfTimesItalic, "Times-Italic")
QUILLORA_PDF_TYPE1_FONT(TPdfTimesBoldItalic, "Times-BoldItalic")
#undef QUILLORA_PDF_TYPE1_FONT

namespace {

using FontFactory = std::function<std::unique_ptr<TPdfFont>(TPdfObjectMgr&, std::string)>;

template <class Font> FontFactory Factory()
{
    return [](TPdfObjectMgr& objectMgr, std::string name) {
        return std::make_unique<Font>(objectMgr, std::move(name));
    };
}

const std::vector<std::pair<std::string, FontFactory>>& FontRegistry()
{
    static const std::vector<std::pair<std::string, FontFactory>> registry = {
        {"FixedWidth", Factory<TPdfFixedWidth>()},
        {"FixedWidth-Bold", Factory<TPdfFixedWidthBold>()},
        {"FixedWidth-Italic", Factory<TPdfFixedWidthItalic>()},
        {"FixedWidth-BoldItalic", Factory<TPdfFixedWidthBoldItalic>()},
        {"Arial", Factory<TPdfArial>()},
        {"Arial-Bold", Factory<TPdfArialBold>()},
        {"Arial-Italic", Factory<TPdfArialItalic>()},
        {"Arial-BoldItalic", Factory<TPdfArialBoldItalic>()},
        {"Times-Roman", Factory<TPdfTimesRoman>()},
        {"Times-Bold", Factory<TPdfTimesBold>()},
        {"Times-Italic", Factory<TPdfTimesItalic>()},
        {"Times-BoldItalic", Factory<TPdfTimesBoldItalic>()},
    };
    return registry;
}

} // namespace

std::vector<std::string> RegisteredFontNames()
{
    std::vector<std::string> names;
    for (const auto& entry : FontRegistry())
        names.push_back(entry.first);
    return names;
}

std::unique_ptr<TPdfFont> CreateRegisteredFont(std::string_view name, TPdfObjectMgr& objectMgr)
{
    for (const auto& [registered, factory] : FontRegistry())
        if (registered == name)
            return factory(objectMgr, std::string(name));
    throw EClassNotFound(std::string(name));
}
