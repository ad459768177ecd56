#include "pdf/PdfOutlines.h"

#include "pdf/PROutlines.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfExceptions.h"
#include "pdf/PdfXref.h"

const char* const DestTypeNames[8] = {"XYZ", "Fit", "FitH", "FitV", "FitR", "FitB", "FitBH", "FitBV"};

namespace {

TPdfDoc* RequireOpen(TPdfDoc* doc)
{
    if (!doc || !doc->HasDoc())
        throw EPdfInvalidOperation("TPdfDestination --cannot destination object.");
    return doc;
}

} // namespace

// ---- TPdfDestination

TPdfDestination::TPdfDestination(TPdfDoc* doc)
    : doc_(RequireOpen(doc)), page_(&doc->GetCanvas().GetPage()) { }

TPdfDestination::~TPdfDestination() = default;

void TPdfDestination::SetWrapper(std::unique_ptr<TPRDestination> wrapper) { wrapper_ = std::move(wrapper); }

void TPdfDestination::SetValue(int index, int value)
{
    int& stored = values_.at(index);
    if (value != stored)
        stored = value < 0 ? -1 : value;
}

void TPdfDestination::SetZoom(float value)
{
    if (value == zoom_)
        return;
    if (value < 0)
        throw EPdfInvalidValue("Zoom property cannot set to under 0.");
    if (value > 10)
        throw EPdfInvalidValue("Zoom property cannot set to over 10.");
    zoom_ = value;
}

int TPdfDestination::PageHeight() const
{
    const TPdfArray* box = page_->LookupArray("MediaBox");
    const auto* height = box && box->Count() > 3 ? dynamic_cast<const TPdfNumber*>(box->Items(3)) : nullptr;
    return height ? height->Value() : doc_->DefaultPageHeight;
}

std::unique_ptr<TPdfArray> TPdfDestination::BuildArray()
{
    auto array = std::make_unique<TPdfArray>(&doc_->Xref());
    array->Add(*page_);
    array->Add(std::make_unique<TPdfName>(DestTypeNames[Kind]));
    auto number = [&](TPdfDestinationValue index) {
        array->Add(std::make_unique<TPdfNumber>(values_[index]));
    };
    switch (Kind) {
    case dtXYZ:
        number(dvLeft);
        number(dvTop);
        if (zoom_ < 0)
            zoom_ = 0;
        array->Add(std::make_unique<TPdfReal>(zoom_));
        break;
    case dtFit:
    case dtFitB: break;
    case dtFitH:
    case dtFitBH: number(dvTop); break;
    case dtFitV:
    case dtFitBV: number(dvLeft); break;
    case dtFitR:
        number(dvLeft);
        number(dvBottom);
        number(dvRight);
        number(dvTop);
        break;
    }
    return array;
}

// ---- TPdfOutlineEntry

TPdfOutlineEntry::TPdfOutlineEntry(TPdfDoc& doc, TPdfOutlineEntry* parent) : parent_(parent), doc_(&doc)
{
    SetData(&doc.Xref().Add(std::make_unique<TPdfDictionary>(&doc.Xref())));
}

TPdfOutlineEntry::~TPdfOutlineEntry() = default;

void TPdfOutlineEntry::SetWrapper(std::unique_ptr<TPROutlineEntry> wrapper) { wrapper_ = std::move(wrapper); }

TPdfOutlineEntry& TPdfOutlineEntry::CreateEntry(TPdfOutlineEntry* parent)
{
    if (!parent)
        throw EPdfError("CreateEntry --invalid parent.");
    TPdfDoc& doc = parent->Doc();
    return doc.Adopt(std::unique_ptr<TPdfOutlineEntry>(new TPdfOutlineEntry(doc, parent)));
}

TPdfOutlineEntry& TPdfOutlineEntry::AppendChild()
{
    TPdfOutlineEntry& child = CreateEntry(this);
    for (TPdfOutlineEntry* entry = this; entry; entry = entry->parent_)
        ++entry->count_;
    if (!first_)
        first_ = &child;
    if (last_)
        last_->next_ = &child;
    child.prev_ = last_;
    last_ = &child;
    return child;
}

void TPdfOutlineEntry::PrepareForSave()
{
    // Siblings are handled in a loop, so a long list of entries does not nest calls.
    for (TPdfOutlineEntry* entry = this; entry; entry = entry->next_)
        entry->PutOwnKeys();
}

void TPdfOutlineEntry::PutOwnKeys()
{
    TPdfDictionary& data = *Data();
    data.Put("Count", std::make_unique<TPdfNumber>(Opened ? count_ : -count_));
    data.Put("Title", std::make_unique<TPdfText>(Title));
    if (Dest)
        data.Put("Dest", Dest->BuildArray());
    if (first_) {
        data.Put("First", *first_->Data());
        first_->PrepareForSave();
    }
    if (last_)
        data.Put("Last", *last_->Data());
    if (prev_)
        data.Put("Prev", *prev_->Data());
    if (next_)
        data.Put("Next", *next_->Data());
}

// ---- TPdfOutlineRoot

TPdfOutlineRoot::TPdfOutlineRoot(TPdfDoc& doc) : TPdfOutlineEntry(doc, nullptr)
{
    Opened = true;
    Data()->Put("Type", std::make_unique<TPdfName>("Outlines"));
}

TPdfOutlineRoot& TPdfOutlineRoot::CreateForDocument(TPdfDoc& doc)
{
    return doc.Adopt(std::unique_ptr<TPdfOutlineRoot>(new TPdfOutlineRoot(doc)));
}

void TPdfOutlineRoot::PrepareForSave()
{
    TPdfDictionary& data = *Data();
    data.Put("Count", std::make_unique<TPdfNumber>(Count()));
    if (First()) {
        data.Put("First", *First()->Data());
        First()->PrepareForSave();
    }
    if (Last())
        data.Put("Last", *Last()->Data());
}
