#pragma once
// The file structure: header line, numbered objects, cross-reference table and trailer.
#include <cstdint>
#include <memory>
#include <vector>

#include "pdf/PdfObjects.h"

class TPdfOutputStream;

// One row of the cross-reference table; entry i is object number i.
struct TPdfXrefEntry {
    char EntryType = 'n';              // 'n' in use, 'f' for the free entry 0
    std::int64_t ByteOffset = -1;      // position of the "n 0 obj" line; -1 until written
    int GenerationNumber = 0;          // 65535 for entry 0
    std::unique_ptr<TPdfObject> Value; // the indirect object; none for entry 0
};

// The object manager of a document: numbers objects 1, 2, 3, ... in the order they are
// added, owns them and resolves references.
class TPdfXref final : public TPdfObjectMgr {
public:
    TPdfXref();

    // Fails with "AddObject --wrong object type." unless the object is direct; the refused
    // object is freed and the table is unchanged.
    TPdfObject& AddObject(std::unique_ptr<TPdfObject> object) override;
    TPdfObject* ObjectAt(int number) const override;

    const TPdfXrefEntry& EntryAt(int index) const { return entries_.at(index); }
    TPdfXrefEntry& EntryAt(int index) { return entries_.at(index); }
    int Count() const { return static_cast<int>(entries_.size()); }

    // Writes the cross-reference section in one piece.
    void WriteTo(TPdfOutputStream& stream) const;

private:
    std::vector<TPdfXrefEntry> entries_;
};

class TPdfHeader {
public:
    void WriteTo(TPdfOutputStream& stream) const;
};

class TPdfTrailer {
public:
    explicit TPdfTrailer(TPdfObjectMgr* objectMgr);
    TPdfDictionary& Attributes() { return *attributes_; }
    std::int64_t XrefPosition = 0;
    void WriteTo(TPdfOutputStream& stream);

private:
    std::unique_ptr<TPdfDictionary> attributes_;
};

// Writes a whole file from position 0: header, objects in number order (recording their
// offsets), cross-reference table, trailer.
void WriteFile(TPdfHeader& header, TPdfXref& xref, TPdfTrailer& trailer, TPdfOutputStream& stream);
