#pragma once
// The editor's zoom steps and the mapping between the zoomed view and the image pixels.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>

namespace quillora::editor {

inline constexpr std::array<double, 11> ZoomFactors{0.17, 0.25, 0.35, 0.5, 0.7, 1.0,
                                                    1.4,  2.0,  2.8,  4.0, 5.64};
inline constexpr int kMinZoomIndex = 0;
inline constexpr int kMaxZoomIndex = 10;
inline constexpr int kStartZoomIndex = 5;

// `index` limited to 0..10.
int clampZoomIndex(int index);

double zoomFactor(int index);

// The factor as the status bar shows it: two decimals, at least three characters ("1.00").
QString zoomText(int index);

// A point of the zoomed view in image pixels, each coordinate divided by the factor and
// truncated toward zero.
QPoint toImagePoint(QPoint viewPoint, int zoomIndex);

// The size of the zoomed view of an image: each edge times the factor, truncated.
QSize zoomedSize(QSize imageSize, int zoomIndex);

// The view rectangle that covers every view pixel showing part of `imageRect`.
QRect toViewRect(const QRect& imageRect, int zoomIndex);

} // namespace quillora::editor
