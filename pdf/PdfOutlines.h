#pragma once
// Destinations (a view of a page) and the outline (bookmark) tree. Their dictionary keys are
// written only when the document is saved, so counts and links are final.
#include <array>
#include <memory>
#include <string>

#include "pdf/PdfWrapper.h"

class TPdfArray;
class TPdfDoc;
class TPRDestination;
class TPROutlineEntry;

enum TPdfDestinationType { dtXYZ, dtFit, dtFitH, dtFitV, dtFitR, dtFitB, dtFitBH, dtFitBV };
extern const char* const DestTypeNames[8];

enum TPdfDestinationValue { dvLeft = 0, dvTop = 1, dvRight = 2, dvBottom = 3 };

// A view of the page that was current when the destination was created. Owned by the
// document's object list; owns its report-layer wrapper.
class TPdfDestination final : public TPdfDocumentObject {
public:
    // Fails with "TPdfDestination --cannot destination object." without an open document.
    explicit TPdfDestination(TPdfDoc* doc);
    ~TPdfDestination() override;

    TPdfDoc& Doc() const { return *doc_; }
    TPdfDictionary& Page() const { return *page_; }
    TPdfDestinationType Kind = dtXYZ;
    int Value(int index) const { return values_.at(index); }
    // Stores the value; any negative value is stored as -1.
    void SetValue(int index, int value);
    float Zoom() const { return zoom_; }
    // 0 to 10 inclusive.
    void SetZoom(float value);
    // Height of the page's MediaBox, or the document's default height.
    int PageHeight() const;
    // A fresh array [page /Kind values...] on every call.
    std::unique_ptr<TPdfArray> BuildArray();

    TPRDestination* Wrapper() const { return wrapper_.get(); }
    void SetWrapper(std::unique_ptr<TPRDestination> wrapper);

private:
    TPdfDoc* doc_;
    TPdfDictionary* page_;
    std::array<int, 4> values_{};
    float zoom_ = 1.0f;
    std::unique_ptr<TPRDestination> wrapper_;
};

// One outline entry. Owned by the document's object list; owns its report-layer wrapper.
class TPdfOutlineEntry : public TPdfDictionaryWrapper {
public:
    ~TPdfOutlineEntry() override;

    // Creates an entry under `parent` (numbered at once) in the parent's document.
    static TPdfOutlineEntry& CreateEntry(TPdfOutlineEntry* parent);
    // Appends a new last child; counts it in this entry and every ancestor.
    TPdfOutlineEntry& AppendChild();
    // Puts this entry's keys and those of its children and following siblings.
    virtual void PrepareForSave();

    TPdfOutlineEntry* Parent() const { return parent_; }
    TPdfOutlineEntry* Next() const { return next_; }
    TPdfOutlineEntry* Prev() const { return prev_; }
    TPdfOutlineEntry* First() const { return first_; }
    TPdfOutlineEntry* Last() const { return last_; }
    TPdfDoc& Doc() const { return *doc_; }
    int Count() const { return count_; }

    TPdfDestination* Dest = nullptr; // not owned
    std::string Title;               // code page 932 bytes
    bool Opened = false;

    TPROutlineEntry* Wrapper() const { return wrapper_.get(); }
    void SetWrapper(std::unique_ptr<TPROutlineEntry> wrapper);

protected:
    explicit TPdfOutlineEntry(TPdfDoc& doc, TPdfOutlineEntry* parent);

private:
    void PutOwnKeys();

    TPdfOutlineEntry* parent_;
    TPdfOutlineEntry* next_ = nullptr;
    TPdfOutlineEntry* prev_ = nullptr;
    TPdfOutlineEntry* first_ = nullptr;
    TPdfOutlineEntry* last_ = nullptr;
    TPdfDoc* doc_;
    int count_ = 0;
    std::unique_ptr<TPROutlineEntry> wrapper_;
};

class TPdfOutlineRoot final : public TPdfOutlineEntry {
public:
    // Creates the root of `doc` with its /Outlines dictionary, owned by the document.
    static TPdfOutlineRoot& CreateForDocument(TPdfDoc& doc);
    void PrepareForSave() override;

private:
    explicit TPdfOutlineRoot(TPdfDoc& doc);
};
