#include "pdf/PdfCanvas.h"

#include "pdf/PdfDoc.h"
#include "pdf/PdfExceptions.h"
#include "pdf/PdfFonts.h"
#include "pdf/PdfFormat.h"

namespace {

void CheckRange(float value, float low, float high, const char* message)
{
    if (!(value >= low && value <= high))
        throw EPdfInvalidValue(message);
}

} // namespace

// ---- TPdfCanvasAttribute

void TPdfCanvasAttribute::SetWordSpace(float value)
{
    if (!(value >= 0))
        throw EPdfInvalidValue("SetWordSpace --invalid word space");
    wordSpace_ = value;
}

void TPdfCanvasAttribute::SetCharSpace(float value)
{
    CheckRange(value, -30, 300, "SetCharSpace --invalid char space");
    charSpace_ = value;
}

void TPdfCanvasAttribute::SetFontSize(float value)
{
    CheckRange(value, 0, 300, "SetCharSpace --invalid font size");
    fontSize_ = value;
}

void TPdfCanvasAttribute::SetLeading(float value)
{
    CheckRange(value, 0, 300, "SetLeading --invalid font size");
    leading_ = value;
}

void TPdfCanvasAttribute::SetHorizontalScaling(int value)
{
    if (value < 10 || value > 300)
        throw EPdfInvalidValue("SetHorizontalScaling --invalid font size");
    horizontalScaling_ = static_cast<std::uint16_t>(value);
}

// ---- page selection and text state

void TPdfCanvas::SelectPage(TPdfDictionary* page)
{
    if (page_)
        SaveTextState();
    page_ = page;
    contents_ = page ? dynamic_cast<TPdfStream*>(page->Lookup("Contents")) : nullptr;
    if (!page)
        return;
    if (page->Lookup("_Font"))
        RestoreTextState();
    else
        SetDefaultTextState();
}

void TPdfCanvas::Detach()
{
    page_ = nullptr;
    contents_ = nullptr;
    attribute_.SetFont(nullptr);
}

void TPdfCanvas::SaveTextState()
{
    if (attribute_.Font())
        page_->PutInternal("_Font", std::make_unique<TPdfName>(attribute_.Font()->Name()));
    page_->PutInternal("_Font_Size", std::make_unique<TPdfReal>(attribute_.FontSize()));
    page_->PutInternal("_Word_Space", std::make_unique<TPdfReal>(attribute_.WordSpace()));
    page_->PutInternal("_Char_Space", std::make_unique<TPdfReal>(attribute_.CharSpace()));
    page_->PutInternal("_HScalling", std::make_unique<TPdfNumber>(attribute_.HorizontalScaling()));
    page_->PutInternal("_Leading", std::make_unique<TPdfReal>(attribute_.Leading()));
}

void TPdfCanvas::RestoreTextState()
{
    attribute_.SetFont(&GetDoc().GetFont(page_->LookupName("_Font")->Value()));
    attribute_.SetFontSize(static_cast<float>(page_->LookupReal("_Font_Size")->Value()));
    attribute_.SetWordSpace(static_cast<float>(page_->LookupReal("_Word_Space")->Value()));
    attribute_.SetCharSpace(static_cast<float>(page_->LookupReal("_Char_Space")->Value()));
    attribute_.SetHorizontalScaling(page_->LookupNumber("_HScalling")->Value());
    attribute_.SetLeading(static_cast<float>(page_->LookupReal("_Leading")->Value()));
}

void TPdfCanvas::SetDefaultTextState()
{
    attribute_.SetFont(nullptr);
    SetFont("Arial", 10);
    attribute_.SetCharSpace(0);
    attribute_.SetWordSpace(0);
    attribute_.SetHorizontalScaling(100);
    attribute_.SetLeading(0);
}

TPdfDictionary& TPdfCanvas::GetPage() const
{
    if (!page_)
        throw EPdfInvalidOperation("GetPage --the Page is nil");
    return *page_;
}

TPdfDoc& TPdfCanvas::GetDoc() const
{
    if (!doc_)
        throw EPdfInvalidOperation("ERROR: GetDoc documant is nil.");
    return *doc_;
}

