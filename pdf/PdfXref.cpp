#include "pdf/PdfXref.h"

#include <cstdio>

#include "pdf/PdfExceptions.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfOutput.h"

TPdfXref::TPdfXref()
{
    TPdfXrefEntry free;
    free.EntryType = 'f';
    free.GenerationNumber = 65535;
    entries_.push_back(std::move(free));
}

TPdfObject& TPdfXref::AddObject(std::unique_ptr<TPdfObject> object)
{
    if (!object || object->Kind() != okDirect) {
        if (object && object->Kind() == okIndirect)
            object.release(); // it belongs to the manager that numbered it
        throw EPdfInvalidOperation("AddObject --wrong object type.");
    }
    TPdfXrefEntry entry;
    entry.GenerationNumber = object->GenerationNumber();
    entry.Value = std::move(object);
    entries_.push_back(std::move(entry));
    TPdfObject& added = *entries_.back().Value;
    added.AssignNumber(Count() - 1);
    return added;
}

TPdfObject* TPdfXref::ObjectAt(int number) const
{
    if (number < 0 || number >= Count())
        return nullptr;
    return entries_[number].Value.get();
}

void TPdfXref::WriteTo(TPdfOutputStream& stream) const
{
    std::string text = "xref\r\n0 " + FormatInt(Count()) + "\r\n";
    char line[64];
    for (const auto& entry : entries_) {
        const long long offset = entry.ByteOffset < 0 ? 0 : entry.ByteOffset;
        std::snprintf(line, sizeof line, "%010lld %05d %c\r\n", offset, entry.GenerationNumber,
                      entry.EntryType);
        text += line;
    }
    WriteString(stream, text);
}

void TPdfHeader::WriteTo(TPdfOutputStream& stream) const { WriteString(stream, "%PDF-1.2 \r\n"); }

TPdfTrailer::TPdfTrailer(TPdfObjectMgr* objectMgr) : attributes_(std::make_unique<TPdfDictionary>(objectMgr))
{
    attributes_->Put("Size", std::make_unique<TPdfNumber>(0));
}

void TPdfTrailer::WriteTo(TPdfOutputStream& stream)
{
    WriteString(stream, "trailer\r\n");
    attributes_->WriteValue(stream);
    WriteString(stream, "\r\nstartxref\r\n" + FormatInt(XrefPosition) + "\r\n%%EOF\r\n");
}

void WriteFile(TPdfHeader& header, TPdfXref& xref, TPdfTrailer& trailer, TPdfOutputStream& stream)
{
    stream.Rewind();
    header.WriteTo(stream);
    for (int number = 1; number < xref.Count(); ++number) {
        TPdfXrefEntry& entry = xref.EntryAt(number);
        const std::int64_t position = stream.Position();
        entry.Value->WriteIndirect(stream);
        entry.ByteOffset = position;
    }
    trailer.XrefPosition = stream.Position();
    xref.WriteTo(stream);
    if (TPdfNumber* size = trailer.Attributes().LookupNumber("Size"))
        size->SetValue(xref.Count());
    trailer.WriteTo(stream);
}
