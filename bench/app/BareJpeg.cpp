#include "BareJpeg.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace quillora::bench {
namespace {

// Benchmark input is generated and known good: a libjpeg error simply ends the program.
void Fatal(j_common_ptr info)
{
    (*info->err->output_message)(info);
    std::exit(3);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Decodes `rows` rows of at most `width` columns into an RGB buffer of width x rows; a scale of
// 1/8 decodes the whole image at that scale.
std::vector<unsigned char> Decode(const std::string& file, int& width, int& rows, bool wholeImage,
                                  unsigned scaleDenom = 1)
{
    std::unique_ptr<std::FILE, FileCloser> in(std::fopen(file.c_str(), "rb"));
    if (!in)
        throw std::runtime_error("cannot open " + file);
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    error.error_exit = Fatal;
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, in.get());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    info.scale_denom = scaleDenom;
    jpeg_start_decompress(&info);
    if (wholeImage) {
        width = static_cast<int>(info.output_width);
        rows = static_cast<int>(info.output_height);
    } else {
        JDIMENSION x = 0, w = std::min<JDIMENSION>(width, info.output_width);
        jpeg_crop_scanline(&info, &x, &w);
        rows = std::min<int>(rows, static_cast<int>(info.output_height));
    }
    const int stride = static_cast<int>(info.output_width) * 3;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * rows);
    while (static_cast<int>(info.output_scanline) < rows) {
        JSAMPROW row = pixels.data() + static_cast<std::size_t>(info.output_scanline) * stride;
        jpeg_read_scanlines(&info, &row, 1);
    }
    if (!wholeImage)
        width = static_cast<int>(info.output_width);
    jpeg_abort_decompress(&info);
    jpeg_destroy_decompress(&info);
    return pixels;
}

std::size_t Encode(const unsigned char* pixels, int stride, int width, int height, int quality)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    error.error_exit = Fatal;
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<unsigned char*>(pixels) + static_cast<std::size_t>(info.next_scanline) * stride;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return size;
}

} // namespace

std::size_t BareCropPage(const std::string& file, int width, int height, int quality)
{
    int decodedWidth = width, rows = height;
    const auto pixels = Decode(file, decodedWidth, rows, false);
    return Encode(pixels.data(), decodedWidth * 3, std::min(width, decodedWidth), rows, quality);
}

std::size_t BareStretchPage(const std::string& file, int width, int height, int quality)
{
    int decodedWidth = 0, rows = 0;
    const auto pixels = Decode(file, decodedWidth, rows, true);
    return Encode(pixels.data(), decodedWidth * 3, width, height, quality);
}

std::size_t BareEighthDecode(const std::string& file)
{
    int width = 0, rows = 0;
    return Decode(file, width, rows, true, 8).size() / 3;
}

} // namespace quillora::bench
