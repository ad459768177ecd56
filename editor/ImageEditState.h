#pragma once
// The editing state of the image editor without its window: the working image, the one-step
// undo, zoom, tool, pen, and what a press, a move and a release do with each tool.
// Points are image pixels (the window converts with toImagePoint). Every operation returns the
// image rectangle whose pixels or preview changed, so the view repaints only that part.
//
// The live preview of line, ellipse and rectangle is not drawn into the image: Preview()
// describes it and the view draws it over the picture, so dragging never copies the image.
#include "editor/RasterDraw.h"
#include "editor/TImageUnit.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <optional>

namespace quillora::editor {

enum class Tool { Pen = 0, Eraser = 1, Line = 2, Circle = 3, Square = 4, Dropper = 5, Text = 6 };
enum class Rotation { Left, Right, Half };

inline constexpr int kMinPenWidth = 1;
inline constexpr int kMaxPenWidth = 5;
inline constexpr int kDefaultPenWidth = 3;

struct Preview {
    Shape shape;
    QPoint start;
    QPoint end;
    int width;
};

// Font and colour of text stamps; the height is in image pixels.
struct StampFont {
    QFont font;
    QColor color = Qt::black;
};

class ImageEditState {
public:
    // A new page: the working image and the state that each showing resets (tool pen, black,
    // width 3, no undo, not drawing, `font` for stamps). A null image disables drawing.
    void StartPage(QImage work, const StampFont& font);
    // Frees the working image and the undo snapshot once the page is done with.
    void ClosePage();
    const QImage& WorkBitmap() const { return WorkBitmap_; }
    bool HasImage() const { return !WorkBitmap_.isNull(); }

    int ZoomIndex() const { return ZoomIndex_; }
    void SetZoomIndex(int index);

    Tool CurrentTool() const { return Tool_; }
    void SetTool(Tool tool) { Tool_ = tool; }
    QRgb PenColor() const { return PenColor_; }
    void SetPenColor(QRgb color) { PenColor_ = color & 0xFFFFFFu; }
    int PenWidth() const { return PenWidth_; }
    void SetPenWidth(int width);
    const StampFont& TextFont() const { return TextFont_; }
    void SetTextFont(const StampFont& font) { TextFont_ = font; }

    bool Drawing() const { return Drawing_; }
    bool CanUndo() const { return CanUndo_; }
    void Undo();

    QRect Press(QPoint point);
    QRect Move(QPoint point);
    // `text` is what a text stamp writes.
    QRect Release(QPoint point, const QString& text);
    std::optional<Preview> CurrentPreview() const;

    void Rotate(Rotation rotation);

private:
    void TakeSnapshot();
    QRect StrokeTo(QPoint point);
    QRect Stamp(const QString& text);
    QRgb StrokeColor() const;

    QImage WorkBitmap_;
    QImage UndoBitmap_;
    TImageUnit RotationUnit_;
    int ZoomIndex_ = 5;
    Tool Tool_ = Tool::Pen;
    QRgb PenColor_ = 0;
    int PenWidth_ = kDefaultPenWidth;
    StampFont TextFont_;
    bool Drawing_ = false;
    bool CanUndo_ = false;
    QPoint StartPoint_;
    QPoint CurrentPoint_;
    QPoint PreviousPoint_;
    QPoint PenPosition_;
};

} // namespace quillora::editor
