#pragma once
// One key of the current user's registry (HKEY_CURRENT_USER). Key paths use '\' between
// levels, as in "\Software\Vendor\Product".
//
// On Linux a key is a REGEDIT4 file (see RegEditFormat.h) named after the key:
// "\Software\Vendor\Product" is $XDG_CONFIG_HOME/Vendor/Product.reg. Values keep their registry
// types and their order, so the file can be imported into a Windows registry. Writes collect in
// memory and Flush replaces the whole file atomically: readers see the old values or all of the
// new ones. A file that cannot be parsed reads as a key without values.
//
// On Windows a key is the registry key itself (BackingFile is empty). Open reads all values into
// memory, with text converted from the registry's UTF-16 to code page 932; Flush writes every
// value back and flushes the key. The registry has no all-or-nothing write of several values,
// so a Flush that fails part-way can leave some of the new values stored.
#include "platform/RegistryValue.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quillora::platform {

class RegistryKey {
public:
    static bool Exists(std::string_view keyPath);

    // Opens the key; with `create`, makes it (and its parents) when missing. Returns null when
    // the key is missing (without `create`) or cannot be read or created.
    static std::unique_ptr<RegistryKey> Open(std::string_view keyPath, bool create);

    // The file that stands for a key (empty when the key path is not usable).
    static std::filesystem::path BackingFile(std::string_view keyPath);

    // Moves the stored key aside, beside where it was, under a name that carries `stamp` (for
    // example "20261210-093000"): "Product.reg" becomes "Product.20261210-093000.reg", with a
    // number added when that name is taken. Returns the new file, or nothing (and the key left
    // in place) when it cannot be moved.
    static std::optional<std::filesystem::path> KeepAside(std::string_view keyPath, std::string_view stamp);

    ~RegistryKey(); // flushes pending writes, ignoring failure; call Flush to learn of it
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    std::optional<RegValue> Read(std::string_view name) const;

    // False when the stored text had to skip something to be read (no header, a malformed line).
    bool ReadWhole() const { return readWhole_; }

    // Writes replace a value in its place, or append a new one after the others.
    void WriteDword(std::string_view name, std::uint32_t value);
    void WriteString(std::string_view name, std::string_view cp932Text); // stored with a zero byte
    void WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes);
    void Write(std::string_view name, RegValue value);

    // Makes every write so far durable; false (and the stored key unchanged) on failure, with
    // the reason in FlushError.
    bool Flush();
    const std::error_code& FlushError() const { return flushError_; }

private:
    RegistryKey(std::filesystem::path file, std::string keyName, std::vector<NamedRegValue> values);

    std::filesystem::path file_;
    std::string keyName_;
    std::vector<NamedRegValue> values_;
    bool dirty_ = false;
    bool readWhole_ = true;
    std::error_code flushError_;
};

} // namespace quillora::platform
