// The PNG reader (through Qt with the allocation limit).
#include "FuzzImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    decodeAs(data, size, "fuzz.png");
    return 0;
}
