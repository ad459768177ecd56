#include "pdf/PdfObjects.h"

#include <algorithm>
#include <cstdio>

#include "pdf/PdfExceptions.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfOutput.h"
#include "platform/Cp932.h"

namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string HexByte(unsigned char byte)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    return {digits[byte >> 4], digits[byte & 0x0F]};
}

bool HasDoubleByteCharacter(std::string_view bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        return quillora::platform::isCp932LeadByte(static_cast<unsigned char>(c));
    });
}

std::string LiteralText(std::string_view bytes)
{
    static constexpr std::string_view escaped = "()\\\r\n\t\b\f";
    static constexpr std::string_view letters = "()\\rntbf";
    std::string out = "(";
    for (char c : bytes) {
        const auto index = escaped.find(c);
        if (index == std::string_view::npos) {
            out += c;
        } else {
            out += '\\';
            out += letters[index];
        }
    }
    out += ')';
    return out;
}

std::string HexUnit(char16_t unit)
{
    return HexByte(static_cast<unsigned char>(unit >> 8)) + HexByte(static_cast<unsigned char>(unit & 0xFF));
}

std::string HexText(std::string_view bytes)
{
    // Byte-order mark, then the language escape ESC "en" ESC, all in UTF-16BE.
    std::string out = "<FEFF001B" + HexByte('e') + HexByte('n') + "001B";
    for (char16_t unit : quillora::platform::cp932ToUtf16(bytes))
        out += HexUnit(unit);
    out += '>';
    return out;
}

bool NameByteNeedsEscape(unsigned char byte)
{
    static constexpr std::string_view delimiters = "#%()/<>[]{}";
    return byte < 0x21 || byte > 0x7E || delimiters.find(static_cast<char>(byte)) != std::string_view::npos;
}

} // namespace

void WriteString(TPdfOutputStream& stream, std::string_view text) { stream.Write(text); }

// ---- TPdfObject

void TPdfObject::AssignNumber(int number)
{
    objectNumber_ = number;
    kind_ = number > 0 ? okIndirect : okDirect;
}

void TPdfObject::WriteTo(TPdfOutputStream& stream)
{
    if (kind_ == okDirect)
        WriteValue(stream);
    else
        WriteString(stream, FormatInt(objectNumber_) + ' ' + FormatInt(generationNumber_) + " R");
}

void TPdfObject::WriteIndirect(TPdfOutputStream& stream)
{
    if (kind_ != okIndirect)
        throw EPdfInvalidOperation("internal error wrong object type");
    WriteString(stream, FormatInt(objectNumber_) + ' ' + FormatInt(generationNumber_) + " obj\r\n");
    WriteValue(stream);
    WriteString(stream, "\r\nendobj\r\n");
}

void TPdfObject::WriteValue(TPdfOutputStream&) { }

// ---- value classes

void TPdfNull::WriteValue(TPdfOutputStream& stream) { WriteString(stream, "null"); }

void TPdfBoolean::WriteValue(TPdfOutputStream& stream) { WriteString(stream, value_ ? "true" : "false"); }

void TPdfNumber::WriteValue(TPdfOutputStream& stream) { WriteString(stream, FormatInt(value_)); }

void TPdfReal::WriteValue(TPdfOutputStream& stream) { WriteString(stream, FormatReal(value_)); }

void TPdfText::WriteValue(TPdfOutputStream& stream)
{
    WriteString(stream, HasDoubleByteCharacter(value_) ? HexText(value_) : LiteralText(value_));
}

void TPdfName::WriteValue(TPdfOutputStream& stream)
{
    std::string out = "/";
    for (char c : value_) {
        const auto byte = static_cast<unsigned char>(c);
        if (NameByteNeedsEscape(byte))
            out += '#' + HexByte(byte);
        else
            out += c;
    }
    WriteString(stream, out);
}

void TPdfBinary::WriteValue(TPdfOutputStream& stream) { WriteString(stream, data_); }

// ---- TPdfArray

std::unique_ptr<TPdfArray> TPdfArray::CreateNumbers(TPdfObjectMgr* objectMgr, std::span<const int> values)
{
    auto array = std::make_unique<TPdfArray>(objectMgr);
    for (int value : values)
        array->Add(std::make_unique<TPdfNumber>(value));
    return array;
}

void TPdfArray::Add(std::unique_ptr<TPdfObject> object)
{
    if (!object)
        throw EPdfInvalidValue("internal error. wrong object.");
    if (object->Kind() == okIndirect) {
        // An indirect object already belongs to its manager: store a reference instead.
        Add(*object.release());
        return;
    }
    items_.push_back(std::move(object));
}

void TPdfArray::Add(TPdfObject& object)
{
    const bool present =
        std::any_of(items_.begin(), items_.end(), [&](const auto& item) { return item.get() == &object; });
    if (present)
        return;
    if (object.Kind() == okDirect)
        throw EPdfInvalidOperation("Add --direct object must be handed over.");
    items_.push_back(std::make_unique<TPdfVirtualObject>(object.ObjectNumber()));
}

TPdfObject* TPdfArray::Items(int index) const
{
    TPdfObject* item = items_.at(index).get();
    if (item->Kind() != okVirtual)
        return item;
    return objectMgr_ ? objectMgr_->ObjectAt(item->ObjectNumber()) : nullptr;
}

TPdfName* TPdfArray::FindName(std::string_view text) const
{
    for (const auto& item : items_) {
        auto* name = dynamic_cast<TPdfName*>(item.get());
        if (name && name->Value() == text)
            return name;
    }
    return nullptr;
}

bool TPdfArray::RemoveName(std::string_view text)
{
    TPdfName* name = FindName(text);
    if (!name)
        return false;
    items_.erase(
        std::find_if(items_.begin(), items_.end(), [&](const auto& item) { return item.get() == name; }));
    return true;
}

