// A three-page chart checked by independent PDF readers (qpdf, poppler's pdftoppm).
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ChartReport.h"

namespace {

// A baseline JPEG of one solid colour, encoded with libjpeg's defaults.
TPdfJpegPicture SolidJpeg(int width, int height, std::array<std::uint8_t, 3> rgb)
{
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compressor, &buffer, &size);
    compressor.image_width = static_cast<JDIMENSION>(width);
    compressor.image_height = static_cast<JDIMENSION>(height);
    compressor.input_components = 3;
    compressor.in_color_space = JCS_RGB;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, 80, TRUE);
    jpeg_start_compress(&compressor, TRUE);
    std::vector<std::uint8_t> row(3 * static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        std::copy(rgb.begin(), rgb.end(), row.begin() + 3 * x);
    while (compressor.next_scanline < compressor.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&compressor, rows, 1);
    }
    jpeg_finish_compress(&compressor);
    auto bytes = std::make_shared<std::vector<std::uint8_t>>(buffer, buffer + size);
    jpeg_destroy_compress(&compressor);
    std::free(buffer);
    return {bytes, width, height};
}

struct CommandResult {
    int status;
    std::string output;
};

CommandResult RunCommand(const std::string& command)
{
    CommandResult result{-1, {}};
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> chunk;
    while (std::size_t n = std::fread(chunk.data(), 1, chunk.size(), pipe))
        result.output.append(chunk.data(), n);
    result.status = pclose(pipe);
    return result;
}

// The RGB pixel at (x, y) of a binary PPM file.
std::array<int, 3> PixelAt(const std::filesystem::path& ppm, int x, int y)
{
    std::ifstream file(ppm, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    file >> magic >> width >> height >> maximum;
    file.get();
    file.seekg(static_cast<std::streamoff>(3) * (static_cast<std::streamoff>(y) * width + x), std::ios::cur);
    std::array<int, 3> rgb{};
    for (int& component : rgb)
        component = file.get();
    return rgb;
}

TEST(PdfReaders, ThreePageChartPassesQpdfAndRendersWithPoppler)
{
    const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "pdf_readers";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::filesystem::path pdf = dir / "chart.pdf";

    pdftest::ChartReport chart(std::make_shared<TPdfClockSeededRandom>());
    chart.report.SetFileName(pdf.string());
    chart.report.StartDocument();
    const std::array<std::array<std::uint8_t, 3>, 3> colours = {
        {{220, 30, 30}, {30, 200, 30}, {30, 30, 220}}};
    const std::vector<std::string> notes[] = {{"\x8C\x9F\x8D\xB8"}, {}, {"\x8F\x88\x95\xFB", "line (2)"}};
    const char* titles[] = {"\x8C\x9F\x8D\xB8", nullptr, "\x8F\x88\x95\xFB"}; // 検査, 処方
    for (int i = 0; i < 3; ++i) {
        chart.AddPage(SolidJpeg(300 + 100 * i, 400, colours[i]), notes[i]);
        if (titles[i])
            chart.AddOutline(titles[i]);
    }
    chart.report.FinishDocument();

    std::ifstream written(pdf, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    EXPECT_EQ(pdftest::CheckStructure(bytes), "");
    EXPECT_EQ(pdftest::Occurrences(bytes, "/Subtype /Image"), 3u);

    const CommandResult check = RunCommand("qpdf --check '" + pdf.string() + "'");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_NE(check.output.find("No syntax or stream encoding errors found"), std::string::npos)
        << check.output;

    const CommandResult render =
        RunCommand("pdftoppm -r 72 '" + pdf.string() + "' '" + (dir / "page").string() + "'");
    EXPECT_EQ(render.status, 0) << render.output;
    EXPECT_EQ(render.output, "");
    for (int i = 0; i < 3; ++i) {
        const auto ppm = dir / ("page-" + std::to_string(i + 1) + ".ppm");
        ASSERT_TRUE(std::filesystem::exists(ppm)) << ppm;
        // The picture's top-left corner sits at (33, 33); outside it the page is white.
        const auto inside = PixelAt(ppm, 40, 40);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(inside[c], colours[i][c], 12) << "page " << i + 1 << " component " << c;
        EXPECT_EQ(PixelAt(ppm, 20, 20), (std::array<int, 3>{255, 255, 255}));
    }
}

} // namespace