void TPdfCanvas::SetMediaBoxItem(int index, int value)
{
    TPdfArray* box = GetPage().LookupArray("MediaBox");
    auto* item = box && box->Count() > index ? dynamic_cast<TPdfNumber*>(box->Items(index)) : nullptr;
    if (!item)
        throw EPdfInvalidOperation("Can not chenge width of this page..");
    item->SetValue(value);
}

void TPdfCanvas::SetPageWidth(int value) { SetMediaBoxItem(2, value); }
void TPdfCanvas::SetPageHeight(int value) { SetMediaBoxItem(3, value); }

// ---- drawing

void TPdfCanvas::WriteString(std::string_view text)
{
    if (!IsVirtual && contents_)
        contents_->Data().Append(text);
}

void TPdfCanvas::SetFont(std::string_view name, float size)
{
    TPdfFont& font = GetDoc().GetFont(name);
    if (&font == attribute_.Font() && size == attribute_.FontSize())
        return;
    // Check the size before anything is written, so a refused size leaves the page unchanged.
    CheckRange(size, 0, 300, "SetCharSpace --invalid font size");
    const std::string key = font.Data()->LookupName("Name")->Value();
    TPdfDictionary* fonts = GetPage().LookupDictionary("Resources")->LookupDictionary("Font");
    if (!fonts->Lookup(key))
        fonts->Put(key, *font.Data());
    if (contents_)
        SelectFontOperator("/" + key, size);
    attribute_.SetFont(&font);
    attribute_.SetFontSize(size);
}

std::string TPdfCanvas::AddXObjectResource(std::string_view name, const char* operation)
{
    TPdfXObject* object = GetDoc().GetXObject(name);
    if (!object)
        throw EPdfInvalidValue(std::string(operation) + " --XObject not found: " + std::string(name));
    TPdfDictionary* xObjects = GetPage().LookupDictionary("Resources")->LookupDictionary("XObject");
    if (!xObjects->Lookup(name))
        xObjects->Put(name, *object);
    return object->Attributes().LookupName("Name")->Value();
}

void TPdfCanvas::DrawXObject(float x, float y, float width, float height, std::string_view name)
{
    const std::string objectName = AddXObjectResource(name, "DrawXObject");
    SaveState();
    ConcatMatrix(width, 0, 0, height, x, y);
    PaintXObject(objectName);
    RestoreState();
}

void TPdfCanvas::DrawXObjectEx(float x, float y, float width, float height, float clipX, float clipY,
                               float clipWidth, float clipHeight, std::string_view name)
{
    const std::string objectName = AddXObjectResource(name, "DrawXObjectEx");
    SaveState();
    AppendRectangle(clipX, clipY, clipWidth, clipHeight);
    ClipNonZero();
    EndPath();
    ConcatMatrix(width, 0, 0, height, x, y);
    PaintXObject(objectName);
    RestoreState();
}

void TPdfCanvas::SaveState() { WriteString("q\n"); }
void TPdfCanvas::RestoreState() { WriteString("Q\n"); }
void TPdfCanvas::ClipNonZero() { WriteString("W\n"); }
void TPdfCanvas::EndPath() { WriteString("n\n"); }

void TPdfCanvas::ConcatMatrix(float a, float b, float c, float d, float e, float f)
{
    WriteString(FormatCoord(a) + ' ' + FormatCoord(b) + ' ' + FormatCoord(c) + ' ' + FormatCoord(d) + ' ' +
                FormatCoord(e) + ' ' + FormatCoord(f) + " cm\n");
}

void TPdfCanvas::AppendRectangle(float x, float y, float width, float height)
{
    WriteString(FormatCoord(x) + ' ' + FormatCoord(y) + ' ' + FormatCoord(width) + ' ' + FormatCoord(height) +
                " re\n");
}

void TPdfCanvas::SelectFontOperator(std::string_view fontName, float size)
{
    WriteString(std::string(fontName) + ' ' + FormatCoord(size) + " Tf\n");
}

void TPdfCanvas::PaintXObject(std::string_view name)
{
    std::string line = "/";
    line.append(name).append(" Do\n");
    WriteString(line);
}
