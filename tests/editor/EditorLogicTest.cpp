// Zoom steps, rotation and the tools' press/move/release rules of the editing state.
#include "editor/ImageEditState.h"
#include "editor/TImageUnit.h"
#include "editor/ZoomSteps.h"

#include <gtest/gtest.h>

namespace quillora::editor {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kBlue = 0xFF0000FFu;

QImage whiteImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

int countNonWhite(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != kWhite;
    return count;
}

struct ZoomCase {
    int requested;
    int index;
    const char* text;
};

class ZoomClampTest : public ::testing::TestWithParam<ZoomCase> { };

TEST_P(ZoomClampTest, ClampsAndFormats)
{
    ImageEditState state;
    state.SetZoomIndex(GetParam().requested);
    EXPECT_EQ(state.ZoomIndex(), GetParam().index);
    EXPECT_EQ(zoomText(state.ZoomIndex()), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Steps, ZoomClampTest,
                         ::testing::Values(ZoomCase{15, 10, "5.64"}, ZoomCase{-3, 0, "0.17"},
                                           ZoomCase{5, 5, "1.00"}, ZoomCase{11, 10, "5.64"},
                                           ZoomCase{3, 3, "0.50"}));

TEST(ZoomSteps, ImagePointTruncatesTowardZero)
{
    EXPECT_EQ(toImagePoint({101, 51}, 3), QPoint(202, 102)); // zoom 0.5
    EXPECT_EQ(toImagePoint({10, 10}, 4), QPoint(14, 14));    // zoom 0.7
    EXPECT_EQ(zoomedSize({2480, 3508}, 0), QSize(421, 596)); // 0.17, truncated
}

// a b c / d e f as six distinct colours.
QImage abcdef(QImage::Format format)
{
    QImage image(3, 2, QImage::Format_RGB32);
    const QRgb pixels[6] = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004, 0xFF000005, 0xFF000006};
    for (int k = 0; k < 6; ++k)
        image.setPixel(k % 3, k / 3, pixels[k]);
    return image.convertToFormat(format);
}

std::vector<std::vector<int>> rowsOf(const QImage& image)
{
    std::vector<std::vector<int>> rows;
    for (int y = 0; y < image.height(); ++y) {
        rows.emplace_back();
        for (int x = 0; x < image.width(); ++x)
            rows.back().push_back(static_cast<int>(image.pixel(x, y) & 0xFF));
    }
    return rows;
}

class RotationTest : public ::testing::TestWithParam<QImage::Format> { };

TEST_P(RotationTest, MapsThePixelsOfTheTable)
{
    TImageUnit unit;
    const QImage input = abcdef(GetParam());
    unit.RotateLeft(input);
    EXPECT_EQ(rowsOf(unit.Rotated()), (std::vector<std::vector<int>>{{3, 6}, {2, 5}, {1, 4}}));
    EXPECT_EQ(unit.Rotated().format(), GetParam());
    unit.RotateRight(input);
    EXPECT_EQ(rowsOf(unit.Rotated()), (std::vector<std::vector<int>>{{4, 1}, {5, 2}, {6, 3}}));
    unit.Rotate180(input);
    EXPECT_EQ(rowsOf(unit.Rotated()), (std::vector<std::vector<int>>{{6, 5, 4}, {3, 2, 1}}));
    EXPECT_EQ(rowsOf(input), (std::vector<std::vector<int>>{{1, 2, 3}, {4, 5, 6}}));
}

TEST_P(RotationTest, FourLeftTurnsAndLeftThenRightGiveTheImageBack)
{
    TImageUnit unit;
    const QImage input = abcdef(GetParam());
    QImage image = input;
    for (int turn = 0; turn < 4; ++turn) {
        unit.RotateLeft(image);
        image = unit.TakeRotated();
    }
    EXPECT_EQ(image, input);
    unit.RotateLeft(input);
    unit.RotateRight(unit.TakeRotated());
    EXPECT_EQ(unit.Rotated(), input);
}

INSTANTIATE_TEST_SUITE_P(Formats, RotationTest,
                         ::testing::Values(QImage::Format_RGB32, QImage::Format_Indexed8,
                                           QImage::Format_RGB888));

class EditStateTest : public ::testing::Test {
protected:
    void SetUp() override { state.StartPage(whiteImage(40, 30), StampFont{}); }
    void Drag(QPoint from, QPoint to)
    {
        state.Press(from);
        state.Move(to);
        state.Release(to, {});
    }
    ImageEditState state;
};

TEST_F(EditStateTest, PenClickChangesNoPixelButAllowsUndo)
{
    state.Press({10, 10});
    state.Release({10, 10}, {});
    EXPECT_EQ(countNonWhite(state.WorkBitmap()), 0);
    EXPECT_TRUE(state.CanUndo());
}

TEST_F(EditStateTest, LineReleasedWhereItStartedDrawsNothing)
{
    state.SetTool(Tool::Line);
    Drag({5, 5}, {5, 5});
    EXPECT_EQ(countNonWhite(state.WorkBitmap()), 0);
}

TEST_F(EditStateTest, OnePixelLineLeavesOutItsEndPixel)
{
    state.SetTool(Tool::Line);
    state.SetPenWidth(1);
    state.Press({2, 3});
    state.Move({20, 25});
    EXPECT_EQ(countNonWhite(state.WorkBitmap()), 0) << "the preview stays off the image";
    state.Move({9, 3});
    state.Release({9, 3}, {});
    for (int x = 2; x < 9; ++x)
        EXPECT_EQ(state.WorkBitmap().pixel(x, 3), kBlack) << x;
    EXPECT_EQ(state.WorkBitmap().pixel(9, 3), kWhite);
    EXPECT_EQ(countNonWhite(state.WorkBitmap()), 7);
}

TEST_F(EditStateTest, OnePixelRectangleOutlinesTheBoxWithoutItsRightAndBottomEdge)
{
    state.SetTool(Tool::Square);
    state.SetPenWidth(1);
    Drag({10, 5}, {4, 2}); // box x 4..9, y 2..4
    EXPECT_EQ(state.WorkBitmap().pixel(4, 2), kBlack);
    EXPECT_EQ(state.WorkBitmap().pixel(9, 4), kBlack);
    EXPECT_EQ(state.WorkBitmap().pixel(10, 5), kWhite);
    EXPECT_EQ(state.WorkBitmap().pixel(6, 3), kWhite);
    EXPECT_EQ(countNonWhite(state.WorkBitmap()), 2 * 6 + 2 * 1);
}

TEST_F(EditStateTest, EraserIsAWhitePenOfTheWidth)
{
    QImage black = whiteImage(40, 30);
    black.fill(kBlack);
    state.StartPage(black, StampFont{});
    state.SetTool(Tool::Eraser);
    Drag({5, 10}, {30, 10});
    EXPECT_EQ(state.WorkBitmap().pixel(15, 10), kWhite);
    EXPECT_EQ(state.WorkBitmap().pixel(15, 11), kWhite); // width 3
    EXPECT_EQ(state.WorkBitmap().pixel(15, 14), kBlack);
}

TEST_F(EditStateTest, EyedropperPicksThePressPoint)
{
    QImage image = whiteImage(40, 30);
    image.setPixel(3, 3, kRed);
    image.setPixel(20, 20, kBlue);
    state.StartPage(image, StampFont{});
    state.SetTool(Tool::Dropper);
    Drag({3, 3}, {20, 20});
    EXPECT_EQ(state.PenColor(), 0xFF0000u);
    EXPECT_FALSE(state.CanUndo());
}

TEST_F(EditStateTest, EyedropperPressTakesTheSnapshotSoUndoKeepsTheStroke)
{
    Drag({5, 5}, {30, 5});
    const QImage stroked = state.WorkBitmap();
    state.SetTool(Tool::Dropper);
    Drag({1, 1}, {1, 1});
    state.Undo();
    EXPECT_EQ(state.WorkBitmap(), stroked);
    EXPECT_NE(countNonWhite(stroked), 0);
    EXPECT_FALSE(state.CanUndo());
}

TEST_F(EditStateTest, UndoAfterRotationRestoresTheSize)
{
    state.Rotate(Rotation::Left);
    EXPECT_EQ(state.WorkBitmap().size(), QSize(30, 40));
    EXPECT_TRUE(state.CanUndo());
    state.Undo();
    EXPECT_EQ(state.WorkBitmap().size(), QSize(40, 30));
}

TEST_F(EditStateTest, EmptyStampDrawsNothingButAllowsUndoAndTextStamps)
{
    state.SetTool(Tool::Text);
    state.Press({2, 2});
    state.Release({30, 20}, {});
    EXPECT_EQ(countNonWhite(state.WorkBitmap()), 0);
    EXPECT_TRUE(state.CanUndo());
    state.Press({2, 2});
    state.Release({30, 20}, QStringLiteral("W"));
    EXPECT_GT(countNonWhite(state.WorkBitmap()), 0);
}

TEST_F(EditStateTest, NewPageResetsToolColourWidthAndUndoButKeepsZoom)
{
    state.SetZoomIndex(8);
    state.SetTool(Tool::Square);
    state.SetPenColor(0x00FF00);
    state.SetPenWidth(5);
    Drag({1, 1}, {9, 9});
    state.StartPage(whiteImage(4, 4), StampFont{});
    EXPECT_EQ(state.CurrentTool(), Tool::Pen);
    EXPECT_EQ(state.PenColor(), 0u);
    EXPECT_EQ(state.PenWidth(), 3);
    EXPECT_FALSE(state.CanUndo());
    EXPECT_EQ(state.ZoomIndex(), 8);
}

} // namespace
} // namespace quillora::editor
