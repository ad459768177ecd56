#pragma once
// Helper objects that a document frees together with itself.
#include "pdf/PdfObjects.h"

// Base of every helper object a document owns in its object list (catalog and information
// wrappers, destinations, outline entries).
class TPdfDocumentObject {
public:
    TPdfDocumentObject() = default;
    virtual ~TPdfDocumentObject() = default;
    TPdfDocumentObject(const TPdfDocumentObject&) = delete;
    TPdfDocumentObject& operator=(const TPdfDocumentObject&) = delete;
};

// Gives a class access to one dictionary. The dictionary belongs to the object manager, not
// to the wrapper.
class TPdfDictionaryWrapper : public TPdfDocumentObject {
public:
    TPdfDictionary* Data() const { return data_; }
    virtual void SetData(TPdfDictionary* dictionary) { data_ = dictionary; }

private:
    TPdfDictionary* data_ = nullptr;
};
