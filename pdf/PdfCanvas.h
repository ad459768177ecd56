#pragma once
// Writes the content stream of a document's current page and keeps its text state.
#include <cstdint>
#include <string>
#include <string_view>

class TPdfDictionary;
class TPdfDoc;
class TPdfFont;
class TPdfStream;

// The text state of a page. Setters check their range (bounds included) and only record the
// value; none writes an operator.
class TPdfCanvasAttribute {
public:
    float WordSpace() const { return wordSpace_; }
    float CharSpace() const { return charSpace_; }
    float FontSize() const { return fontSize_; }
    TPdfFont* Font() const { return font_; }
    float Leading() const { return leading_; }
    std::uint16_t HorizontalScaling() const { return horizontalScaling_; }

    void SetWordSpace(float value);
    void SetCharSpace(float value);
    void SetFontSize(float value);
    void SetFont(TPdfFont* font) { font_ = font; }
    void SetLeading(float value);
    void SetHorizontalScaling(int value);

private:
    float wordSpace_ = 0;
    float charSpace_ = 0;
    float fontSize_ = 0;
    TPdfFont* font_ = nullptr;
    float leading_ = 0;
    std::uint16_t horizontalScaling_ = 100;
};

class TPdfCanvas {
public:
    explicit TPdfCanvas(TPdfDoc* doc) : doc_(doc) { }

    // Leaves the current page (saving its text state in it) and makes `page` current,
    // restoring its saved state or selecting the default font.
    void SelectPage(TPdfDictionary* page);
    // Forgets page and contents (the document was freed).
    void Detach();

    TPdfDictionary& GetPage() const;
    TPdfDoc& GetDoc() const;
    TPdfStream* Contents() const { return contents_; }
    TPdfCanvasAttribute& Attribute() { return attribute_; }
    // When true, nothing is written into any content stream.
    bool IsVirtual = false;

    void SetPageWidth(int value);
    void SetPageHeight(int value);

    // Appends raw bytes to the contents (nothing for a virtual canvas or without contents).
    void WriteString(std::string_view text);

    void SetFont(std::string_view name, float size);
    void DrawXObject(float x, float y, float width, float height, std::string_view name);
    void DrawXObjectEx(float x, float y, float width, float height, float clipX, float clipY, float clipWidth,
                       float clipHeight, std::string_view name);

    // Operator emitters: one line each, ending with LF.
    void SaveState();
    void RestoreState();
    void ConcatMatrix(float a, float b, float c, float d, float e, float f);
    void AppendRectangle(float x, float y, float width, float height);
    void ClipNonZero();
    void EndPath();
    void SelectFontOperator(std::string_view fontName, float size);
    void PaintXObject(std::string_view name);

private:
    void SaveTextState();
    void RestoreTextState();
    void SetDefaultTextState();
    void SetMediaBoxItem(int index, int value);
    std::string AddXObjectResource(std::string_view name, const char* operation);

    TPdfDictionary* page_ = nullptr;
    TPdfStream* contents_ = nullptr;
    TPdfDoc* doc_;
    TPdfCanvasAttribute attribute_;
};
