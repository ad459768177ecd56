#pragma once
// The page JPEG encoder of the chart composer: a bitmap in, baseline three-component JPEG bytes out.
// Compression is libjpeg's jpeg_set_defaults + jpeg_set_quality(quality, TRUE) over 24-bit RGB rows
// top to bottom, so greyscale and bilevel bitmaps also become colour (three-component) JPEGs. The
// bytes equal those of `cjpeg -quality Q` on the same pixels.
#include <QImage>
#include <cstdint>
#include <vector>

class TJPEGImage {
public:
    // 1..100; values outside are clamped. The default is libjpeg's 75.
    void SetQuality(int quality);
    int Quality() const { return quality_; }

    // Copies the bitmap, converted to 24-bit RGB. Drops any earlier compressed data.
    void Assign(const QImage& bitmap);

    // Compresses the assigned bitmap. Throws quillora::imaging::ImageError (Kind::Encode) when no
    // bitmap or an empty one was assigned.
    void Compress();

    // The compressed JPEG file (empty before Compress), and the size of the assigned bitmap.
    const std::vector<std::uint8_t>& Data() const { return data_; }
    int Width() const { return bitmap_.width(); }
    int Height() const { return bitmap_.height(); }

private:
    int quality_ = 75;
    QImage bitmap_;
    std::vector<std::uint8_t> data_;
};
