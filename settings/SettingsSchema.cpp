#include "settings/SettingsSchema.h"

#include "platform/Cp932.h"
#include "platform/NativePath.h"
#include "settings/ExistingFolder.h"
#include "settings/FilingRules.h"
#include "settings/TRegistory.h"
#include "settings/ValueRules.h"

#include <algorithm>
#include <filesystem>
#include <limits>

namespace quillora::settings {
namespace {

namespace fs = std::filesystem;

const char* const kLevelDigits[] = {"１", "２", "３", "４"};

using quillora::settings_ui::IsExistingFolder;

std::string IntegerIn(std::string_view text, std::int64_t low, std::int64_t high, const char* message)
{
    return ParseIntegerInRange(text, low, high) ? std::string() : std::string(message);
}

std::string PageEdge(std::string_view text, const char* notNumber)
{
    const auto value = ParseIntegerInRange(text, std::numeric_limits<std::int32_t>::min(),
                                           std::numeric_limits<std::int32_t>::max());
    if (!value)
        return notNumber;
    return *value >= kMinimumPageEdge ? std::string() : std::string(kPageTooSmallError);
}

template <int Level> std::string LevelRule(std::string_view text, const TRegistory&)
{
    return CheckLevelText(Level, text);
}

std::string TargetRule(std::string_view text, const TRegistory& current)
{
    if (!IsExistingFolder(text))
        return kBaseFolderError;
    return CheckScannerAndArchive(current.ScannerDir, text);
}

std::string ScannerDirRule(std::string_view text, const TRegistory& current)
{
    if (!IsExistingFolder(text))
        return kScannerFolderError;
    return CheckScannerAndArchive(text, current.Target);
}

std::string HPCodeRule(std::string_view text, const TRegistory&) { return CheckInstitutionCode(text); }

std::string PageWidthRule(std::string_view text, const TRegistory&)
{
    return PageEdge(text, kPageWidthError);
}
std::string PageHeightRule(std::string_view text, const TRegistory&)
{
    return PageEdge(text, kPageHeightError);
}

std::string SequenceRule(std::string_view text, const TRegistory&)
{
    return IntegerIn(text, 0, 1, "Sequence must be 0 or 1");
}

std::string ImSizeRule(std::string_view text, const TRegistory&)
{
    return IntegerIn(text, 0, 4, "ImSize must be 0 to 4");
}

std::string QualityRule(std::string_view text, const TRegistory&)
{
    return IntegerIn(text, kQualityMin, kQualityMax, "Quality must be 50 to 100");
}

std::string VolNoRule(std::string_view text, const TRegistory&)
{
    return IntegerIn(text, 0, kMaxSerialNumber, kSerialNumberSettingError);
}

using T = TRegistory;
using H = HomeFolder;

const std::array<SettingSpec, kSettingCount> kSchema{{
    {"FolderClear", &T::FolderClear, true, nullptr},
    {"L1Front", &T::L1Front, "", LevelRule<1>},
    {"L1Back", &T::L1Back, "", LevelRule<1>},
    {"L2Front", &T::L2Front, "", LevelRule<2>},
    {"L2Back", &T::L2Back, "", LevelRule<2>},
    {"L3Front", &T::L3Front, "", LevelRule<3>},
    {"L3Back", &T::L3Back, "", LevelRule<3>},
    {"L4Front", &T::L4Front, "", LevelRule<4>},
    {"L4Back", &T::L4Back, "", LevelRule<4>},
    {"HPCode", &T::HPCode, "", HPCodeRule},
    {"WriteInhibit", &T::WriteInhibit, true, nullptr},
    {"WriteDate", &T::WriteDate, true, nullptr},
    {"JpegType", &T::JpegType, true, nullptr},
    {"TiffType", &T::TiffType, true, nullptr},
    {"BitmapType", &T::BitmapType, true, nullptr},
    {"PngType", &T::PngType, true, nullptr},
    {"ScannerDir", &T::ScannerDir, H::Scanner, ScannerDirRule},
    {"Target", &T::Target, H::Archive, TargetRule},
    {"FileOpenDir", &T::FileOpenDir, H::Home, nullptr},
    {"PdfPageWidth", &T::PdfPageWidth, kDefaultPageWidth, PageWidthRule},
    {"PdfPageHeight", &T::PdfPageHeight, kDefaultPageHeight, PageHeightRule},
    {"Stretch", &T::Stretch, false, nullptr},
    {"FirstPage", &T::FirstPage, false, nullptr},
    {"Sequence", &T::Sequence, 0, SequenceRule},
    {"ImSize", &T::ImSize, 0, ImSizeRule},
    {"PrintDensity", &T::PrintDensity, 600.0, nullptr},
    {"PanelDensity", &T::PanelDensity, 76.2, nullptr},
    {"PageWidth", &T::PageWidth, 610, nullptr},
    {"PageHeight", &T::PageHeight, 891, nullptr},
    {"Quality", &T::Quality, 80, QualityRule},
    {"LogOutFolder", &T::LogOutFolder, H::Home, nullptr},
    {"VolNo", &T::VolNo, "0", VolNoRule},
    {"Tag1", &T::Tag1, "検査", nullptr},
    {"Tag2", &T::Tag2, "処方", nullptr},
    {"Tag3", &T::Tag3, "放射線", nullptr},
    {"Tag4", &T::Tag4, "処置", nullptr},
    {"Tag5", &T::Tag5, "手術", nullptr},
    {"Tag6", &T::Tag6, "注射", nullptr},
    {"Tag7", &T::Tag7, "外来", nullptr},
    {"Tag8", &T::Tag8, "入院", nullptr},
    {"Tag9", &T::Tag9, "", nullptr},
    {"Tag10", &T::Tag10, "", nullptr},
    {"ShowImage", &T::ShowImage, 5, nullptr},
    {"ThumbStrech", &T::ThumbStrech, false, nullptr},
}};

// Whether a level text has a "." or ".." path component of its own, or a colon (a drive).
// Joined to the level's digits such a component would be harmless ("..00"), but refusing it
// whatever its side keeps the rule simple to state; the path builder checks the exact result.
bool LeavesTheArchive(std::string_view text)
{
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of("\\/", start), text.size());
        const std::string_view component = text.substr(start, end - start);
        if (component == "." || component == "..")
            return true;
        start = end + 1;
    }
    return text.find(':') != std::string_view::npos;
}

} // namespace

