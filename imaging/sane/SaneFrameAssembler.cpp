#include "imaging/sane/SaneFrameAssembler.h"

#include "imaging/ImageError.h"
#include "imaging/ImageLimits.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace quillora::imaging {
namespace {

[[noreturn]] void fail(ImageError::Kind kind, const std::string& detail)
{
    throw ImageError(kind, "scanner", "SANE", detail);
}

int channelsOf(FrameFormat format) { return format == FrameFormat::Rgb ? 3 : 1; }

int slotOf(FrameFormat format)
{
    switch (format) {
    case FrameFormat::Green: return 1;
    case FrameFormat::Blue: return 2;
    default: return 0;
    }
}

// One sample scaled to 8 bits; 1-bit samples are intensities (set = full).
std::uint8_t sample8(const std::uint8_t* row, int index, int depth)
{
    if (depth == 8)
        return row[index];
    if (depth == 16) {
        std::uint16_t value;
        std::memcpy(&value, row + 2 * index, 2); // SANE sends 16-bit samples in host byte order
        return static_cast<std::uint8_t>(value >> 8);
    }
    return ((row[index / 8] >> (7 - index % 8)) & 1) ? 255 : 0;
}

// The most rows a frame may hold: its declared count, or the side limit when unknown.
long long rowLimit(const FrameParameters& p) { return p.lines >= 0 ? p.lines : kMaxImageSide; }

} // namespace

int SaneFrameAssembler::Frame::completeRows() const
{
    if (!present)
        return 0;
    int rows = static_cast<int>(bytes.size() / static_cast<std::size_t>(parameters.bytesPerLine));
    if (parameters.lines >= 0)
        rows = std::min(rows, parameters.lines);
    return rows;
}

void SaneFrameAssembler::beginFrame(const FrameParameters& p)
{
    if (p.depth != 1 && p.depth != 8 && p.depth != 16)
        fail(ImageError::Kind::Scan, "unsupported sample depth " + std::to_string(p.depth));
    const long long neededBytes =
        (static_cast<long long>(p.pixelsPerLine) * channelsOf(p.format) * p.depth + 7) / 8;
    if (p.pixelsPerLine <= 0 || p.bytesPerLine < neededBytes)
        fail(ImageError::Kind::Scan, "inconsistent frame parameters");
    if (!withinImageBounds(p.pixelsPerLine, p.lines < 0 ? 1 : std::max(p.lines, 1), 3))
        fail(ImageError::Kind::Bounds, "frame too large");
    // The line length is the backend's word too: a huge one must not size the buffer either.
    if (static_cast<long long>(p.bytesPerLine) * std::max(p.lines, 1) > kMaxDecodedBytes)
        fail(ImageError::Kind::Bounds, "frame too large");

    const bool singlePass = p.format == FrameFormat::Gray || p.format == FrameFormat::Rgb;
    if (singlePass)
        frames_ = {};
    else if (!threePass_)
        frames_ = {};
    threePass_ = !singlePass;
    Frame& frame = frames_[static_cast<std::size_t>(slotOf(p.format))];
    if (threePass_) {
        for (const Frame& other : frames_) {
            if (other.present && other.parameters.pixelsPerLine != p.pixelsPerLine)
                fail(ImageError::Kind::Scan, "frames of different widths");
        }
    }
    frame = Frame{p, {}, true};
    if (p.lines > 0)
        frame.bytes.reserve(static_cast<std::size_t>(p.bytesPerLine) * static_cast<std::size_t>(p.lines));
    current_ = &frame;
}

void SaneFrameAssembler::addData(std::span<const std::uint8_t> bytes)
{
    if (!current_)
        fail(ImageError::Kind::Scan, "data before frame parameters");
    const FrameParameters& p = current_->parameters;
    const std::size_t capacity = std::min<std::size_t>(
        static_cast<std::size_t>(rowLimit(p)) * static_cast<std::size_t>(p.bytesPerLine), kMaxDecodedBytes);
    const std::size_t room = capacity - std::min(capacity, current_->bytes.size());
    if (p.lines < 0 && bytes.size() > room)
        fail(ImageError::Kind::Bounds, "scan longer than the size limit");
    const std::size_t kept = std::min(room, bytes.size()); // bytes past the declared lines are dropped
    current_->bytes.insert(current_->bytes.end(), bytes.begin(),
                           bytes.begin() + static_cast<std::ptrdiff_t>(kept));
}

QImage SaneFrameAssembler::image() const
{
    if (threePass_) {
        int rows = frames_[0].completeRows();
        for (const Frame& frame : frames_)
            rows = std::min(rows, frame.completeRows());
        return rows > 0 ? assembleThreePass(rows) : QImage();
    }
    const Frame& frame = frames_[0];
    const int rows = frame.completeRows();
    if (rows <= 0)
        return {};
    return frame.parameters.format == FrameFormat::Rgb ? assembleRgb(frame, rows) : assembleGray(frame, rows);
}

QImage SaneFrameAssembler::assembleGray(const Frame& frame, int rows) const
{
    const FrameParameters& p = frame.parameters;
    const bool lineart = p.depth == 1;
    QImage image(p.pixelsPerLine, rows, lineart ? QImage::Format_Mono : QImage::Format_Grayscale8);
    if (lineart)
        image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* row = frame.bytes.data() + static_cast<std::size_t>(y) * p.bytesPerLine;
        std::uint8_t* out = image.scanLine(y);
        if (lineart || p.depth == 8) {
            std::memcpy(out, row,
                        static_cast<std::size_t>(lineart ? (p.pixelsPerLine + 7) / 8 : p.pixelsPerLine));
            continue;
        }
        for (int x = 0; x < p.pixelsPerLine; ++x)
            out[x] = sample8(row, x, p.depth);
    }
    return image;
}

QImage SaneFrameAssembler::assembleRgb(const Frame& frame, int rows) const
{
    const FrameParameters& p = frame.parameters;
    QImage image(p.pixelsPerLine, rows, QImage::Format_RGB888);
    const int samples = p.pixelsPerLine * 3;
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* row = frame.bytes.data() + static_cast<std::size_t>(y) * p.bytesPerLine;
        std::uint8_t* out = image.scanLine(y);
        if (p.depth == 8) {
            std::memcpy(out, row, static_cast<std::size_t>(samples));
            continue;
        }
        for (int i = 0; i < samples; ++i)
            out[i] = sample8(row, i, p.depth);
    }
    return image;
}

QImage SaneFrameAssembler::assembleThreePass(int rows) const
{
    const int width = frames_[0].parameters.pixelsPerLine;
    QImage image(width, rows, QImage::Format_RGB888);
    for (int channel = 0; channel < 3; ++channel) {
        const FrameParameters& p = frames_[static_cast<std::size_t>(channel)].parameters;
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t* row = frames_[static_cast<std::size_t>(channel)].bytes.data() +
                                      static_cast<std::size_t>(y) * p.bytesPerLine;
            std::uint8_t* out = image.scanLine(y) + channel;
            for (int x = 0; x < width; ++x)
                out[3 * x] = sample8(row, x, p.depth);
        }
    }
    return image;
}

} // namespace quillora::imaging
