#include "imaging/TJPEGImage.h"

#include "imaging/JpegCodec.h"

#include <algorithm>

void TJPEGImage::SetQuality(int quality) { quality_ = std::clamp(quality, 1, 100); }

void TJPEGImage::Assign(const QImage& bitmap)
{
    bitmap_ = bitmap.convertToFormat(QImage::Format_RGB888);
    data_.clear();
}

void TJPEGImage::Compress() { data_ = quillora::imaging::encodeJpeg(bitmap_, quality_, true); }