const std::array<SettingSpec, kSettingCount>& SettingsSchema() { return kSchema; }

const SettingSpec* FindSetting(std::string_view name)
{
    const auto it = std::find_if(kSchema.begin(), kSchema.end(),
                                 [&](const SettingSpec& spec) { return name == spec.name; });
    return it == kSchema.end() ? nullptr : &*it;
}

std::string UnstorableTextError(std::string_view text)
{
    const std::string lost = platform::cp932LostCharacters(text);
    return lost.empty() ? std::string() : "保存できない文字があります：" + lost;
}

std::string LossyTextWarning(std::string_view text)
{
    const std::string lost = platform::cp932LostCharacters(text);
    return lost.empty() ? std::string() : "チャートでは「?」になる文字があります：" + lost;
}

std::string CheckSetting(const SettingSpec& spec, std::string_view text, const TRegistory& current)
{
    if (std::holds_alternative<std::string TRegistory::*>(spec.field))
        if (std::string refusal = UnstorableTextError(text); !refusal.empty())
            return refusal;
    return spec.rule ? spec.rule(text, current) : std::string();
}

std::string CheckLevelText(int level, std::string_view text)
{
    const std::string digit = kLevelDigits[std::clamp(level, 1, 4) - 1];
    if (std::string refusal = UnstorableTextError(text); !refusal.empty())
        return refusal;
    if (platform::cp932Length(text) > kLevelTextMaxBytes)
        return "フォルダー" + digit + "サイズエラー";
    if (LeavesTheArchive(text))
        return "フォルダー" + digit + "文字エラー：「.」「..」だけのフォルダー名と「:」は使えません";
    return {};
}

std::string CheckInstitutionCode(std::string_view code)
{
    if (std::string refusal = UnstorableTextError(code); !refusal.empty())
        return refusal;
    return IsSafeInstitutionCode(code) ? std::string() : std::string(kInstitutionCodeError);
}

bool FoldersOverlap(std::string_view utf8A, std::string_view utf8B)
{
    if (utf8A.empty() || utf8B.empty())
        return false;
    const fs::path a = platform::ResolvedFolder(platform::PathFromUtf8(utf8A));
    const fs::path b = platform::ResolvedFolder(platform::PathFromUtf8(utf8B));
    return platform::IsSameOrBelow(a, b) || platform::IsSameOrBelow(b, a);
}

std::string CheckScannerAndArchive(std::string_view scannerDir, std::string_view target)
{
    return FoldersOverlap(scannerDir, target) ? std::string(kFoldersOverlapError) : std::string();
}

} // namespace quillora::settings
