#pragma once
// Byte sinks the writer serialises into. The base class counts the bytes that pass, so the
// file writer measures every object's offset instead of computing it.
#include "platform/DurableFile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

class TPdfOutputStream {
public:
    virtual ~TPdfOutputStream() = default;
    TPdfOutputStream(const TPdfOutputStream&) = delete;
    TPdfOutputStream& operator=(const TPdfOutputStream&) = delete;

    void Write(std::string_view bytes);
    // Starts the output again at position 0; anything written before is dropped.
    void Rewind();
    // Bytes written since construction or the last Rewind.
    std::int64_t Position() const { return position_; }

protected:
    TPdfOutputStream() = default;
    virtual void DoWrite(std::string_view bytes) = 0;
    virtual void DoRewind() = 0;

private:
    std::int64_t position_ = 0;
};

// Collects the output in memory.
class TPdfMemoryStream final : public TPdfOutputStream {
public:
    TPdfMemoryStream() = default;
    // Room for `bytes` in advance, so a large document is not copied as it grows.
    void Reserve(std::size_t bytes) { bytes_.reserve(bytes); }
    const std::string& Bytes() const { return bytes_; }
    // Hands the bytes over and leaves the stream empty.
    std::string TakeBytes() { return std::exchange(bytes_, {}); }

private:
    void DoWrite(std::string_view bytes) override { bytes_.append(bytes); }
    void DoRewind() override { bytes_.clear(); }
    std::string bytes_;
};

// Writes a file, created or emptied on construction. Every failure (create, write, close)
// raises EPdfError naming the file. The destructor closes the file without reporting (and
// without writing what is still buffered).
class TPdfFileStream final : public TPdfOutputStream {
public:
    explicit TPdfFileStream(std::filesystem::path path);
    // Flushes and closes; raises when the data could not be written completely.
    void Close();

private:
    void DoWrite(std::string_view bytes) override;
    void DoRewind() override;
    void Open();
    void WriteBuffer();
    [[noreturn]] void Fail(const char* what, std::error_code error) const;

    std::filesystem::path path_;
    quillora::platform::FileHandle file_;
    std::string buffer_; // collects small writes into large ones
};
