#include "pdf/PROutlines.h"

#include <memory>

#include "pdf/PdfDoc.h"
#include "pdf/PdfExceptions.h"

TPROutlineEntry& TPROutlineEntry::AppendChild()
{
    TPdfOutlineEntry& child = target_.AppendChild();
    child.SetWrapper(std::make_unique<TPROutlineEntry>(child));
    return *child.Wrapper();
}

void TPROutlineEntry::SetDest(TPRDestination& destination)
{
    if (&target_.Doc() != &destination.Target().Doc())
        throw EPdfInvalidOperation("SetDest --internal docs are not equal.");
    target_.Dest = &destination.Target();
}

TPROutlineRoot& TPROutlineRoot::CreateForDocument(TPdfDoc& doc)
{
    TPdfOutlineRoot& root = doc.GetOutlineRoot();
    auto* wrapper = new TPROutlineRoot(root);
    root.SetWrapper(std::unique_ptr<TPROutlineEntry>(wrapper));
    return *wrapper;
}
