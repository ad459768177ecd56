#pragma once
// Generated page images for the composer tests.
#include "imaging/ImageFiles.h"

#include <QImage>
#include <QString>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace quillora::test {

// A colour image with a pattern, so that crops and scales are visible in the pixels.
inline QImage ColourPage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb((x * 7) & 0xFF, (y * 3) & 0xFF, ((x + y) / 8) & 0xFF);
    }
    return image;
}

inline QImage GreyPage(int width, int height)
{
    return ColourPage(width, height).convertToFormat(QImage::Format_Grayscale8);
}

inline QImage BilevelPage(int width, int height)
{
    return ColourPage(width, height).convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

struct ImageFolder {
    std::filesystem::path path;
    ImageFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qcompose-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~ImageFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string Write(const QImage& image, const std::string& name) const
    {
        const auto file = (path / name).string();
        imaging::writeImageFile(image, QString::fromStdString(file));
        return file;
    }
};

// The number of components in the frame header of a JPEG file (0 when there is none).
inline int JpegComponents(const std::vector<std::uint8_t>& jpeg)
{
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] >= 0xC0 && jpeg[i + 1] <= 0xC2)
            return jpeg[i + 9];
    return 0;
}

inline bool IsBaselineJpeg(const std::vector<std::uint8_t>& jpeg)
{
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2))
            return jpeg[i + 1] == 0xC0;
    return false;
}

} // namespace quillora::test
