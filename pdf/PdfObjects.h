#pragma once
// The PDF object model: value classes, arrays, dictionaries and streams, and how each one
// writes itself.
//
// Ownership: a direct object belongs to exactly one container (array, dictionary element,
// stream). An indirect object belongs to the object manager (TPdfXref); every place that uses
// it holds its own TPdfVirtualObject carrying the same number. Containers therefore take
// direct objects as std::unique_ptr and indirect objects by reference.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/PdfBuffer.h"

class TPdfOutputStream;
class TPdfObjectMgr;

enum TPdfObjectKind { okDirect = 0, okIndirect = 1, okVirtual = 2 };

class TPdfObject {
public:
    TPdfObject() = default;
    virtual ~TPdfObject() = default;
    TPdfObject(const TPdfObject&) = delete;
    TPdfObject& operator=(const TPdfObject&) = delete;

    TPdfObjectKind Kind() const { return kind_; }
    int ObjectNumber() const { return objectNumber_; }
    int GenerationNumber() const { return generationNumber_; }

    // Used by the object manager: a positive number makes the object indirect.
    void AssignNumber(int number);

    // Writes a reference "n 0 R" for indirect and virtual objects, else the value.
    void WriteTo(TPdfOutputStream& stream);
    // Writes "n 0 obj" CR LF, the value, CR LF "endobj" CR LF. Requires an indirect object.
    void WriteIndirect(TPdfOutputStream& stream);
    // The object's own value (nothing in the root class).
    virtual void WriteValue(TPdfOutputStream& stream);

protected:
    TPdfObject(TPdfObjectKind kind, int number) : kind_(kind), objectNumber_(number) { }

private:
    TPdfObjectKind kind_ = okDirect;
    int objectNumber_ = -1;
    int generationNumber_ = 0;
};

// A reference to the indirect object with the given number. It can only be made with a
// number (the plain constructor does not exist).
class TPdfVirtualObject final : public TPdfObject {
public:
    explicit TPdfVirtualObject(int number) : TPdfObject(okVirtual, number) { }
};

class TPdfNull final : public TPdfObject {
public:
    void WriteValue(TPdfOutputStream& stream) override;
};

class TPdfBoolean final : public TPdfObject {
public:
    explicit TPdfBoolean(bool value) : value_(value) { }
    bool Value() const { return value_; }
    void SetValue(bool value) { value_ = value; }
    void WriteValue(TPdfOutputStream& stream) override;

private:
    bool value_;
};

class TPdfNumber final : public TPdfObject {
public:
    explicit TPdfNumber(std::int32_t value) : value_(value) { }
    std::int32_t Value() const { return value_; }
    void SetValue(std::int32_t value) { value_ = value; }
    void WriteValue(TPdfOutputStream& stream) override;

private:
    std::int32_t value_;
};

class TPdfReal final : public TPdfObject {
public:
    explicit TPdfReal(double value) : value_(value) { }
    double Value() const { return value_; }
    void SetValue(double value) { value_ = value; }
    void WriteValue(TPdfOutputStream& stream) override;

private:
    double value_;
};

// A text string; the value is code page 932 bytes. Written as a literal string, or as a
// UTF-16 hex string when it holds a double-byte character.
class TPdfText final : public TPdfObject {
public:
    explicit TPdfText(std::string value) : value_(std::move(value)) { }
    const std::string& Value() const { return value_; }
    void SetValue(std::string value) { value_ = std::move(value); }
    void WriteValue(TPdfOutputStream& stream) override;

private:
    std::string value_;
};

// A name; the value is the bytes without the leading slash.
class TPdfName final : public TPdfObject {
public:
    explicit TPdfName(std::string value) : value_(std::move(value)) { }
    const std::string& Value() const { return value_; }
    void SetValue(std::string value) { value_ = std::move(value); }
    void WriteValue(TPdfOutputStream& stream) override;

private:
    std::string value_;
};

// Raw bytes written as they are.
class TPdfBinary final : public TPdfObject {
public:
    TPdfBinary() = default;
    explicit TPdfBinary(std::string data) : data_(std::move(data)) { }
    std::string& Data() { return data_; }
    void WriteValue(TPdfOutputStream& stream) override;

private:
    std::string data_;
};

class TPdfArray final : public TPdfObject {
public:
    explicit TPdfArray(TPdfObjectMgr* objectMgr = nullptr) : objectMgr_(objectMgr) { }
    static std::unique_ptr<TPdfArray> CreateNumbers(TPdfObjectMgr* objectMgr, std::span<const int> values);

    // Takes over a direct object.
    void Add(std::unique_ptr<TPdfObject> object);
    // Appends a reference to an indirect object (every call adds one). A direct object that
    // is already an item changes nothing; any other direct object is refused, because the
    // array cannot take it over through a reference.
    void Add(TPdfObject& object);

