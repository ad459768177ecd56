#include "editor/TImageUnit.h"

namespace {

struct Target {
    int column;
    int row;
};

// Where the pixel at column j, row i of a W x H source goes.
template <typename Mapping> void forEachPixel(const QImage& source, QImage& rotated, Mapping target)
{
    const int w = source.width();
    const int h = source.height();
    if (source.depth() == 32) {
        uchar* const bits = rotated.bits();
        const qsizetype stride = rotated.bytesPerLine();
        for (int i = 0; i < h; ++i) {
            const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(i));
            for (int j = 0; j < w; ++j) {
                const Target t = target(j, i, w, h);
                reinterpret_cast<QRgb*>(bits + t.row * stride)[t.column] = row[j];
            }
        }
        return;
    }
    const bool indexed = source.colorCount() > 0;
    for (int i = 0; i < h; ++i)
        for (int j = 0; j < w; ++j) {
            const Target t = target(j, i, w, h);
            if (indexed)
                rotated.setPixel(t.column, t.row, static_cast<uint>(source.pixelIndex(j, i)));
            else
                rotated.setPixelColor(t.column, t.row, source.pixelColor(j, i));
        }
}

} // namespace

void TImageUnit::RotateLeft(const QImage& input) { Rotate(input, Turn::Left); }
void TImageUnit::RotateRight(const QImage& input) { Rotate(input, Turn::Right); }
void TImageUnit::Rotate180(const QImage& input) { Rotate(input, Turn::Half); }

void TImageUnit::Rotate(const QImage& input, Turn turn)
{
    Source_ = input;
    const int w = Source_.width();
    const int h = Source_.height();
    const bool quarter = turn != Turn::Half;
    Rotated_ = QImage(quarter ? h : w, quarter ? w : h, Source_.format());
    Rotated_.setColorTable(Source_.colorTable());
    Rotated_.setDotsPerMeterX(quarter ? Source_.dotsPerMeterY() : Source_.dotsPerMeterX());
    Rotated_.setDotsPerMeterY(quarter ? Source_.dotsPerMeterX() : Source_.dotsPerMeterY());
    if (!Rotated_.isNull()) {
        switch (turn) {
        case Turn::Left:
            forEachPixel(Source_, Rotated_, [](int j, int i, int w, int) { return Target{i, w - 1 - j}; });
            break;
        case Turn::Right:
            forEachPixel(Source_, Rotated_, [](int j, int i, int, int h) { return Target{h - 1 - i, j}; });
            break;
        case Turn::Half:
            forEachPixel(Source_, Rotated_, [](int j, int i, int w, int h) {
                return Target{w - 1 - j, h - 1 - i};
            });
            break;
        }
    }
    Source_ = QImage();
}
