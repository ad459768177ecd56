#include "editor/RasterDraw.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstdlib>

namespace quillora::editor {
namespace {

void setPixelClipped(QImage& image, int x, int y, QRgb color)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return;
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = color;
}

// Bresenham from `a` up to, but not including, `b`.
void thinLine(QImage& image, QPoint a, QPoint b, QRgb color)
{
    const int dx = std::abs(b.x() - a.x());
    const int dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1;
    const int sy = a.y() < b.y() ? 1 : -1;
    int err = dx + dy;
    int x = a.x();
    int y = a.y();
    while (x != b.x() || y != b.y()) {
        setPixelClipped(image, x, y, color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

bool drawsNothing(Shape shape, QPoint a, QPoint b)
{
    if (shape == Shape::Line)
        return a == b;
    return boxBetween(a, b).isEmpty();
}

} // namespace

QRect boxBetween(QPoint a, QPoint b)
{
    const QPoint topLeft(std::min(a.x(), b.x()), std::min(a.y(), b.y()));
    return QRect(topLeft, QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
}

QRect shapeBounds(Shape shape, QPoint a, QPoint b, int width)
{
    const QRect box = shape == Shape::Line ? QRect(a, b).normalized() : boxBetween(a, b);
    const int margin = width / 2 + 2;
    return QRect(box.topLeft(), box.size().expandedTo(QSize(1, 1)))
        .adjusted(-margin, -margin, margin, margin);
}

void strokeShape(QPainter& painter, Shape shape, QPoint a, QPoint b)
{
    if (drawsNothing(shape, a, b))
        return;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    // QPainter strokes a box of w x h over w + 1 pixels; the outline keeps to the box.
    const QRect box = boxBetween(a, b).adjusted(0, 0, -1, -1);
    switch (shape) {
    case Shape::Line: painter.drawLine(a, b); break;
    case Shape::Ellipse: painter.drawEllipse(box); break;
    case Shape::Rectangle: painter.drawRect(box); break;
    }
}

QRect drawShape(QImage& image, Shape shape, QPoint a, QPoint b, QRgb color, int width)
{
    if (drawsNothing(shape, a, b))
        return {};
    color |= 0xFF000000u;
    if (shape == Shape::Line && width <= 1) {
        thinLine(image, a, b, color);
    } else {
        QPainter painter(&image);
        painter.setPen(
            QPen(QColor::fromRgb(color), std::max(width, 1), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        strokeShape(painter, shape, a, b);
    }
    return shapeBounds(shape, a, b, width);
}

} // namespace quillora::editor
