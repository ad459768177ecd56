#pragma once
// Drawing into the page's working image with the raster rules the editor has always had:
// no antialiasing; a one-pixel line leaves out its end pixel; ellipse and rectangle outlines lie
// in the box between the two corner points (right and bottom edge excluded) with the pen
// centred on the outline. Wider pens use round caps and round joins. A line whose ends
// coincide, and a shape whose box is empty, draw nothing.
// Every function returns the image rectangle it may have changed (unclipped), for repainting.
#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

namespace quillora::editor {

enum class Shape { Line, Ellipse, Rectangle };

// The box between two corner points: left/top inclusive, right/bottom exclusive.
QRect boxBetween(QPoint a, QPoint b);

// The rectangle a shape with a pen of `width` can touch, for repainting.
QRect shapeBounds(Shape shape, QPoint a, QPoint b, int width);

// Draws the shape in `color` (copy mode) into a 32-bit image.
QRect drawShape(QImage& image, Shape shape, QPoint a, QPoint b, QRgb color, int width);

// Strokes the shape with the painter's current pen and composition mode (used for previews
// over the view; the painter may be scaled). Follows the same geometry as drawShape.
void strokeShape(QPainter& painter, Shape shape, QPoint a, QPoint b);

} // namespace quillora::editor