    int Count() const { return static_cast<int>(items_.size()); }
    // The item, a reference resolved through the object manager (none without one).
    TPdfObject* Items(int index) const;
    // The item as stored (references unresolved).
    TPdfObject* RawItem(int index) const { return items_.at(index).get(); }
    TPdfObjectMgr* ObjectMgr() const { return objectMgr_; }

    TPdfName* FindName(std::string_view text) const;
    bool RemoveName(std::string_view text);

    void WriteValue(TPdfOutputStream& stream) override;

private:
    std::vector<std::unique_ptr<TPdfObject>> items_;
    TPdfObjectMgr* objectMgr_;
};

// One key/value pair of a dictionary. Internal elements are never written.
class TPdfDictionaryElement {
public:
    TPdfDictionaryElement(std::string key, std::unique_ptr<TPdfObject> value, bool isInternal = false);
    static std::unique_ptr<TPdfDictionaryElement> CreateInternal(std::string key,
                                                                 std::unique_ptr<TPdfObject> value);

    const TPdfName& Key() const { return *key_; }
    TPdfObject& Value() const { return *value_; }
    bool IsInternal() const { return isInternal_; }

private:
    std::unique_ptr<TPdfName> key_;
    std::unique_ptr<TPdfObject> value_;
    bool isInternal_;
};

class TPdfArray;
class TPdfDictionary final : public TPdfObject {
public:
    explicit TPdfDictionary(TPdfObjectMgr* objectMgr = nullptr) : objectMgr_(objectMgr) { }

    // Removes an element with the key, then appends the new one at the end, so putting an
    // existing key again moves it to the end. A direct value is taken over; an indirect one
    // is stored as a reference.
    void Put(std::string_view key, std::unique_ptr<TPdfObject> value);
    void Put(std::string_view key, TPdfObject& indirect);
    void PutInternal(std::string_view key, std::unique_ptr<TPdfObject> value);
    void Remove(std::string_view key);

    // The value under the key (internal elements included), references resolved through the
    // object manager; none when absent or unresolvable.
    TPdfObject* Lookup(std::string_view key) const;
    // Lookup narrowed to a class; none when the value is of another class.
    TPdfNumber* LookupNumber(std::string_view key) const;
    TPdfReal* LookupReal(std::string_view key) const;
    TPdfName* LookupName(std::string_view key) const;
    TPdfText* LookupText(std::string_view key) const;
    TPdfDictionary* LookupDictionary(std::string_view key) const;
    TPdfArray* LookupArray(std::string_view key) const;

    int Count() const { return static_cast<int>(elements_.size()); }
    const TPdfDictionaryElement& Elements(int index) const { return *elements_.at(index); }
    TPdfObjectMgr* ObjectMgr() const { return objectMgr_; }

    // The value of the dictionary's Type name, or "".
    static std::string TypeOf(const TPdfDictionary& dictionary);

    void WriteValue(TPdfOutputStream& stream) override;

private:
    void Append(std::unique_ptr<TPdfDictionaryElement> element);
    TPdfObject* Resolve(TPdfObject* object) const;

    std::vector<std::unique_ptr<TPdfDictionaryElement>> elements_;
    TPdfObjectMgr* objectMgr_;
};

// A dictionary plus data bytes. The writer never compresses: the data is written as it is.
class TPdfStream : public TPdfObject {
public:
    explicit TPdfStream(TPdfObjectMgr* objectMgr = nullptr);

    TPdfDictionary& Attributes() { return *attributes_; }
    const TPdfDictionary& Attributes() const { return *attributes_; }
    TPdfBuffer& Data() { return data_; }
    const TPdfBuffer& Data() const { return data_; }

    void WriteValue(TPdfOutputStream& stream) override;

private:
    std::unique_ptr<TPdfDictionary> attributes_;
    TPdfBuffer data_;
};

class TPdfXObject : public TPdfStream {
public:
    using TPdfStream::TPdfStream;
};

class TPdfImage final : public TPdfXObject {
public:
    using TPdfXObject::TPdfXObject;
};

// Numbers indirect objects, owns them and resolves references to them.
class TPdfObjectMgr {
public:
    virtual ~TPdfObjectMgr() = default;
    // Takes over a direct object and makes it indirect with the next number.
    virtual TPdfObject& AddObject(std::unique_ptr<TPdfObject> object) = 0;
    // The object with that number, or none.
    virtual TPdfObject* ObjectAt(int number) const = 0;

    template <class T> T& Add(std::unique_ptr<T> object)
    {
        return static_cast<T&>(AddObject(std::move(object)));
    }
};

// Writes the bytes of text, nothing added.
void WriteString(TPdfOutputStream& stream, std::string_view text);
