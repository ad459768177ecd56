#pragma once
// In-memory pictures that become image XObjects.
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

// A JPEG picture: the complete JPEG file bytes plus the size they decode to. The bytes are
// shared, never copied, on their way into the PDF.
struct TPdfJpegPicture {
    std::shared_ptr<const std::vector<std::uint8_t>> Data;
    int Width = 0;
    int Height = 0;

    bool Empty() const { return !Data || Data->empty(); }
};

enum TPdfPixelFormat { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

struct TPdfRgb {
    std::uint8_t Red = 0, Green = 0, Blue = 0;
};

// A device-independent bitmap. Rows are top row first, each row packed without padding:
// 1-bit rows hold 8 pixels per byte (most significant bit first), 4-bit rows 2 per byte (high
// nibble first), 8-bit rows one palette index per byte, 24-bit rows blue, green, red per
// pixel and 32-bit rows blue, green, red and one unused byte. The palette belongs to the
// 1-, 4- and 8-bit formats.
struct TPdfBitmap {
    int Width = 0;
    int Height = 0;
    TPdfPixelFormat PixelFormat = pf24bit;
    std::vector<std::vector<std::uint8_t>> Rows;
    std::vector<TPdfRgb> Palette;

    bool Empty() const { return Width <= 0 || Height <= 0; }
};

// What an image item holds: nothing, a JPEG picture or a bitmap.
using TPdfPicture = std::variant<std::monostate, TPdfJpegPicture, TPdfBitmap>;

bool IsEmptyPicture(const TPdfPicture& picture);
