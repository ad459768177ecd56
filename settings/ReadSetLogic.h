#pragma once
// The values of the intake settings dialog, without any window: how they are taken from the
// settings record, checked when the clerk presses "設定", and copied back.
#include "settings/SettingsSchema.h"

#include <string>

class TRegistory;

namespace quillora::settings_ui {

inline constexpr const char* kSerialNumberError = settings::kSerialNumberSettingError;
inline constexpr int kThumbnailSizeSteps = 5; // "最小" to "最大"
inline constexpr int kIntakeOrders = 2;       // as listed, reversed

struct ReadSetValues {
    std::string ScannerDir;
    bool JpegType = true;
    bool TiffType = true;
    bool BitmapType = true;
    bool PngType = true;
    int Sequence = 0;
    int ImSize = 0;
    std::string VolNo;
    bool ThumbStrech = false;
    std::string Target; // not edited here; the scanner folder must not overlap it
};

// The dialog's starting values. Indexes stored out of range are brought to the nearest
// item, as a radio group cannot show them.
ReadSetValues ReadSetValuesFrom(const TRegistory& settings);

// The message to show, or an empty string when the values may be taken: the scanner folder
// must survive the store and lie apart from the archive base folder, and the default serial
// number must be an integer from 0 to 999.
std::string CheckReadSet(const ReadSetValues& values);

struct ReadSetOutcome {
    bool ThumbnailsChanged = false; // size or stretching differs: the page list must be redrawn
};

ReadSetOutcome ApplyReadSet(const ReadSetValues& values, TRegistory& settings);

} // namespace quillora::settings_ui
