// The BMP reader (the layout check, then Qt).
#include "FuzzImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    decodeAs(data, size, "fuzz.bmp");
    return 0;
}
