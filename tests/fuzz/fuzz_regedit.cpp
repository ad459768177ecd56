// The REGEDIT4 settings parser: whatever it reads, writing those values and reading them back
// must give the same values.
#include "platform/RegEditFormat.h"

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quillora::platform;
    constexpr std::string_view key = "HKEY_CURRENT_USER\\Software\\Travex\\QuilloraShare";
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto values = parseRegEdit(text, key);
    const auto again = parseRegEdit(formatRegEdit(key, values), key);
    bool same = again.size() == values.size();
    for (std::size_t i = 0; same && i < values.size(); ++i)
        same = again[i].name == values[i].name && again[i].value == values[i].value;
    if (!same) {
        std::fprintf(stderr, "parse -> format -> parse changed the values\n");
        std::abort();
    }
    return 0;
}
