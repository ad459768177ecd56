#include "settings/TRegistory.h"

#include "platform/Cp932.h"
#include "platform/RegistryKey.h"
#include "platform/UserDirs.h"

#include <algorithm>
#include <array>
#include <bit>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <variant>

namespace {

using quillora::platform::RegistryKey;
using quillora::platform::RegType;
using quillora::platform::RegValue;

constexpr std::string_view kKeyPath = "\\Software\\Travex\\QuilloraShare";

// One stored value: its name and the field it fills. The member type decides the registry type.
using FieldRef = std::variant<bool TRegistory::*, std::int32_t TRegistory::*, double TRegistory::*,
                              std::string TRegistory::*>;
struct StoredField {
    const char* name;
    FieldRef field;
};

// The order in which Load reads and Save writes.
const std::array<StoredField, 44> kStoredFields{{
    {"FolderClear", &TRegistory::FolderClear},
    {"L1Front", &TRegistory::L1Front},
    {"L1Back", &TRegistory::L1Back},
    {"L2Front", &TRegistory::L2Front},
    {"L2Back", &TRegistory::L2Back},
    {"L3Front", &TRegistory::L3Front},
    {"L3Back", &TRegistory::L3Back},
    {"L4Front", &TRegistory::L4Front},
    {"L4Back", &TRegistory::L4Back},
    {"HPCode", &TRegistory::HPCode},
    {"WriteInhibit", &TRegistory::WriteInhibit},
    {"WriteDate", &TRegistory::WriteDate},
    {"JpegType", &TRegistory::JpegType},
    {"TiffType", &TRegistory::TiffType},
    {"BitmapType", &TRegistory::BitmapType},
    {"PngType", &TRegistory::PngType},
    {"ScannerDir", &TRegistory::ScannerDir},
    {"Target", &TRegistory::Target},
    {"FileOpenDir", &TRegistory::FileOpenDir},
    {"PdfPageWidth", &TRegistory::PdfPageWidth},
    {"PdfPageHeight", &TRegistory::PdfPageHeight},
    {"Stretch", &TRegistory::Stretch},
    {"FirstPage", &TRegistory::FirstPage},
    {"Sequence", &TRegistory::Sequence},
    {"ImSize", &TRegistory::ImSize},
    {"PrintDensity", &TRegistory::PrintDensity},
    {"PanelDensity", &TRegistory::PanelDensity},
    {"PageWidth", &TRegistory::PageWidth},
    {"PageHeight", &TRegistory::PageHeight},
    {"Quality", &TRegistory::Quality},
    {"LogOutFolder", &TRegistory::LogOutFolder},
    {"VolNo", &TRegistory::VolNo},
    {"Tag1", &TRegistory::Tag1},
    {"Tag2", &TRegistory::Tag2},
    {"Tag3", &TRegistory::Tag3},
    {"Tag4", &TRegistory::Tag4},
    {"Tag5", &TRegistory::Tag5},
    {"Tag6", &TRegistory::Tag6},
    {"Tag7", &TRegistory::Tag7},
    {"Tag8", &TRegistory::Tag8},
    {"Tag9", &TRegistory::Tag9},
    {"Tag10", &TRegistory::Tag10},
    {"ShowImage", &TRegistory::ShowImage},
    {"ThumbStrech", &TRegistory::ThumbStrech},
}};

std::string defaultScannerDir() { return (quillora::platform::homeDir() / "Quillora" / "Scanner").string(); }
std::string defaultTarget() { return (quillora::platform::homeDir() / "Quillora" / "Charts").string(); }

std::optional<std::uint32_t> readDword(const RegistryKey& key, const char* name)
{
    const auto v = key.Read(name);
    if (!v || v->type != RegType::Dword || v->data.size() != 4)
        return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | v->data[static_cast<std::size_t>(i)];
    return value;
}

std::optional<double> readDouble(const RegistryKey& key, const char* name)
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
std::optional<std::string> readString(const RegistryKey& key, const char* name)
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
bool readField(const RegistryKey& key, const StoredField& stored, TRegistory& record)
{
    struct Reader {
        const RegistryKey& key;
        const char* name;
        TRegistory& record;
        bool operator()(bool TRegistory::*field) const
        {
            const auto v = readDword(key, name);
            if (!v)
                return false;
            record.*field = *v != 0;
            return true;
        }
        bool operator()(std::int32_t TRegistory::*field) const
        {
            const auto v = readDword(key, name);
            if (!v)
                return false;
            record.*field = static_cast<std::int32_t>(*v);
            return true;
        }
        bool operator()(double TRegistory::*field) const
        {
            const auto v = readDouble(key, name);
            if (!v)
                return false;
            record.*field = *v;
            return true;
        }
        bool operator()(std::string TRegistory::*field) const
        {
            auto v = readString(key, name);
            if (!v)
                return false;
            record.*field = std::move(*v);
            return true;
        }
    };
    return std::visit(Reader{key, stored.name, record}, stored.field);
}

void writeField(RegistryKey& key, const StoredField& stored, const TRegistory& record)
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

// A first run gets working default folders; failure leaves them to the settings dialogs.
void createDefaultFolders()
{
    std::error_code ec;
    std::filesystem::create_directories(defaultScannerDir(), ec);
    std::filesystem::create_directories(defaultTarget(), ec);
}

} // namespace

TRegistory::TRegistory() { SetDefaults(); }

void TRegistory::SetDefaults()
{
    const std::string home = quillora::platform::homeDir().string();
    FolderClear = true;
    L1Front = L1Back = L2Front = L2Back = L3Front = L3Back = L4Front = L4Back = "";
    HPCode = "";
    WriteInhibit = true;
    WriteDate = true;
    JpegType = TiffType = BitmapType = PngType = true;
    ScannerDir = defaultScannerDir();
    Target = defaultTarget();
    FileOpenDir = home;
    PdfPageWidth = 700;
    PdfPageHeight = 1000;
    Stretch = false;
    FirstPage = false;
    Quality = 80;
    Sequence = 0;
    ImSize = 0;
    PrintDensity = 600.0;
    PanelDensity = 76.2;
    PageWidth = 610;
    PageHeight = 891;
    VolNo = "0";
    Tag1 = "検査";
    Tag2 = "処方";
    Tag3 = "放射線";
    Tag4 = "処置";
    Tag5 = "手術";
    Tag6 = "注射";
    Tag7 = "外来";
    Tag8 = "入院";
    Tag9 = "";
    Tag10 = "";
    LogOutFolder = home;
    ShowImage = 5;
    ThumbStrech = false;
}

void TRegistory::Load()
{
    if (!RegistryKey::Exists(kKeyPath)) {
        SetDefaults();
        createDefaultFolders();
        return;
    }
    const auto key = RegistryKey::Open(kKeyPath, false);
    if (!key) {
        SetDefaults();
        return;
    }
    for (const auto& stored : kStoredFields) {
        if (!readField(*key, stored, *this)) {
            SetDefaults();
            return;
        }
    }
}

void TRegistory::Save()
{
    const auto key = RegistryKey::Open(kKeyPath, true);
    if (!key)
        return;
    for (const auto& stored : kStoredFields)
        writeField(*key, stored, *this);
    key->Flush();
}

std::string& TRegistory::Tag(int index)
{
    std::string* tags[] = {&Tag1, &Tag2, &Tag3, &Tag4, &Tag5, &Tag6, &Tag7, &Tag8, &Tag9, &Tag10};
    if (index < 1 || index > 10)
        throw std::out_of_range("TRegistory::Tag: index out of range");
    return *tags[index - 1];
}
