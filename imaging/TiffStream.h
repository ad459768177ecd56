#pragma once
// Internal to the TIFF codec: libtiff handles over memory, with per-file error collection.
#include <cstdint>
#include <memory>
#include <string>
#include <tiffio.h>
#include <vector>

namespace quillora::imaging::tifflib {

// The bytes libtiff reads (input) or writes (output), and the first error it reported.
struct MemoryFile {
    const std::uint8_t* input = nullptr;
    std::size_t inputSize = 0;
    std::vector<std::uint8_t>* output = nullptr;
    std::uint64_t position = 0;
    std::string firstError;
};

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

// Opens the memory file with libtiff ("r" or "w" mode); null on failure, with file.firstError set.
// The MemoryFile must outlive the handle.
TiffHandle openMemory(MemoryFile& file, const char* mode);

} // namespace quillora::imaging::tifflib
