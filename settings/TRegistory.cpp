#include "settings/TRegistory.h"

#include "platform/Cp932.h"
#include "platform/LocalTime.h"
#include "platform/RegistryKey.h"
#include "platform/UserDirs.h"
#include "settings/SettingsSchema.h"

#include <algorithm>
#include <array>
#include <bit>
#include <ctime>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <variant>

namespace {

using quillora::platform::RegistryKey;
using quillora::platform::RegType;
using quillora::platform::RegValue;

constexpr std::string_view kKeyPath = "\\Software\\Travex\\QuilloraShare";

using quillora::settings::FieldRef;
using quillora::settings::SettingSpec;
using quillora::settings::SettingsSchema;

std::string DefaultScannerDir() { return (quillora::platform::HomeDir() / "Quillora" / "Scanner").string(); }
std::string DefaultTarget() { return (quillora::platform::HomeDir() / "Quillora" / "Charts").string(); }

std::optional<std::uint32_t> ReadDword(const RegistryKey& key, const char* name)
{
    const auto v = key.Read(name);
    if (!v || v->type != RegType::Dword || v->data.size() != 4)
        return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | v->data[static_cast<std::size_t>(i)];
    return value;
}

std::optional<double> ReadDouble(const RegistryKey& key, const char* name)
{
    const auto v = key.Read(name);
    if (!v || v->type != RegType::Binary || v->data.size() != 8)
        return std::nullopt;
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | v->data[static_cast<std::size_t>(i)];
    return std::bit_cast<double>(bits);
}

// A missing string reads as empty; a value of another type is a read error.
std::optional<std::string> ReadString(const RegistryKey& key, const char* name)
{
    const auto v = key.Read(name);
    if (!v)
        return std::string();
    if (v->type != RegType::Sz && v->type != RegType::ExpandSz)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const char*>(v->data.data());
    const std::size_t length = std::find(v->data.begin(), v->data.end(), 0) - v->data.begin();
    return quillora::platform::fromCp932(std::string_view(bytes, length));
}

// Reads one value into its field; false on a read error.
bool ReadField(const RegistryKey& key, const SettingSpec& stored, TRegistory& record)
{
    struct Reader {
        const RegistryKey& key;
        const char* name;
        TRegistory& record;
        bool operator()(bool TRegistory::*field) const
        {
            const auto v = ReadDword(key, name);
            if (!v)
                return false;
            record.*field = *v != 0;
            return true;
        }
        bool operator()(std::int32_t TRegistory::*field) const
        {
            const auto v = ReadDword(key, name);
            if (!v)
                return false;
            record.*field = static_cast<std::int32_t>(*v);
            return true;
        }
        bool operator()(double TRegistory::*field) const
        {
            const auto v = ReadDouble(key, name);
            if (!v)
                return false;
            record.*field = *v;
            return true;
        }
        bool operator()(std::string TRegistory::*field) const
        {
            auto v = ReadString(key, name);
            if (!v)
                return false;
            record.*field = std::move(*v);
            return true;
        }
    };
    return std::visit(Reader{key, stored.name, record}, stored.field);
}

void WriteField(RegistryKey& key, const SettingSpec& stored, const TRegistory& record)
{
    struct Writer {
        RegistryKey& key;
        const char* name;
        const TRegistory& record;
        void operator()(bool TRegistory::*field) const { key.WriteDword(name, record.*field ? 1 : 0); }
        void operator()(std::int32_t TRegistory::*field) const
        {
            key.WriteDword(name, static_cast<std::uint32_t>(record.*field));
        }
        void operator()(double TRegistory::*field) const
        {
            auto bits = std::bit_cast<std::uint64_t>(record.*field);
            std::array<std::uint8_t, 8> bytes{};
            for (auto& b : bytes) {
                b = static_cast<std::uint8_t>(bits);
                bits >>= 8;
            }
            key.WriteBinary(name, bytes);
        }
        void operator()(std::string TRegistory::*field) const
        {
            key.WriteString(name, quillora::platform::toCp932(record.*field));
        }
    };
    std::visit(Writer{key, stored.name, record}, stored.field);
}

std::string DefaultText(quillora::settings::HomeFolder folder)
{
    switch (folder) {
    case quillora::settings::HomeFolder::Scanner: return DefaultScannerDir();
    case quillora::settings::HomeFolder::Archive: return DefaultTarget();
    case quillora::settings::HomeFolder::Home: break;
    }
    return quillora::platform::HomeDir().string();
}

template <class Value>
void ApplyDefault(TRegistory& record, Value TRegistory::*member,
                  const quillora::settings::DefaultValue& value)
{
    if constexpr (std::is_same_v<Value, std::string>) {
        if (const auto* text = std::get_if<const char*>(&value))
            record.*member = *text;
        else
            record.*member = DefaultText(std::get<quillora::settings::HomeFolder>(value));
    } else {
        record.*member = std::get<Value>(value);
    }
}

// Local date and time as "20261210-093000", for the name of a file moved aside.
std::string TimeStamp()
{
    const std::tm local = quillora::platform::LocalTimeNow();
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// A first run gets working default folders; failure leaves them to the settings dialogs.
void CreateDefaultFolders()
{
    std::error_code ec;
    std::filesystem::create_directories(DefaultScannerDir(), ec);
    std::filesystem::create_directories(DefaultTarget(), ec);
}

} // namespace

TRegistory::TRegistory() { SetDefaults(); }

void TRegistory::SetDefaults()
{
    for (const auto& spec : SettingsSchema())
        std::visit([&](auto member) { ApplyDefault(*this, member, spec.defaultValue); }, spec.field);
}

StoreOutcome TRegistory::Load()
{
    keepStoredKey_ = false;
    if (!RegistryKey::Exists(kKeyPath)) {
        SetDefaults();
        CreateDefaultFolders();
        return {};
    }
    const auto key = RegistryKey::Open(kKeyPath, false);
    bool readAll = key != nullptr;
    for (const auto& stored : quillora::settings::SettingsSchema()) {
        if (!readAll || !ReadField(*key, stored, *this)) {
            readAll = false;
            break;
        }
    }
    if (!readAll)
        SetDefaults();
    if (readAll && key->ReadWhole())
        return {};
    return keepAside(readAll);
}

// Moves the stored key aside after a load that could not read it as a whole.
StoreOutcome TRegistory::keepAside(bool valuesKept)
{
    const auto aside = RegistryKey::KeepAside(kKeyPath, TimeStamp());
    if (!aside) {
        keepStoredKey_ = true;
        return {false, "設定ファイルを読み込めず、別名で残すこともできませんでした。"
                       "このファイルには書き込みません：" +
                           RegistryKey::BackingFile(kKeyPath).string()};
    }
    const std::string what = valuesKept ? "設定ファイルの一部を読み込めませんでした。読めた値を使います。"
                                        : "設定ファイルを読み込めませんでした。既定値を使います。";
    return {false, what + "元のファイルは次の名前で残しました：" + aside->string()};
}

StoreOutcome TRegistory::Save()
{
    if (keepStoredKey_)
        return {false, "読み込めなかった設定ファイルを上書きしないため、設定を保存しませんでした：" +
                           RegistryKey::BackingFile(kKeyPath).string()};
    const auto key = RegistryKey::Open(kKeyPath, true);
    if (!key)
        return {false, "設定を保存できません：" + RegistryKey::BackingFile(kKeyPath).string()};
    for (const auto& stored : SettingsSchema())
        WriteField(*key, stored, *this);
    if (!key->Flush())
        return {false, "設定を保存できません：" + RegistryKey::BackingFile(kKeyPath).string() + ": " +
                           key->FlushError().message()};
    return {};
}

std::string& TRegistory::Tag(int index)
{
    std::string* tags[] = {&Tag1, &Tag2, &Tag3, &Tag4, &Tag5, &Tag6, &Tag7, &Tag8, &Tag9, &Tag10};
    if (index < 1 || index > 10)
        throw std::out_of_range("TRegistory::Tag: index out of range");
    return *tags[index - 1];
}
