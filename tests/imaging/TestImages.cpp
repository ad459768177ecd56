#include "TestImages.h"

#include <QFile>
#include <stdexcept>

namespace quillora::imaging::test {

QImage colourImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int noise = (x * 7919 + y * 104729) % 37;
            image.setPixel(x, y,
                           qRgb((x * 255 / std::max(width - 1, 1) + noise) % 256,
                                (y * 255 / std::max(height - 1, 1)) % 256, ((x ^ y) * 3 + noise) % 256));
        }
    }
    return image;
}

QImage greyImage(int width, int height)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<uchar>((x * 3 + y * 5 + (x * y) % 17) % 256);
    }
    return image;
}

QImage bilevelImage(int width, int height)
{
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((x * x + y * 3) % 11 == 0 || x == y)
                image.setPixel(x, y, 1);
        }
    }
    return image;
}

QImage paletteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 16; ++i)
        table.append(qRgb(i * 16, 255 - i * 15, (i * 70) % 256));
    image.setColorTable(table);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<uchar>((x / 3 + y / 2) % 16);
    }
    return image;
}

QImage asRgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file " + path.toStdString());
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read test file " + path.toStdString());
    return file.readAll();
}

} // namespace quillora::imaging::test
