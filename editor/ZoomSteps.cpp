#include "editor/ZoomSteps.h"

#include <algorithm>
#include <cmath>

namespace quillora::editor {

int clampZoomIndex(int index) { return std::clamp(index, kMinZoomIndex, kMaxZoomIndex); }

double zoomFactor(int index) { return ZoomFactors[static_cast<std::size_t>(clampZoomIndex(index))]; }

QString zoomText(int index) { return QString::asprintf("%3.2f", zoomFactor(index)); }

QPoint toImagePoint(QPoint viewPoint, int zoomIndex)
{
    const double z = zoomFactor(zoomIndex);
    return {static_cast<int>(std::trunc(viewPoint.x() / z)), static_cast<int>(std::trunc(viewPoint.y() / z))};
}

QSize zoomedSize(QSize imageSize, int zoomIndex)
{
    const double z = zoomFactor(zoomIndex);
    return {static_cast<int>(std::trunc(imageSize.width() * z)),
            static_cast<int>(std::trunc(imageSize.height() * z))};
}

QRect toViewRect(const QRect& imageRect, int zoomIndex)
{
    if (imageRect.isEmpty())
        return {};
    const double z = zoomFactor(zoomIndex);
    const int left = static_cast<int>(std::floor(imageRect.left() * z)) - 1;
    const int top = static_cast<int>(std::floor(imageRect.top() * z)) - 1;
    const int right = static_cast<int>(std::ceil((imageRect.right() + 1) * z)) + 1;
    const int bottom = static_cast<int>(std::ceil((imageRect.bottom() + 1) * z)) + 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace quillora::editor
