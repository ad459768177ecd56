#include "settings/ReadSetLogic.h"

#include "settings/FilingRules.h"
#include "settings/TRegistory.h"
#include "settings/ValueRules.h"

#include <algorithm>

namespace quillora::settings_ui {

ReadSetValues ReadSetValuesFrom(const TRegistory& settings)
{
    ReadSetValues values;
    values.ScannerDir = settings.ScannerDir;
    values.JpegType = settings.JpegType;
    values.TiffType = settings.TiffType;
    values.BitmapType = settings.BitmapType;
    values.PngType = settings.PngType;
    values.Sequence = std::clamp(settings.Sequence, 0, kIntakeOrders - 1);
    values.ImSize = std::clamp(settings.ImSize, 0, kThumbnailSizeSteps - 1);
    values.VolNo = settings.VolNo;
    values.ThumbStrech = settings.ThumbStrech;
    values.Target = settings.Target;
    return values;
}

std::string CheckReadSet(const ReadSetValues& values)
{
    if (std::string refusal = settings::UnstorableTextError(values.ScannerDir); !refusal.empty())
        return refusal;
    if (std::string refusal = settings::CheckScannerAndArchive(values.ScannerDir, values.Target);
        !refusal.empty())
        return refusal;
    if (!settings::ParseIntegerInRange(values.VolNo, 0, settings::kMaxSerialNumber))
        return kSerialNumberError;
    return {};
}

ReadSetOutcome ApplyReadSet(const ReadSetValues& values, TRegistory& settings)
{
    ReadSetOutcome outcome;
    outcome.ThumbnailsChanged =
        values.ImSize != settings.ImSize || values.ThumbStrech != settings.ThumbStrech;
    settings.ScannerDir = values.ScannerDir;
    settings.JpegType = values.JpegType;
    settings.TiffType = values.TiffType;
    settings.BitmapType = values.BitmapType;
    settings.PngType = values.PngType;
    settings.Sequence = values.Sequence;
    settings.ImSize = values.ImSize;
    settings.VolNo = values.VolNo;
    settings.ThumbStrech = values.ThumbStrech;
    return outcome;
}

} // namespace quillora::settings_ui
