#pragma once
// Glyph width tables of the standard Type 1 fonts (generated source: PdfFontWidths.cpp).
#include <array>
#include <string_view>

namespace quillora::pdf {

// Advance widths of the WinAnsiEncoding codes 32 to 255, in thousandths of the font size.
using TFontWidthTable = std::array<int, 224>;

// The table of a base font ("Helvetica", "Times-Roman", ...), or none.
const TFontWidthTable* StandardFontWidths(std::string_view baseFont);

} // namespace quillora::pdf
