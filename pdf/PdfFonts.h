#pragma once
// The standard Type 1 fonts that every PDF viewer has built in; no font program is embedded.
// A document creates fonts by their registered name ("Arial", "Times-Roman", ...).
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/PdfWrapper.h"

class TPdfFont : public TPdfDictionaryWrapper {
public:
    // The name the font was registered and created with, such as "Arial".
    const std::string& Name() const { return name_; }
    // Width of the byte at 1-based `position` of `text`, in thousandths of the font size.
    virtual int GetCharWidth(std::string_view text, int position) const;

protected:
    explicit TPdfFont(std::string name) : name_(std::move(name)) { }

private:
    std::string name_;
};

class TPdfType1Font : public TPdfFont {
public:
    void SetData(TPdfDictionary* dictionary) override;
    int GetCharWidth(std::string_view text, int position) const override;
    std::uint8_t FirstChar() const { return firstChar_; }
    std::uint8_t LastChar() const { return lastChar_; }

protected:
    // Builds the font dictionary (an indirect object from the start) with the widths kept
    // as an internal element.
    TPdfType1Font(TPdfObjectMgr& objectMgr, std::string name, std::string_view baseFont);

private:
    std::uint8_t firstChar_ = 0;
    std::uint8_t lastChar_ = 0;
    std::array<std::uint16_t, 256> charWidths_{};
};

#define QUILLORA_PDF_TYPE1_FONT(ClassName)                                                                   \
    class ClassName final : public TPdfType1Font {                                                           \
    public:                                                                                                  \
        ClassName(TPdfObjectMgr& objectMgr, std::string name);                                               \
    };
QUILLORA_PDF_TYPE1_FONT(TPdfFixedWidth)
QUILLORA_PDF_TYPE1_FONT(TPdfFixedWidthBold)
QUILLORA_PDF_TYPE1_FONT(TPdfFixedWidthItalic)
QUILLORA_PDF_TYPE1_FONT(TPdfFixedWidthBoldItalic)
QUILLORA_PDF_TYPE1_FONT(TPdfArial)
QUILLORA_PDF_TYPE1_FONT(TPdfArialBold)
QUILLORA_PDF_TYPE1_FONT(TPdfArialItalic)
QUILLORA_PDF_TYPE1_FONT(TPdfArialBoldItalic)
QUILLORA_PDF_TYPE1_FONT(TPdfTimesRoman)
QUILLORA_PDF_TYPE1_FONT(TPdfTimesBold)
QUILLORA_PDF_TYPE1_FONT(TPdfTimesItalic)
QUILLORA_PDF_TYPE1_FONT(TPdfTimesBoldItalic)
#undef QUILLORA_PDF_TYPE1_FONT

// The registered font names, in registry order.
std::vector<std::string> RegisteredFontNames();
// Creates the font registered under `name`; an unknown name raises EClassNotFound.
std::unique_ptr<TPdfFont> CreateRegisteredFont(std::string_view name, TPdfObjectMgr& objectMgr);
