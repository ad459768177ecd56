#include "imaging/Scaling.h"

#include <QPainter>
#include <algorithm>
#include <cstring>
#include <vector>

namespace quillora::imaging {
namespace {

// Source index nearest to the centre of destination index d when n source pixels map onto m.
int nearestIndex(int d, int n, int m)
{
    const long long index = (2LL * d + 1) * n / (2LL * m);
    return static_cast<int>(std::min<long long>(index, n - 1));
}

struct Span {
    int begin;
    int end; // exclusive, always > begin
};

// Source pixels covered by each destination pixel: the nearest one when enlarging, the whole
// covered run when shrinking.
std::vector<Span> coverage(int n, int m)
{
    std::vector<Span> spans(static_cast<std::size_t>(m));
    for (int d = 0; d < m; ++d) {
        if (m >= n) {
            const int nearest = nearestIndex(d, n, m);
            spans[static_cast<std::size_t>(d)] = {nearest, nearest + 1};
            continue;
        }
        const int begin = static_cast<int>(static_cast<long long>(d) * n / m);
        const int end = static_cast<int>(static_cast<long long>(d + 1) * n / m);
        spans[static_cast<std::size_t>(d)] = {begin, std::max(end, begin + 1)};
    }
    return spans;
}

bool bitAt(const uchar* row, int x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }

void setBit(uchar* row, int x, bool value)
{
    const uchar mask = static_cast<uchar>(0x80 >> (x & 7));
    row[x >> 3] = value ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask);
}

QImage scaleBilevel(const QImage& input, int width, int height)
{
    const QImage source =
        input.format() == QImage::Format_Mono ? input : input.convertToFormat(QImage::Format_Mono);
    const bool blackBit = source.colorCount() >= 2 ? qGray(source.color(1)) <= qGray(source.color(0)) : true;
    QImage result(width, height, QImage::Format_Mono);
    result.setColorTable(source.colorTable());
    result.fill(blackBit ? 0 : 1);

    const std::vector<Span> columns = coverage(source.width(), width);
    const std::vector<Span> rows = coverage(source.height(), height);
    std::vector<char> blackColumn(static_cast<std::size_t>(source.width()));
    for (int y = 0; y < height; ++y) {
        std::fill(blackColumn.begin(), blackColumn.end(), 0);
        for (int sy = rows[static_cast<std::size_t>(y)].begin; sy < rows[static_cast<std::size_t>(y)].end;
             ++sy) {
            const uchar* line = source.constScanLine(sy);
            for (int sx = 0; sx < source.width(); ++sx)
                blackColumn[static_cast<std::size_t>(sx)] |= bitAt(line, sx) == blackBit;
        }
        uchar* out = result.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const Span span = columns[static_cast<std::size_t>(x)];
            const auto first = blackColumn.begin() + span.begin;
            if (std::find(first, blackColumn.begin() + span.end, 1) != blackColumn.begin() + span.end)
                setBit(out, x, blackBit);
        }
    }
    return result;
}

QImage scaleBytes(const QImage& source, int width, int height)
{
    QImage result(width, height, source.format());
    if (result.isNull())
        return result;
    result.setColorTable(source.colorTable());
    const int bytesPerPixel = source.depth() / 8;
    std::vector<int> offsets(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        offsets[static_cast<std::size_t>(x)] = nearestIndex(x, source.width(), width) * bytesPerPixel;
    for (int y = 0; y < height; ++y) {
        const uchar* in = source.constScanLine(nearestIndex(y, source.height(), height));
        uchar* out = result.scanLine(y);
        if (bytesPerPixel == 4) {
            for (int x = 0; x < width; ++x)
                std::memcpy(out + 4 * x, in + offsets[static_cast<std::size_t>(x)], 4);
        } else if (bytesPerPixel == 3) { // decoded colour pages: a fixed-size copy per pixel
            for (int x = 0; x < width; ++x)
                std::memcpy(out + 3 * x, in + offsets[static_cast<std::size_t>(x)], 3);
        } else if (bytesPerPixel == 1) {
            for (int x = 0; x < width; ++x)
                out[x] = in[offsets[static_cast<std::size_t>(x)]];
        } else {
            for (int x = 0; x < width; ++x)
                std::memcpy(out + x * bytesPerPixel, in + offsets[static_cast<std::size_t>(x)],
                            static_cast<std::size_t>(bytesPerPixel));
        }
    }
    return result;
}

} // namespace

QSize fitInside(QSize source, QSize area)
{
    const int w = source.width();
    const int h = source.height();
    if (w <= 0 || h <= 0 || area.width() <= 0 || area.height() <= 0)
        return {0, 0};
    const double rw = static_cast<double>(w) / area.width();
    const double rh = static_cast<double>(h) / area.height();
    const float scale = rw > rh ? static_cast<float>(static_cast<double>(area.width()) / w)
                                : static_cast<float>(static_cast<double>(area.height()) / h);
    // The product of an int and a float is exact in double; truncation is toward zero.
    return {static_cast<int>(w * static_cast<double>(scale)),
            static_cast<int>(h * static_cast<double>(scale))};
}

QRect thumbnailRect(QSize source, int side, bool stretch)
{
    if (stretch)
        return {0, 0, side, side};
    const QSize fitted = fitInside(source, {side, side});
    return {(side - fitted.width()) / 2, (side - fitted.height()) / 2, fitted.width(), fitted.height()};
}

QSize cropSize(QSize source, QSize area)
{
    return {std::min(source.width(), area.width()), std::min(source.height(), area.height())};
}

QImage scaledNearest(const QImage& source, int width, int height)
{
    if (source.isNull() || width <= 0 || height <= 0)
        return {};
    if (source.depth() == 1)
        return scaleBilevel(source, width, height);
    if (source.depth() % 8 != 0)
        return scaleBytes(source.convertToFormat(QImage::Format_RGB32), width, height);
    return scaleBytes(source, width, height);
}

void drawScaledNearest(const QImage& source, QImage& target, const QRect& rect)
{
    const QImage scaled = scaledNearest(source, rect.width(), rect.height());
    if (scaled.isNull())
        return;
    QPainter painter(&target);
    painter.drawImage(rect.topLeft(), scaled);
}

QImage makeThumbnail(const QImage& source, int side, bool stretch, QSize geometrySize)
{
    QImage thumbnail(side, side, QImage::Format_RGB32);
    thumbnail.fill(Qt::white);
    const QSize geometry = geometrySize.isValid() ? geometrySize : source.size();
    drawScaledNearest(source, thumbnail, thumbnailRect(geometry, side, stretch));
    return thumbnail;
}

} // namespace quillora::imaging
