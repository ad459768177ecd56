#include "pdf/PdfDoc.h"

#include <algorithm>

#include "pdf/PdfCanvas.h"
#include "pdf/PdfExceptions.h"
#include "pdf/PdfFonts.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfOutlines.h"
#include "pdf/PdfXref.h"

const char* const AnnotSubtypeNames[13] = {"Text",   "Link",           "Sound",     "FreeText",  "Stamp",
                                           "Square", "Circle",         "StrikeOut", "Highlight", "Underline",
                                           "Ink",    "FileAttachment", "Popup"};

TPdfDoc::TPdfDoc(std::shared_ptr<const TPdfClock> clock)
    : clock_(std::move(clock)), canvas_(std::make_unique<TPdfCanvas>(this))
{
}

TPdfDoc::~TPdfDoc() { FreeDocument(); }

TPdfXref& TPdfDoc::Xref()
{
    if (!xref_)
        throw EPdfInvalidOperation("Xref --document is null.");
    return *xref_;
}

TPdfDictionary& TPdfDoc::NewIndirectDictionary()
{
    return xref_->Add(std::make_unique<TPdfDictionary>(xref_.get()));
}

void TPdfDoc::NewDocument()
{
    FreeDocument();
    xref_ = std::make_unique<TPdfXref>();
    header_ = std::make_unique<TPdfHeader>();
    trailer_ = std::make_unique<TPdfTrailer>(xref_.get());
    xObjectList_ = std::make_unique<TPdfArray>(xref_.get());

    TPdfDictionary& catalog = NewIndirectDictionary();
    catalog.Put("Type", std::make_unique<TPdfName>("Catalog"));
    trailer_->Attributes().Put("Root", catalog);
    root_ = &Adopt(std::make_unique<TPdfCatalog>());
    root_->SetData(&catalog);

    if (UseOutlines) {
        outlineRoot_ = &TPdfOutlineRoot::CreateForDocument(*this);
        catalog.Put("Outlines", *outlineRoot_->Data());
    }

    TPdfDictionary& info = NewIndirectDictionary();
    info.Put("Producer", std::make_unique<TPdfText>("ChartPdf version 0.9"));
    trailer_->Attributes().Put("Info", info);
    info_ = &Adopt(std::make_unique<TPdfInfo>());
    info_->SetData(&info);
    info_->SetCreationDate(clock_->Now());

    TPdfDictionary& pages = NewIndirectDictionary();
    pages.Put("Type", std::make_unique<TPdfName>("Pages"));
    pages.Put("Kids", std::make_unique<TPdfArray>(xref_.get()));
    pages.Put("Count", std::make_unique<TPdfNumber>(0));
    root_->SetPages(pages);
    currentPages_ = &pages;
    root_->SetPages(pages);
    hasDoc_ = true;
}

void TPdfDoc::FreeDocument()
{
    if (!hasDoc_ && !xref_)
        return;
    xObjectList_.reset();
    while (!fontList_.empty())
        fontList_.pop_back();
    while (!objectList_.empty())
        objectList_.pop_back();
    xref_.reset();
    header_.reset();
    trailer_.reset();
    info_ = nullptr;
    root_ = nullptr;
    outlineRoot_ = nullptr;
    currentPages_ = nullptr;
    canvas_->Detach();
    hasDoc_ = false;
}

void TPdfDoc::AddPageToNode(TPdfDictionary& node, TPdfDictionary& page)
{
    TPdfArray* kids = node.LookupArray("Kids");
    kids->Add(page);
    node.LookupNumber("Count")->SetValue(kids->Count());
}

TPdfDictionary& TPdfDoc::AddPage()
{
    if (!currentPages_)
        throw EPdfInvalidOperation("AddPage --current pages null.");
    TPdfDictionary& page = NewIndirectDictionary();
    AddPageToNode(*currentPages_, page);

    page.Put("Type", std::make_unique<TPdfName>("Page"));
    page.Put("Parent", *currentPages_);
    const int box[] = {0, 0, DefaultPageWidth, DefaultPageHeight};
    page.Put("MediaBox", TPdfArray::CreateNumbers(xref_.get(), box));
    auto resources = std::make_unique<TPdfDictionary>(xref_.get());
    resources->Put("Font", std::make_unique<TPdfDictionary>(xref_.get()));
    resources->Put("XObject", std::make_unique<TPdfDictionary>(xref_.get()));
    auto procSet = std::make_unique<TPdfArray>(xref_.get());
    for (const char* name : {"PDF", "Text", "ImageC"})
        procSet->Add(std::make_unique<TPdfName>(name));
    resources->Put("ProcSet", std::move(procSet));
    page.Put("Resources", std::move(resources));
    TPdfStream& contents = xref_->Add(std::make_unique<TPdfStream>(xref_.get()));
    page.Put("Contents", contents);

    canvas_->SelectPage(&page);
    return page;
}

void TPdfDoc::SaveToStream(TPdfOutputStream& stream)
{
    if (!hasDoc_)
        throw EPdfInvalidOperation("SaveToStream --there is no document to save.");
    canvas_->GetPage();
    GetInfo().SetModDate(clock_->Now());
    root_->SaveOpenAction();
    if (UseOutlines)
        outlineRoot_->PrepareForSave();
    WriteFile(*header_, *xref_, *trailer_, stream);
}

TPdfCanvas& TPdfDoc::GetCanvas()
{
    if (!hasDoc_)
        throw EPdfInvalidOperation("GetCanvas --Document is null");
    return *canvas_;
}

