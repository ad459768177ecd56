// The file of one chart page, byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ChartReport.h"

namespace {

struct GoldenLine {
    long offset;
    std::string text; // without its line end
    std::string end;
};

std::vector<GoldenLine> ReadGolden(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<GoldenLine> lines;
    std::string row;
    while (std::getline(file, row)) {
        if (row.empty() || row[0] == '#')
            continue;
        GoldenLine line;
        const auto first = row.find(' ');
        const auto second = row.find(' ', first + 1);
        line.offset = std::stol(row.substr(0, first));
        line.end = row.substr(first + 1,
                              second == std::string::npos ? std::string::npos : second - first - 1) == "CRLF"
                       ? "\r\n"
                       : "\n";
        line.text = second == std::string::npos ? "" : row.substr(second + 1);
        lines.push_back(line);
    }
    return lines;
}

// Readable text around `offset`: control bytes shown as escapes.
std::string Context(const std::string& bytes, std::size_t offset)
{
    const std::size_t begin = offset < 40 ? 0 : offset - 40;
    std::string out;
    for (std::size_t i = begin; i < std::min(bytes.size(), offset + 40); ++i) {
        const unsigned char c = bytes[i];
        if (i == offset)
            out += "[>]";
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c < 0x20 || c >= 0x7F)
            out += "\\x" + std::string(1, "0123456789ABCDEF"[c >> 4]) + "0123456789ABCDEF"[c & 15];
        else
            out += static_cast<char>(c);
    }
    return out;
}

TEST(PdfGolden, OneChartPageIsWrittenByteForByte)
{
    const TPdfJpegPicture jpeg = pdftest::FakeJpeg(12345);
    std::string expected;
    for (const GoldenLine& line :
         ReadGolden(std::string(QUILLORA_SOURCE_DIR) + "/tests/pdf/golden/chart_page.txt")) {
        ASSERT_EQ(static_cast<long>(expected.size()), line.offset)
            << "golden listing inconsistent before: " << line.text;
        if (line.text == "@JPEG@")
            expected.append(reinterpret_cast<const char*>(jpeg.Data->data()), jpeg.Data->size());
        else
            expected += line.text;
        expected += line.end;
    }
    ASSERT_EQ(expected.size(), 14111u);

    pdftest::ChartReport chart;
    chart.report.StartDocument();
    chart.AddPage(jpeg, {"abc"});
    chart.AddOutline("\x8C\x9F\x8D\xB8");
    TPdfMemoryStream stream;
    chart.report.FinishDocument(stream);
    const std::string& actual = stream.Bytes();

    const auto mismatch = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    if (mismatch.first != expected.end() || mismatch.second != actual.end()) {
        const auto offset = static_cast<std::size_t>(mismatch.first - expected.begin());
        FAIL() << "first difference at offset " << offset << " (expected " << expected.size()
               << " bytes, got " << actual.size() << ")\n expected: " << Context(expected, offset)
               << "\n actual:   " << Context(actual, offset);
    }
    EXPECT_EQ(pdftest::CheckStructure(actual), "");
    EXPECT_FALSE(chart.report.IsOpen());
}

} // namespace
