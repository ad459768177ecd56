#pragma once
// The values of the PDF output settings dialog, without any window: how they are taken from
// the settings record, checked when the clerk presses "設定", and copied back.
#include "settings/SettingsSchema.h"
#include "settings/ValueRules.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class TRegistory;

namespace quillora::settings_ui {

using settings::kDefaultPageHeight;
using settings::kDefaultPageWidth;
using settings::kInstitutionCodeError;
using settings::kLevelTextMaxBytes;
using settings::kMinimumPageEdge;
using settings::kQualityMax;
using settings::kQualityMin;

struct FolderLevelTexts {
    std::string Front;
    std::string Back;
};

struct PdfOutValues {
    std::string Target;                     // base folder as shown or typed
    std::array<FolderLevelTexts, 4> Levels; // level 1 (top) to 4
    bool FirstPage = false;
    bool FolderClear = true;
    std::string HPCode;
    bool WriteInhibit = true;
    bool WriteDate = true;
    bool Stretch = false;
    int Quality = 80;
    std::string PageHeightText; // "縦"
    std::string PageWidthText;  // "横"
    std::string ScannerDir;     // not edited here; the base folder must not overlap it
};

struct PageSize {
    std::int32_t Width = kDefaultPageWidth;
    std::int32_t Height = kDefaultPageHeight;
};

// The dialog's starting values; a stored quality outside 50 to 100 is brought to the nearest
// bound. The base folder is left as stored: the dialog decides what to show when it is gone.
PdfOutValues PdfOutValuesFrom(const TRegistory& settings);

using FolderProbe = std::function<bool(std::string_view utf8Path)>;

// Runs the checks of the "設定" button in their fixed order and returns the message of the
// first that fails, or an empty string: the base folder (stored unchanged, existing, apart
// from the scanner folder), the level texts, the page size, the institution code. The page size is parsed
// into `pageSize` as the checks reach it, so a later failure leaves the numbers already read there.
std::string CheckPdfOutSet(const PdfOutValues& values, PageSize& pageSize,
                           const FolderProbe& isExistingFolder);

// Copies the confirmed values and the parsed page size into the settings record.
void ApplyPdfOutSet(const PdfOutValues& values, const PageSize& pageSize, TRegistory& settings);

} // namespace quillora::settings_ui