void TPdfArray::WriteValue(TPdfOutputStream& stream)
{
    WriteString(stream, "[");
    for (const auto& item : items_) {
        item->WriteTo(stream);
        WriteString(stream, " ");
    }
    WriteString(stream, "]");
}

// ---- TPdfDictionaryElement

TPdfDictionaryElement::TPdfDictionaryElement(std::string key, std::unique_ptr<TPdfObject> value,
                                             bool isInternal)
    : key_(std::make_unique<TPdfName>(std::move(key))), value_(std::move(value)), isInternal_(isInternal)
{
    if (!value_)
        throw EPdfInvalidValue("internal error. wrong object.");
}

std::unique_ptr<TPdfDictionaryElement> TPdfDictionaryElement::CreateInternal(
    std::string key, std::unique_ptr<TPdfObject> value)
{
    return std::make_unique<TPdfDictionaryElement>(std::move(key), std::move(value), true);
}

// ---- TPdfDictionary

namespace {

std::unique_ptr<TPdfObject> StoredForm(std::unique_ptr<TPdfObject> value)
{
    if (value && value->Kind() == okIndirect) {
        // An indirect object stays with its manager; the dictionary keeps a reference.
        const int number = value.release()->ObjectNumber();
        return std::make_unique<TPdfVirtualObject>(number);
    }
    return value;
}

} // namespace

void TPdfDictionary::Append(std::unique_ptr<TPdfDictionaryElement> element)
{
    Remove(element->Key().Value());
    elements_.push_back(std::move(element));
}

void TPdfDictionary::Put(std::string_view key, std::unique_ptr<TPdfObject> value)
{
    Append(std::make_unique<TPdfDictionaryElement>(std::string(key), StoredForm(std::move(value))));
}

void TPdfDictionary::Put(std::string_view key, TPdfObject& indirect)
{
    if (indirect.Kind() == okDirect)
        throw EPdfInvalidOperation("Put --direct object must be handed over.");
    Append(std::make_unique<TPdfDictionaryElement>(
        std::string(key), std::make_unique<TPdfVirtualObject>(indirect.ObjectNumber())));
}

void TPdfDictionary::PutInternal(std::string_view key, std::unique_ptr<TPdfObject> value)
{
    Append(TPdfDictionaryElement::CreateInternal(std::string(key), StoredForm(std::move(value))));
}

void TPdfDictionary::Remove(std::string_view key)
{
    auto it = std::find_if(elements_.begin(), elements_.end(),
                           [&](const auto& element) { return element->Key().Value() == key; });
    if (it != elements_.end())
        elements_.erase(it);
}

TPdfObject* TPdfDictionary::Resolve(TPdfObject* object) const
{
    if (object->Kind() != okVirtual)
        return object;
    return objectMgr_ ? objectMgr_->ObjectAt(object->ObjectNumber()) : nullptr;
}

TPdfObject* TPdfDictionary::Lookup(std::string_view key) const
{
    for (const auto& element : elements_)
        if (element->Key().Value() == key)
            return Resolve(&element->Value());
    return nullptr;
}

TPdfNumber* TPdfDictionary::LookupNumber(std::string_view key) const
{
    return dynamic_cast<TPdfNumber*>(Lookup(key));
}
TPdfReal* TPdfDictionary::LookupReal(std::string_view key) const
{
    return dynamic_cast<TPdfReal*>(Lookup(key));
}
TPdfName* TPdfDictionary::LookupName(std::string_view key) const
{
    return dynamic_cast<TPdfName*>(Lookup(key));
}
TPdfText* TPdfDictionary::LookupText(std::string_view key) const
{
    return dynamic_cast<TPdfText*>(Lookup(key));
}
TPdfDictionary* TPdfDictionary::LookupDictionary(std::string_view key) const
{
    return dynamic_cast<TPdfDictionary*>(Lookup(key));
}
TPdfArray* TPdfDictionary::LookupArray(std::string_view key) const
{
    return dynamic_cast<TPdfArray*>(Lookup(key));
}

std::string TPdfDictionary::TypeOf(const TPdfDictionary& dictionary)
{
    const TPdfName* type = dictionary.LookupName("Type");
    return type ? type->Value() : std::string();
}

void TPdfDictionary::WriteValue(TPdfOutputStream& stream)
{
    WriteString(stream, "<<\r\n");
    for (const auto& element : elements_) {
        if (element->IsInternal())
            continue;
        TPdfName key(element->Key().Value());
        key.WriteTo(stream);
        WriteString(stream, " ");
        element->Value().WriteTo(stream);
        WriteString(stream, kCrLf);
    }
    WriteString(stream, ">>");
}

// ---- TPdfStream

TPdfStream::TPdfStream(TPdfObjectMgr* objectMgr) : attributes_(std::make_unique<TPdfDictionary>(objectMgr))
{
    attributes_->Put("Length", std::make_unique<TPdfNumber>(0));
    attributes_->Put("Filter", std::make_unique<TPdfArray>());
}

void TPdfStream::WriteValue(TPdfOutputStream& stream)
{
    if (TPdfArray* filter = attributes_->LookupArray("Filter"))
        filter->RemoveName("FlateDecode");
    const std::string_view data = data_.View();
    // The data is written straight from the buffer: no scratch copy of large images.
    if (TPdfNumber* length = attributes_->LookupNumber("Length"))
        length->SetValue(static_cast<std::int32_t>(data.size()));
    attributes_->WriteValue(stream);
    WriteString(stream, "\r\nstream\r\n");
    WriteString(stream, data);
    WriteString(stream, "\nendstream");
}
