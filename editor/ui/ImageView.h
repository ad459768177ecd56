#pragma once
// The picture of the editor (Image1): paints the working image at the zoom, only where the
// screen needs it, with the preview of a line or shape drawn over it in inverted pixels, and
// hands its mouse events to the editing state in image pixels. Any mouse button draws.
#include <QWidget>
#include <functional>

namespace quillora::editor {

class ImageEditState;

class ImageView : public QWidget {
    Q_OBJECT
public:
    ImageView(ImageEditState& state, QWidget* parent = nullptr);

    // Sizes the view to the image at the current zoom and repaints all of it.
    void RefreshView();
    // Called with the image rectangle that a stroke changed, for repainting that part.
    void RepaintImageRect(const QRect& imageRect);

    // What a release stamps with the text tool; asked at the release.
    void SetStampText(std::function<QString()> text) { stampText_ = std::move(text); }
    // Called after a release (the eyedropper may have changed the colour).
    void SetReleased(std::function<void()> released) { released_ = std::move(released); }
    // Called after a press (undo may have become possible).
    void SetPressed(std::function<void()> pressed) { pressed_ = std::move(pressed); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint ImagePoint(const QMouseEvent* event) const;

    ImageEditState& state_;
    std::function<QString()> stampText_;
    std::function<void()> released_;
    std::function<void()> pressed_;
};

} // namespace quillora::editor
