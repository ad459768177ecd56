#pragma once
// Turns the byte stream of a scan (one or three SANE frames, read in chunks of any size) into one
// image. Pure logic with no SANE calls, so every layout can be tested with synthetic buffers.
//  - grey, depth 1 (lineart, 1 = black): Format_Mono with the colour table {white, black}
//  - grey, depth 8 or 16: Format_Grayscale8 (16-bit samples keep their high byte)
//  - RGB in one frame, or Red/Green/Blue in three frames (any order), depth 1, 8 or 16: Format_RGB888
// Rows arrive in bytesPerLine steps; a partial last row and bytes beyond the declared line count
// are dropped. When the data ends early the image holds the complete rows received (for three
// frames: the rows all three supplied); with no complete row there is no image.
#include <QImage>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace quillora::imaging {

enum class FrameFormat { Gray, Rgb, Red, Green, Blue };

struct FrameParameters {
    FrameFormat format = FrameFormat::Gray;
    bool lastFrame = true;
    int bytesPerLine = 0;
    int pixelsPerLine = 0;
    int lines = -1; // -1 when the height is not known in advance (hand scanners)
    int depth = 8;
};

class SaneFrameAssembler {
public:
    // Throws ImageError (Kind::Scan) for a layout it cannot assemble, (Kind::Bounds) for one beyond
    // the size limits, including a frame whose width differs from the first frame's.
    void beginFrame(const FrameParameters& parameters);
    // Throws ImageError (Kind::Bounds) when a frame of unknown height grows beyond the limits.
    void addData(std::span<const std::uint8_t> bytes);
    // The assembled image; null when no complete row arrived.
    QImage image() const;

private:
    struct Frame {
        FrameParameters parameters;
        std::vector<std::uint8_t> bytes;
        bool present = false;
        int completeRows() const;
    };

    QImage assembleGray(const Frame& frame, int rows) const;
    QImage assembleRgb(const Frame& frame, int rows) const;
    QImage assembleThreePass(int rows) const;

    std::array<Frame, 3> frames_; // Gray/Rgb use slot 0; Red, Green, Blue slots 0, 1, 2
    Frame* current_ = nullptr;
    bool threePass_ = false;
};

} // namespace quillora::imaging
