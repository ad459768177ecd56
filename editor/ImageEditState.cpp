#include "editor/ImageEditState.h"

#include "editor/ZoomSteps.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

namespace quillora::editor {
namespace {

constexpr QRgb kWhite = 0xFFFFFFu;

std::optional<Shape> shapeOf(Tool tool)
{
    switch (tool) {
    case Tool::Line: return Shape::Line;
    case Tool::Circle: return Shape::Ellipse;
    case Tool::Square: return Shape::Rectangle;
    default: return std::nullopt;
    }
}

} // namespace

void ImageEditState::StartPage(QImage work, const StampFont& font)
{
    WorkBitmap_ = std::move(work);
    UndoBitmap_ = QImage();
    Tool_ = Tool::Pen;
    PenColor_ = 0;
    PenWidth_ = kDefaultPenWidth;
    TextFont_ = font;
    Drawing_ = false;
    CanUndo_ = false;
}

void ImageEditState::ClosePage()
{
    WorkBitmap_ = QImage();
    UndoBitmap_ = QImage();
    Drawing_ = false;
    CanUndo_ = false;
}

void ImageEditState::SetZoomIndex(int index) { ZoomIndex_ = clampZoomIndex(index); }

void ImageEditState::SetPenWidth(int width) { PenWidth_ = std::clamp(width, kMinPenWidth, kMaxPenWidth); }

void ImageEditState::Undo()
{
    if (!CanUndo_)
        return;
    WorkBitmap_ = UndoBitmap_;
    CanUndo_ = false;
}

QRect ImageEditState::Press(QPoint point)
{
    if (!HasImage())
        return {};
    const QRect oldPreview =
        CurrentPreview() ? shapeBounds(CurrentPreview()->shape, StartPoint_, PreviousPoint_, PenWidth_)
                         : QRect();
    TakeSnapshot();
    StartPoint_ = CurrentPoint_ = PreviousPoint_ = PenPosition_ = point;
    Drawing_ = true;
    if (Tool_ != Tool::Dropper)
        CanUndo_ = true;
    return oldPreview;
}

QRect ImageEditState::Move(QPoint point)
{
    if (!Drawing_)
        return {};
    CurrentPoint_ = point;
    if (Tool_ == Tool::Pen || Tool_ == Tool::Eraser)
        return StrokeTo(point);
    if (const auto shape = shapeOf(Tool_)) {
        const QRect old = shapeBounds(*shape, StartPoint_, PreviousPoint_, PenWidth_);
        PreviousPoint_ = CurrentPoint_;
        return old.united(shapeBounds(*shape, StartPoint_, CurrentPoint_, PenWidth_));
    }
    return {};
}

QRect ImageEditState::Release(QPoint point, const QString& text)
{
    if (!Drawing_)
        return {};
    CurrentPoint_ = point;
    const QRect preview = CurrentPreview()
                              ? shapeBounds(CurrentPreview()->shape, StartPoint_, PreviousPoint_, PenWidth_)
                              : QRect();
    Drawing_ = false;
    if (const auto shape = shapeOf(Tool_))
        return preview.united(
            drawShape(WorkBitmap_, *shape, StartPoint_, CurrentPoint_, PenColor_, PenWidth_));
    if (Tool_ == Tool::Dropper && WorkBitmap_.valid(StartPoint_))
        PenColor_ = WorkBitmap_.pixel(StartPoint_) & 0xFFFFFFu;
    if (Tool_ == Tool::Text)
        return Stamp(text);
    return {};
}

std::optional<Preview> ImageEditState::CurrentPreview() const
{
    const auto shape = shapeOf(Tool_);
    if (!Drawing_ || !shape)
        return std::nullopt;
    return Preview{*shape, StartPoint_, PreviousPoint_, PenWidth_};
}

void ImageEditState::Rotate(Rotation rotation)
{
    if (!HasImage())
        return;
    UndoBitmap_ = WorkBitmap_; // the rotation makes a new image and leaves this one as it is
    CanUndo_ = true;
    switch (rotation) {
    case Rotation::Left: RotationUnit_.RotateLeft(WorkBitmap_); break;
    case Rotation::Right: RotationUnit_.RotateRight(WorkBitmap_); break;
    case Rotation::Half: RotationUnit_.Rotate180(WorkBitmap_); break;
    }
    WorkBitmap_ = RotationUnit_.TakeRotated();
}

// Copies into the snapshot's own buffer when it has one of the right shape: a fresh 35 MB
// buffer per stroke would cost its page faults at the start of every stroke.
void ImageEditState::TakeSnapshot()
{
    const bool reusable = UndoBitmap_.isDetached() && UndoBitmap_.size() == WorkBitmap_.size() &&
                          UndoBitmap_.format() == WorkBitmap_.format() &&
                          UndoBitmap_.sizeInBytes() == WorkBitmap_.sizeInBytes();
    if (!reusable) {
        UndoBitmap_ = WorkBitmap_.copy();
        return;
    }
    std::memcpy(UndoBitmap_.bits(), WorkBitmap_.constBits(),
                static_cast<std::size_t>(WorkBitmap_.sizeInBytes()));
}

QRgb ImageEditState::StrokeColor() const { return Tool_ == Tool::Eraser ? kWhite : PenColor_; }

QRect ImageEditState::StrokeTo(QPoint point)
{
    const QRect changed = drawShape(WorkBitmap_, Shape::Line, PenPosition_, point, StrokeColor(), PenWidth_);
    PenPosition_ = point;
    return changed;
}

QRect ImageEditState::Stamp(const QString& text)
{
    if (text.isEmpty())
        return {};
    QFont font = TextFont_.font;
    font.setStyleStrategy(QFont::NoAntialias);
    QPainter painter(&WorkBitmap_);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(TextFont_.color);
    const QRect room(StartPoint_, QSize(1 << 20, 1 << 20));
    QRect drawn;
    painter.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text, &drawn);
    return drawn.adjusted(-2, -2, 2, 2);
}

} // namespace quillora::editor
