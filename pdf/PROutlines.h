#pragma once
// Report-layer handles of destinations and outline entries. Each wraps one PDF object, which
// owns it: a handle is valid until its document is finished or discarded.
#include <string>

#include "pdf/PdfOutlines.h"

class TPRDestination {
public:
    explicit TPRDestination(TPdfDestination& target) : target_(target) { }
    TPdfDestination& Target() const { return target_; }

    void SetKind(TPdfDestinationType kind) { target_.Kind = kind; }
    void SetLeft(int value) { target_.SetValue(dvLeft, value); }
    void SetRight(int value) { target_.SetValue(dvRight, value); }
    // Top and bottom are measured downwards from the top of the page, as in the report layout.
    void SetTop(int value) { target_.SetValue(dvTop, target_.PageHeight() - value); }
    void SetBottom(int value) { target_.SetValue(dvBottom, target_.PageHeight() - value); }
    void SetZoom(float value) { target_.SetZoom(value); }

private:
    TPdfDestination& target_;
};

class TPROutlineEntry {
public:
    explicit TPROutlineEntry(TPdfOutlineEntry& target) : target_(target) { }
    virtual ~TPROutlineEntry() = default;
    TPdfOutlineEntry& Target() const { return target_; }

    // A new last child entry; its handle is owned by the new entry.
    TPROutlineEntry& AppendChild();
    // Title as code page 932 bytes.
    void SetTitle(std::string title) { target_.Title = std::move(title); }
    void SetOpened(bool opened) { target_.Opened = opened; }
    // Fails with "SetDest --internal docs are not equal." for a destination of another document.
    void SetDest(TPRDestination& destination);

private:
    TPdfOutlineEntry& target_;
};

class TPROutlineRoot final : public TPROutlineEntry {
public:
    // The handle of the document's outline root (the document must use outlines).
    static TPROutlineRoot& CreateForDocument(TPdfDoc& doc);

private:
    using TPROutlineEntry::TPROutlineEntry;
};
