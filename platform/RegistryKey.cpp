#include "platform/RegistryKey.h"

#include "platform/RegEditFormat.h"

#ifndef _WIN32
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/UserDirs.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#endif

namespace quillora::platform {

// The REGEDIT4 file store; RegistryKeyWin32.cpp has the real registry in its place.
#ifndef _WIN32
namespace {

constexpr std::string_view kRoot = "HKEY_CURRENT_USER";

std::vector<std::string> KeyLevels(std::string_view keyPath)
{
    std::vector<std::string> levels;
    while (!keyPath.empty()) {
        const std::size_t sep = keyPath.find('\\');
        const std::string_view level = keyPath.substr(0, sep);
        if (!level.empty())
            levels.emplace_back(level);
        keyPath.remove_prefix(sep == std::string_view::npos ? keyPath.size() : sep + 1);
    }
    return levels;
}

bool UsableAsFileName(const std::string& level)
{
    return level != "." && level != ".." && level.find('/') == std::string::npos &&
           level.find('\0') == std::string::npos;
}

std::string KeyName(std::string_view keyPath)
{
    std::string name(kRoot);
    for (const auto& level : KeyLevels(keyPath))
        name.append("\\").append(level);
    return name;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return content;
}

std::string Serialize(const std::string& keyName, const std::vector<NamedRegValue>& values)
{
    return toCp932(formatRegEdit(keyName, values));
}

} // namespace

std::filesystem::path RegistryKey::BackingFile(std::string_view keyPath)
{
    auto levels = KeyLevels(keyPath);
    // "Software" is what the per-user configuration folder already stands for.
    if (!levels.empty() && equalsIgnoringAsciiCase(levels.front(), "Software"))
        levels.erase(levels.begin());
    if (levels.empty() || !std::all_of(levels.begin(), levels.end(), UsableAsFileName))
        return {};
    std::filesystem::path file = ConfigHome();
    for (const auto& level : levels)
        file /= level;
    file += ".reg";
    return file;
}

bool RegistryKey::Exists(std::string_view keyPath)
{
    const auto file = BackingFile(keyPath);
    std::error_code ec;
    return !file.empty() && std::filesystem::is_regular_file(file, ec);
}

std::unique_ptr<RegistryKey> RegistryKey::Open(std::string_view keyPath, bool create)
{
    const auto file = BackingFile(keyPath);
    if (file.empty())
        return nullptr;
    const std::string name = KeyName(keyPath);
    std::error_code ec;
    if (create && !std::filesystem::exists(std::filesystem::symlink_status(file, ec))) {
        std::filesystem::create_directories(file.parent_path(), ec);
        if (ec || ReplaceFileAtomically(file, Serialize(name, {})))
            return nullptr;
    }
    const auto content = ReadWholeFile(file);
    if (!content)
        return nullptr;
    bool whole = true;
    auto values = parseRegEdit(fromCp932(*content), name, &whole);
    std::unique_ptr<RegistryKey> key(new RegistryKey(file, name, std::move(values)));
    key->readWhole_ = whole;
    return key;
}

std::optional<std::filesystem::path> RegistryKey::KeepAside(std::string_view keyPath, std::string_view stamp)
{
    const auto file = BackingFile(keyPath);
    if (file.empty())
        return std::nullopt;
    const std::string stem = file.stem().string() + "." + std::string(stamp);
    for (int attempt = 1; attempt < 100; ++attempt) {
        std::string name = stem;
        if (attempt > 1)
            name.append("-").append(std::to_string(attempt));
        const auto aside = file.parent_path() / name.append(".reg");
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(aside, ec)))
            continue;
        // A hard link never replaces an existing name; the original then goes away.
        std::filesystem::create_hard_link(file, aside, ec);
        if (ec == std::errc::file_exists)
            continue;
        if (ec)
            std::filesystem::copy_file(file, aside, ec);
        if (ec)
            return std::nullopt;
        std::filesystem::remove(file, ec);
        if (ec) {
            std::filesystem::remove(aside, ec);
            return std::nullopt;
        }
        return aside;
    }
    return std::nullopt;
}

bool RegistryKey::Flush()
{
    if (!dirty_)
        return true;
    flushError_ = ReplaceFileAtomically(file_, Serialize(keyName_, values_));
    if (flushError_)
        return false;
    dirty_ = false;
    return true;
}
#endif // _WIN32

RegistryKey::RegistryKey(std::filesystem::path file, std::string keyName, std::vector<NamedRegValue> values)
    : file_(std::move(file)), keyName_(std::move(keyName)), values_(std::move(values))
{
}

RegistryKey::~RegistryKey()
{
    if (dirty_)
        Flush();
}

std::optional<RegValue> RegistryKey::Read(std::string_view name) const
{
    const auto it = findRegValue(values_, name);
    if (it == values_.end())
        return std::nullopt;
    return it->value;
}

void RegistryKey::Write(std::string_view name, RegValue value)
{
    const auto it = findRegValue(values_, name);
    if (it != values_.end())
        it->value = std::move(value);
    else
        values_.push_back({std::string(name), std::move(value)});
    dirty_ = true;
}

void RegistryKey::WriteDword(std::string_view name, std::uint32_t value)
{
    Write(name, makeDwordValue(value));
}

void RegistryKey::WriteString(std::string_view name, std::string_view cp932Text)
{
    Write(name, makeStringValue(RegType::Sz, cp932Text));
}

void RegistryKey::WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes)
{
    Write(name, RegValue{RegType::Binary, {bytes.begin(), bytes.end()}});
}

} // namespace quillora::platform
