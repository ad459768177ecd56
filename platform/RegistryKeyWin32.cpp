// The registry store on Windows: HKEY_CURRENT_USER through the wide-character registry API.
#include "platform/RegistryKey.h"

#include "platform/Cp932.h"

#include <cstring>
#include <windows.h>

namespace quillora::platform {
namespace {

// Owns an open registry key.
class KeyHandle {
public:
    KeyHandle() = default;
    ~KeyHandle()
    {
        if (key_)
            RegCloseKey(key_);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

std::wstring Utf8ToWide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), n);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

// "\Software\Vendor\Product" -> "Software\Vendor\Product" (empty levels dropped).
std::wstring SubKey(std::string_view keyPath)
{
    std::string path;
    while (!keyPath.empty()) {
        const std::size_t sep = keyPath.find('\\');
        const std::string_view level = keyPath.substr(0, sep);
        if (!level.empty())
            path.append(path.empty() ? "" : "\\").append(level);
        keyPath.remove_prefix(sep == std::string_view::npos ? keyPath.size() : sep + 1);
    }
    return Utf8ToWide(path);
}

bool IsText(RegType type)
{
    return type == RegType::Sz || type == RegType::ExpandSz || type == RegType::MultiSz;
}

// Registry data -> the value as the program keeps it (text in code page 932).
RegValue FromRegistry(DWORD type, const std::vector<std::uint8_t>& data)
{
    RegValue value{static_cast<RegType>(type), data};
    if (IsText(value.type)) {
        std::wstring wide(data.size() / sizeof(wchar_t), L'\0');
        std::memcpy(wide.data(), data.data(), wide.size() * sizeof(wchar_t));
        const std::string cp932 = toCp932(WideToUtf8(wide));
        value.data.assign(cp932.begin(), cp932.end());
    }
    return value;
}

// The value as the program keeps it -> registry data (text in UTF-16).
std::vector<std::uint8_t> ToRegistry(const RegValue& value)
{
    if (!IsText(value.type))
        return value.data;
    const std::u16string wide =
        cp932ToUtf16(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(wide.data());
    return {bytes, bytes + wide.size() * sizeof(char16_t)};
}

std::vector<NamedRegValue> ReadValues(HKEY key)
{
    DWORD count = 0, maxName = 0, maxData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName,
                         &maxData, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    std::vector<NamedRegValue> values;
    std::wstring name(maxName + 1, L'\0');
    std::vector<std::uint8_t> data(maxData);
    for (DWORD i = 0; i < count; ++i) {
        DWORD nameLength = maxName + 1, type = 0, dataSize = maxData;
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize) !=
            ERROR_SUCCESS)
            continue;
        values.push_back({WideToUtf8(std::wstring_view(name.data(), nameLength)),
                          FromRegistry(type, {data.begin(), data.begin() + dataSize})});
    }
    return values;
}

} // namespace

std::filesystem::path RegistryKey::BackingFile(std::string_view) { return {}; }

// The registry has no file to move: the key is copied to a sibling key whose name carries
// `stamp` ("Product.20261210-093000", a number added when taken) and then removed. Returns the
// sibling's full name for the message, or nothing (and the key left in place).
std::optional<std::filesystem::path> RegistryKey::KeepAside(std::string_view keyPath, std::string_view stamp)
{
    const std::wstring path = SubKey(keyPath);
    KeyHandle source;
    if (path.empty() ||
        RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, source.out()) != ERROR_SUCCESS)
        return std::nullopt;
    for (int attempt = 1; attempt < 100; ++attempt) {
        const std::wstring aside =
            path + L"." + Utf8ToWide(stamp) + (attempt > 1 ? L"-" + std::to_wstring(attempt) : L"");
        KeyHandle target;
        DWORD disposition = 0;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, aside.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            target.out(), &disposition) != ERROR_SUCCESS)
            return std::nullopt;
        if (disposition != REG_CREATED_NEW_KEY)
            continue;
        if (RegCopyTreeW(source.get(), nullptr, target.get()) != ERROR_SUCCESS ||
            RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str()) != ERROR_SUCCESS) {
            RegDeleteTreeW(HKEY_CURRENT_USER, aside.c_str());
            return std::nullopt;
        }
        return std::filesystem::path(L"HKEY_CURRENT_USER\\" + aside);
    }
    return std::nullopt;
}

bool RegistryKey::Exists(std::string_view keyPath)
{
    const std::wstring path = SubKey(keyPath);
    KeyHandle key;
    return !path.empty() &&
           RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.out()) == ERROR_SUCCESS;
}

std::unique_ptr<RegistryKey> RegistryKey::Open(std::string_view keyPath, bool create)
{
    const std::wstring path = SubKey(keyPath);
    if (path.empty())
        return nullptr;
    KeyHandle key;
    const LONG rc = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                             KEY_READ | KEY_WRITE, nullptr, key.out(), nullptr)
                           : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.out());
    if (rc != ERROR_SUCCESS)
        return nullptr;
    return std::unique_ptr<RegistryKey>(new RegistryKey({}, WideToUtf8(path), ReadValues(key.get())));
}

bool RegistryKey::Flush()
{
    if (!dirty_)
        return true;
    const auto failed = [this](LONG rc) {
        flushError_ = std::error_code(static_cast<int>(rc), std::system_category());
        return rc != ERROR_SUCCESS;
    };
    KeyHandle key;
    if (failed(RegCreateKeyExW(HKEY_CURRENT_USER, Utf8ToWide(keyName_).c_str(), 0, nullptr, 0, KEY_WRITE,
                               nullptr, key.out(), nullptr)))
        return false;
    for (const auto& [name, value] : values_) {
        const auto data = ToRegistry(value);
        if (failed(RegSetValueExW(key.get(), Utf8ToWide(name).c_str(), 0, static_cast<DWORD>(value.type),
                                  data.data(), static_cast<DWORD>(data.size()))))
            return false;
    }
    if (failed(RegFlushKey(key.get())))
        return false;
    flushError_.clear();
    dirty_ = false;
    return true;
}

} // namespace quillora::platform
