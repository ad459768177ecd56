#include "editor/ui/ImageView.h"

#include "editor/ImageEditState.h"
#include "editor/ZoomSteps.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace quillora::editor {

ImageView::ImageView(ImageEditState& state, QWidget* parent) : QWidget(parent), state_(state)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
}

void ImageView::RefreshView()
{
    setFixedSize(zoomedSize(state_.WorkBitmap().size(), state_.ZoomIndex()));
    update();
}

void ImageView::RepaintImageRect(const QRect& imageRect)
{
    if (!imageRect.isEmpty())
        repaint(toViewRect(imageRect, state_.ZoomIndex()).intersected(rect()));
}

void ImageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QImage& image = state_.WorkBitmap();
    if (image.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    const double z = zoomFactor(state_.ZoomIndex());
    const QRect exposed = event->rect();
    // The image pixels behind the exposed part, one pixel more on each side for rounding.
    const QRect source = QRect(QPoint(static_cast<int>(std::floor(exposed.left() / z)) - 1,
                                      static_cast<int>(std::floor(exposed.top() / z)) - 1),
                               QPoint(static_cast<int>(std::ceil((exposed.right() + 1) / z)) + 1,
                                      static_cast<int>(std::ceil((exposed.bottom() + 1) / z)) + 1))
                             .intersected(image.rect());
    painter.setClipRect(exposed);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.scale(z, z);
    painter.drawImage(source.topLeft(), image, source);
    if (const auto preview = state_.CurrentPreview()) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, preview->width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        strokeShape(painter, preview->shape, preview->start, preview->end);
    }
}

QPoint ImageView::ImagePoint(const QMouseEvent* event) const
{
    return toImagePoint(event->position().toPoint(), state_.ZoomIndex());
}

void ImageView::mousePressEvent(QMouseEvent* event)
{
    RepaintImageRect(state_.Press(ImagePoint(event)));
    if (pressed_)
        pressed_();
}

void ImageView::mouseMoveEvent(QMouseEvent* event) { RepaintImageRect(state_.Move(ImagePoint(event))); }

void ImageView::mouseReleaseEvent(QMouseEvent* event)
{
    const QString text = stampText_ ? stampText_() : QString();
    RepaintImageRect(state_.Release(ImagePoint(event), text));
    if (released_)
        released_();
}

} // namespace quillora::editor
