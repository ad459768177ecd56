#include "settings/ui/PdfOutSetLogic.h"

#include "platform/Cp932.h"
#include "settings/TRegistory.h"
#include "settings/ValueRules.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace quillora::settings_ui {
namespace {

constexpr std::array<const char*, 4> kLevelSizeErrors = {
    "フォルダー１サイズエラー", "フォルダー２サイズエラー", "フォルダー３サイズエラー",
    "フォルダー４サイズエラー"};

bool FitsLevelLimit(const std::string& text)
{
    return platform::cp932Length(text) <= kLevelTextMaxBytes;
}

std::optional<std::int32_t> ParseInt32(const std::string& text)
{
    const auto value = settings::ParseIntegerInRange(text, std::numeric_limits<std::int32_t>::min(),
                                           std::numeric_limits<std::int32_t>::max());
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

} // namespace

PdfOutValues PdfOutValuesFrom(const TRegistory& settings)
{
    PdfOutValues values;
    values.Target = settings.Target;
    values.Levels = {FolderLevelTexts{settings.L1Front, settings.L1Back},
                     FolderLevelTexts{settings.L2Front, settings.L2Back},
                     FolderLevelTexts{settings.L3Front, settings.L3Back},
                     FolderLevelTexts{settings.L4Front, settings.L4Back}};
    values.FirstPage = settings.FirstPage;
    values.FolderClear = settings.FolderClear;
    values.HPCode = settings.HPCode;
    values.WriteInhibit = settings.WriteInhibit;
    values.WriteDate = settings.WriteDate;
    values.Stretch = settings.Stretch;
    values.Quality = std::clamp<int>(settings.Quality, kQualityMin, kQualityMax);
    values.PageHeightText = std::to_string(settings.PdfPageHeight);
    values.PageWidthText = std::to_string(settings.PdfPageWidth);
    return values;
}

std::string CheckPdfOutSet(const PdfOutValues& values, PageSize& pageSize,
                           const FolderProbe& isExistingFolder)
{
    if (!isExistingFolder(values.Target))
        return "ベースフォルダーエラー";
    for (std::size_t level = 0; level < values.Levels.size(); ++level) {
        const auto& texts = values.Levels[level];
        if (!FitsLevelLimit(texts.Front) || !FitsLevelLimit(texts.Back))
            return kLevelSizeErrors[level];
    }
    const auto height = ParseInt32(values.PageHeightText);
    if (!height)
        return "縦:数値エラー";
    pageSize.Height = *height;
    const auto width = ParseInt32(values.PageWidthText);
    if (!width)
        return "横:数値エラー";
    pageSize.Width = *width;
    if (pageSize.Height < kMinimumPageEdge || pageSize.Width < kMinimumPageEdge)
        return "縦か横のサイズが少ないエラー";
    if (!settings::IsSafeInstitutionCode(values.HPCode))
        return kInstitutionCodeError;
    return {};
}

void ApplyPdfOutSet(const PdfOutValues& values, const PageSize& pageSize, TRegistory& settings)
{
    settings.Target = values.Target;
    settings.L1Front = values.Levels[0].Front;
    settings.L1Back = values.Levels[0].Back;
    settings.L2Front = values.Levels[1].Front;
    settings.L2Back = values.Levels[1].Back;
    settings.L3Front = values.Levels[2].Front;
    settings.L3Back = values.Levels[2].Back;
    settings.L4Front = values.Levels[3].Front;
    settings.L4Back = values.Levels[3].Back;
    settings.FolderClear = values.FolderClear;
    settings.HPCode = values.HPCode;
    settings.WriteInhibit = values.WriteInhibit;
    settings.WriteDate = values.WriteDate;
    settings.PdfPageWidth = pageSize.Width;
    settings.PdfPageHeight = pageSize.Height;
    settings.Stretch = values.Stretch;
    settings.FirstPage = values.FirstPage;
    settings.Quality = std::clamp(values.Quality, kQualityMin, kQualityMax);
}

} // namespace quillora::settings_ui