TPdfCatalog& TPdfDoc::GetRoot()
{
    if (!hasDoc_)
        throw EPdfInvalidOperation("GetRoot --this method can not use this state..");
    return *root_;
}

TPdfInfo& TPdfDoc::GetInfo()
{
    if (!hasDoc_)
        throw EPdfInvalidOperation("GetInfo --this method can not use this state..");
    if (!info_) {
        TPdfDictionary& info = NewIndirectDictionary();
        trailer_->Attributes().Put("Info", info);
        info_ = &Adopt(std::make_unique<TPdfInfo>());
        info_->SetData(&info);
    }
    return *info_;
}

TPdfOutlineRoot& TPdfDoc::GetOutlineRoot()
{
    if (!hasDoc_)
        throw EPdfInvalidOperation("GetOutlineRoot --document is null..");
    if (!UseOutlines || !outlineRoot_)
        throw EPdfInvalidOperation("GetOutlineRoot --not use outline mode..");
    return *outlineRoot_;
}

TPdfFont& TPdfDoc::GetFont(std::string_view name)
{
    if (!hasDoc_)
        throw EPdfInvalidOperation("GetFont --document is null.");
    for (const auto& font : fontList_)
        if (font->Name() == name)
            return *font;
    return CreateFont(name);
}

TPdfFont& TPdfDoc::CreateFont(std::string_view name)
{
    std::unique_ptr<TPdfFont> font = CreateRegisteredFont(name, Xref());
    std::string resourceName = "F";
    resourceName += FormatInt(FontCount());
    font->Data()->Put("Name", std::make_unique<TPdfName>(std::move(resourceName)));
    fontList_.push_back(std::move(font));
    return *fontList_.back();
}

TPdfXObject& TPdfDoc::RegisterXObject(std::unique_ptr<TPdfXObject> object, std::string_view name)
{
    if (!object)
        throw EPdfInvalidValue("RegisterXObject --AObject is null");
    if (TPdfDictionary::TypeOf(object->Attributes()) != "XObject")
        throw EPdfInvalidValue("RegisterXObject --not XObject");
    TPdfXObject& added = Xref().Add(std::move(object));
    RegisterXObject(&added, name);
    return added;
}

void TPdfDoc::RegisterXObject(TPdfXObject* object, std::string_view name)
{
    if (!object)
        throw EPdfInvalidValue("RegisterXObject --AObject is null");
    if (TPdfDictionary::TypeOf(object->Attributes()) != "XObject")
        throw EPdfInvalidValue("RegisterXObject --not XObject");
    if (object->Kind() == okDirect)
        throw EPdfInvalidOperation("RegisterXObject --the object is not in this document.");
    if (object->Attributes().Lookup("Name"))
        return;
    if (GetXObject(name))
        throw EPdfInvalidValue("RegisterXObject --dupulicate name: " + std::string(name));
    xObjectList_->Add(*object);
    object->Attributes().Put("Name", std::make_unique<TPdfName>(std::string(name)));
}

TPdfImage& TPdfDoc::AddImage(std::string_view name, std::unique_ptr<TPdfImage> image)
{
    if (GetXObject(name))
        throw EPdfError("AddImage --the image named " + std::string(name) + " is already exists..");
    const TPdfName* subtype = image ? image->Attributes().LookupName("Subtype") : nullptr;
    if (!image || TPdfDictionary::TypeOf(image->Attributes()) != "XObject" || !subtype ||
        subtype->Value() != "Image")
        throw EPdfError("AddImage --the image is not valid TPdfImage..");
    TPdfImage& added = Xref().Add(std::move(image));
    RegisterXObject(&added, name);
    return added;
}

TPdfXObject* TPdfDoc::GetXObject(std::string_view name) const
{
    if (!xObjectList_)
        return nullptr;
    for (int i = 0; i < xObjectList_->Count(); ++i) {
        auto* object = dynamic_cast<TPdfXObject*>(xObjectList_->Items(i));
        const TPdfName* objectName = object ? object->Attributes().LookupName("Name") : nullptr;
        if (objectName && objectName->Value() == name)
            return object;
    }
    return nullptr;
}

TPdfDictionary& TPdfDoc::AddAnotation(TPdfAnnotationSubType subtype, const TPdfBox& box)
{
    if (!hasDoc_)
        throw EPdfInvalidOperation("AddAnotation --document is null.");
    TPdfDictionary& page = canvas_->GetPage();
    TPdfDictionary& annotation = NewIndirectDictionary();
    annotation.Put("Type", std::make_unique<TPdfName>("Annot"));
    annotation.Put("Subtype", std::make_unique<TPdfName>(AnnotSubtypeNames[subtype]));
    auto rect = std::make_unique<TPdfArray>();
    for (float value : {box.X1, box.Y1, box.X2, box.Y2})
        rect->Add(std::make_unique<TPdfReal>(value));
    annotation.Put("Rect", std::move(rect));

    TPdfArray* annots = page.LookupArray("Annots");
    if (!annots) {
        auto created = std::make_unique<TPdfArray>();
        annots = created.get();
        page.Put("Annots", std::move(created));
    }
    annots->Add(annotation);
    return annotation;
}

TPdfDestination& TPdfDoc::CreateDestination() { return Adopt(std::make_unique<TPdfDestination>(this)); }

TPdfCanvas& TPdfDoc::OpenVirtualCanvas()
{
    NewDocument();
    AddPage();
    canvas_->IsVirtual = true;
    return *canvas_;
}
