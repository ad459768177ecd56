// The TIFF decoder (first image, bilevel rows or libtiff's RGBA conversion).
#include "FuzzImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    decodeAs(data, size, "fuzz.tif");
    return 0;
}
