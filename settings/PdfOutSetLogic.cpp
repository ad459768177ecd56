#include "settings/PdfOutSetLogic.h"

#include "settings/TRegistory.h"
#include "settings/ValueRules.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace quillora::settings_ui {
namespace {

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
    values.ScannerDir = settings.ScannerDir;
    return values;
}

std::string CheckPdfOutSet(const PdfOutValues& values, PageSize& pageSize,
                           const FolderProbe& isExistingFolder)
{
    if (std::string refusal = settings::UnstorableTextError(values.Target); !refusal.empty())
        return refusal;
    if (!isExistingFolder(values.Target))
        return settings::kBaseFolderError;
    if (std::string refusal = settings::CheckScannerAndArchive(values.ScannerDir, values.Target);
        !refusal.empty())
        return refusal;
    for (std::size_t level = 0; level < values.Levels.size(); ++level) {
        const int number = static_cast<int>(level) + 1;
        for (const std::string& text : {values.Levels[level].Front, values.Levels[level].Back})
            if (std::string refusal = settings::CheckLevelText(number, text); !refusal.empty())
                return refusal;
    }
    const auto height = ParseInt32(values.PageHeightText);
    if (!height)
        return settings::kPageHeightError;
    pageSize.Height = *height;
    const auto width = ParseInt32(values.PageWidthText);
    if (!width)
        return settings::kPageWidthError;
    pageSize.Width = *width;
    if (pageSize.Height < kMinimumPageEdge || pageSize.Width < kMinimumPageEdge)
        return settings::kPageTooSmallError;
    return settings::CheckInstitutionCode(values.HPCode);
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
