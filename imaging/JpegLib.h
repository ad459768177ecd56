#pragma once
// Internal to the JPEG codec: RAII holders for libjpeg's compress and decompress objects and the
// only functions that call into libjpeg. libjpeg reports errors by calling error_exit, which here
// longjmps back into the function that called it. Each of those functions holds nothing but
// trivially destructible locals and gets its buffers from the caller, so the jump never skips a
// C++ destructor; failure comes back as `false` with the message in the holder.
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>
#include <streambuf>
#include <vector>

namespace quillora::imaging::jpeglib {

struct ErrorState {
    jpeg_error_mgr manager; // first member: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool truncated; // the data ended before the image did
};

class Decompressor {
public:
    Decompressor();
    ~Decompressor();
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    jpeg_decompress_struct info;
    ErrorState error;
    bool created = false;
};

class Compressor {
public:
    Compressor();
    ~Compressor();
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    jpeg_compress_struct info;
    ErrorState error;
    bool created = false;
    unsigned char* buffer = nullptr; // malloc'ed by jpeg_mem_dest, freed by the destructor
    unsigned long size = 0;
};

// Creates the decompressor over the bytes (which must outlive it) and reads the header. libjpeg
// may allocate at most `memoryLimit` bytes for its own buffers; more ends the decode with an error.
bool openAndReadHeader(Decompressor& d, const std::uint8_t* data, std::size_t size, long memoryLimit);
// Compressed data read from an open file in blocks as libjpeg asks for it: a decode that stops
// early (a crop) reads no further, and the whole file is never held in memory. Data that ends
// before the image does is handled as with a memory source (a warning, then an end marker).
struct FileSource {
    explicit FileSource(std::streambuf& file) : file(&file), block(kBlockBytes) { }
    static constexpr std::size_t kBlockBytes = 64 * 1024;
    jpeg_source_mgr manager{};
    std::streambuf* file;
    std::vector<JOCTET> block;
    bool started = false;
    bool readFailed = false; // the system reported an error reading the file
};

// Creates the decompressor reading from the source (which must outlive it) and reads the header.
bool openFileAndReadHeader(Decompressor& d, FileSource& source, long memoryLimit);
// Whether decoding needs the whole image's coefficients in memory (progressive or multi-scan).
bool hasMultipleScans(Decompressor& d, bool& multiple);
// jpeg_start_decompress with the output parameters the caller set in d.info.
bool startDecompress(Decompressor& d);
// jpeg_crop_scanline: widens the requested columns to iMCU boundaries, updating output_width.
bool cropColumns(Decompressor& d, JDIMENSION* xoffset, JDIMENSION* width);
// Reads exactly one scanline into the row (output_width * output_components bytes).
bool readRow(Decompressor& d, std::uint8_t* row);
bool finishDecompress(Decompressor& d);

struct EncodeSource {
    const std::uint8_t* pixels; // top row first
    std::size_t stride;         // bytes from one row to the next
    JDIMENSION width;
    JDIMENSION height;
    int components; // 3 (RGB) or 1 (greyscale)
    int quality;
    bool forceBaseline;
};

// The whole compression into memory: jpeg_set_defaults, jpeg_set_quality, rows top to bottom.
// On success c.buffer / c.size hold the JPEG file.
bool compressToMemory(Compressor& c, const EncodeSource& source);

} // namespace quillora::imaging::jpeglib
